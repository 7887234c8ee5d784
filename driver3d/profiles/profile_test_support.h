#pragma once
// A driver with its OpenGL and DirectDraw keys and a profile area in the simulated
// registry, with raw access to what either side holds.

#include <gtest/gtest.h>

#include "driver3d/profiles/profile_store.h"
#include "driver3d/test_driver_key.h"

namespace corvane::driver3d::testing {

inline const std::wstring kProfilesRoot = L"\\SOFTWARE\\Quillon\\Corvane\\Profiles\\";
inline const std::wstring kOpenGLKey = kDriverKey + L"\\OpenGL";
inline const std::wstring& kDirectDraw = kDirectDrawKeyPath;

class ProfileTest : public DriverKeyTest {
 protected:
  ProfileTest() { Reset(); }
  // A fresh driver and profile area, as if the machine were new.
  void Reset() {
    for (const std::wstring& path : {kDriverKey, kDirectDraw}) sim.DeleteKey(platform::RegistryRoot::LocalMachine, path);
    sim.DeleteKey(platform::RegistryRoot::CurrentUser, kProfilesRoot);
    for (const std::wstring& path : {kDriverKey, kOpenGLKey, kDirectDraw}) Key(path);
    quality.Clear();
    tips = reloads = 0;
  }
  void Start(bool aceMode) {
    if (aceMode) Put(L"ACE", RegType::Binary, Utf16(L"1"));
    driver = StartUp();
  }
  Profile3DContext Context() {
    return {*driver, sim, kProfilesRoot, quality, [this] { ++tips; }, [this] { ++reloads; }};
  }

  void SetText(const std::wstring& name, const std::wstring& text) {
    Put(name, RegType::String, Join(Utf16(text), {0, 0}));
  }
  void SetDword(const std::wstring& name, uint32_t value, const std::wstring& path = kDriverKey) {
    platform::WriteRegDword(*Key(path), name, value);
  }
  void Remove(const std::wstring& name, const std::wstring& path = kDriverKey) { Key(path)->DeleteValue(name); }
  // "sz:<text>" or "bin:<text>" for a driver-key text, "" when absent.
  std::string Text(const std::wstring& name) {
    auto value = Stored(name);
    if (!value) return "";
    std::string text = value->type == RegType::Binary ? "bin:" : value->type == RegType::String ? "sz:" : "?:";
    for (size_t i = 0; i + 1 < value->data.size() && value->data[i]; i += 2) text += static_cast<char>(value->data[i]);
    return text;
  }
  std::optional<uint32_t> Dword(const std::wstring& name, const std::wstring& path = kDriverKey) {
    return platform::ReadRegDword(*Key(path), name);
  }
  std::unique_ptr<platform::RegistryKey> Profile(const std::wstring& kind, const std::wstring& name) {
    return sim.OpenKey(platform::RegistryRoot::CurrentUser, kProfilesRoot + kind + L"\\" + name, true);
  }
  bool ProfileExists(const std::wstring& kind, const std::wstring& name) {
    return sim.Exists(platform::RegistryRoot::CurrentUser, kProfilesRoot + kind + L"\\" + name);
  }

  std::unique_ptr<DriverRegistry> driver;
  QualityCounters quality;
  int tips = 0;
  int reloads = 0;
};

}  // namespace corvane::driver3d::testing
