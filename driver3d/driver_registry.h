#pragma once
// The one registry object the main form uses for the display driver's keys under
// HKEY_LOCAL_MACHINE: the driver key, its OpenGL key and the DirectDraw key. Each open
// closes the key opened before, and nothing is ever created: a missing key leaves no key
// open, so reads give their defaults and writes do nothing.

#include <memory>
#include <string>

#include "platform/key_watch.h"
#include "platform/registry.h"

namespace corvane::driver3d {

inline const std::wstring kDirectDrawKeyPath = L"\\SOFTWARE\\Microsoft\\DirectDraw";
// Where older drivers keep the OpenGL settings, below the driver key.
inline const std::wstring kDefaultOpenGLKeySuffix = L"\\OpenGL";

class DriverRegistry {
 public:
  // `driverKeyPath`: the primary adapter's driver key below HKEY_LOCAL_MACHINE.
  DriverRegistry(platform::Registry& registry, std::wstring driverKeyPath);
  DriverRegistry(const DriverRegistry&) = delete;
  DriverRegistry& operator=(const DriverRegistry&) = delete;

  // Start-up, once, before the tray menu is first built: reads the driver's "ACE"
  // (text "1": the newer storage) and "UseNewOGLRegPath" (1: OpenGL values in the
  // driver key itself). Both settle the storage for the rest of the run. Leaves the
  // driver key open.
  void ReadStorageMode();

  bool OpenDriverKey();
  bool OpenOpenGLKey();
  bool OpenDirectDrawKey();
  void CloseKey() { key_.reset(); }

  // The key the last open gave; null when none is open.
  platform::RegistryKey* Key() const { return key_.get(); }

  // Text values of the driver are UTF-16 REG_BINARY instead of REG_SZ, and the OpenGL
  // values live in the driver key.
  bool AceMode() const { return aceMode_; }
  const std::wstring& DriverKeyPath() const { return driverKeyPath_; }
  const std::wstring& OpenGLKeySuffix() const { return openGLKeySuffix_; }
  std::wstring OpenGLKeyPath() const;

  // Watches on the driver key (the OpenGL key below it included) and on the DirectDraw key.
  platform::KeyWatch WatchDriverKey() const {
    return {registry_, platform::RegistryRoot::LocalMachine, driverKeyPath_};
  }
  platform::KeyWatch WatchDirectDrawKey() const {
    return {registry_, platform::RegistryRoot::LocalMachine, kDirectDrawKeyPath};
  }

 private:
  bool OpenBelowDriverKey(const std::wstring& path);
  bool Open(const std::wstring& path);

  platform::Registry& registry_;
  std::wstring driverKeyPath_;
  std::wstring openGLKeySuffix_ = kDefaultOpenGLKeySuffix;
  bool aceMode_ = false;
  std::unique_ptr<platform::RegistryKey> key_;
};

}  // namespace corvane::driver3d
