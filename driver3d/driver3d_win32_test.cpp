// The driver's settings through Wine's registry, under a test key standing in for the
// driver key: each storage must land with the type and bytes the driver reads.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver3d/settings_table.h"
#include "driver3d/setting_values.h"
#include "platform/registry_values.h"
#include "platform/win32/registry_win32.h"

namespace corvane::driver3d {
namespace {

using Bytes = std::vector<BYTE>;
using Raw = std::pair<DWORD, Bytes>;

// Type and data through the plain API, so our adapter cannot hide a fault.
Raw ReadRaw(const std::wstring& path, const std::wstring& name) {
  HKEY key = nullptr;
  DWORD type = REG_NONE, size = 64;
  Bytes data(size);
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) size = 0;
  RegCloseKey(key);
  data.resize(size);
  return {type, data};
}

TEST(DriverSettingsWin32, BothStoragesLandAsTheDriverReadsThem) {
  platform::Win32Registry registry;
  const std::wstring parent = L"SOFTWARE\\CorvaneTest";
  const std::wstring driverKey = parent + L"\\driver3d-" + std::to_wstring(GetCurrentProcessId());
  for (bool aceMode : {true, false}) {
    auto key = registry.OpenKey(platform::RegistryRoot::LocalMachine, driverKey, true);
    ASSERT_TRUE(key && platform::WriteRegString(*key, L"ACE", aceMode ? L"1" : L"0"));
    ASSERT_TRUE(registry.OpenKey(platform::RegistryRoot::LocalMachine, driverKey + L"\\OpenGL", true));
    DriverRegistry driver(registry, driverKey);
    driver.ReadStorageMode();
    ASSERT_EQ(driver.AceMode(), aceMode);
    ASSERT_TRUE(driver.OpenDriverKey());

    WriteSetting(driver, driver_key::AntiAlias, L"2");
    WriteSetting(driver, driver_key::PixelShaderVersion, L"20");
    EXPECT_EQ(ReadSetting(driver, driver_key::DisableSmartSave), 0);  // created
    const Raw antiAlias = aceMode ? Raw{REG_BINARY, {'2', 0}} : Raw{REG_SZ, {'2', 0, 0, 0}};
    EXPECT_EQ(ReadRaw(driverKey, L"AntiAlias"), antiAlias);
    EXPECT_EQ(ReadRaw(driverKey, L"PixelShaderVersion").first, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadRaw(driverKey, L"DisableSmartSave"), (Raw{REG_BINARY, {0, 0, 0, 0}}));
    EXPECT_EQ(ReadSetting(driver, driver_key::AntiAlias), L"2");
    EXPECT_EQ(ReadSetting(driver, driver_key::PixelShaderVersion), L"20");

    ASSERT_TRUE(driver.OpenOpenGLKey());
    EXPECT_EQ(ReadSetting(driver, opengl_key::OGLLODBias), 3);  // created
    EXPECT_EQ(ReadRaw(aceMode ? driverKey : driverKey + L"\\OpenGL", L"OGLLODBias"),
              (Raw{REG_DWORD, {3, 0, 0, 0}}));

    driver.CloseKey();
    key.reset();
    registry.DeleteKey(platform::RegistryRoot::LocalMachine, driverKey);
  }
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, parent.c_str());  // only once nobody else uses it
}

}  // namespace
}  // namespace corvane::driver3d
