#include "driver3d/driver_registry.h"

#include "driver3d/settings_table.h"

namespace corvane::driver3d {

DriverRegistry::DriverRegistry(platform::Registry& registry, std::wstring driverKeyPath)
    : registry_(registry), driverKeyPath_(std::move(driverKeyPath)) {}

void DriverRegistry::ReadStorageMode() {
  OpenDriverKey();
  const bool openGLInDriverKey = ReadSetting(*this, driver_key::UseNewOGLRegPath) == 1;
  openGLKeySuffix_ = openGLInDriverKey ? L"" : kDefaultOpenGLKeySuffix;
  // Read before the mode is known; the reader takes either storage.
  aceMode_ = ReadSetting(*this, driver_key::ACE) == L"1";
}

bool DriverRegistry::OpenDriverKey() { return OpenBelowDriverKey(driverKeyPath_); }

bool DriverRegistry::OpenOpenGLKey() { return OpenBelowDriverKey(OpenGLKeyPath()); }

bool DriverRegistry::OpenDirectDrawKey() { return Open(kDirectDrawKeyPath); }

std::wstring DriverRegistry::OpenGLKeyPath() const {
  return aceMode_ ? driverKeyPath_ : driverKeyPath_ + openGLKeySuffix_;
}

bool DriverRegistry::OpenBelowDriverKey(const std::wstring& path) {
  // Without a driver key path this would open HKEY_LOCAL_MACHINE itself (or a key
  // "OpenGL" right below it) and let writes land there.
  if (driverKeyPath_.empty()) {
    CloseKey();
    return false;
  }
  return Open(path);
}

bool DriverRegistry::Open(const std::wstring& path) {
  key_.reset();  // the previous key is closed before the next is opened
  key_ = registry_.OpenKey(platform::RegistryRoot::LocalMachine, path, false);
  return key_ != nullptr;
}

}  // namespace corvane::driver3d
