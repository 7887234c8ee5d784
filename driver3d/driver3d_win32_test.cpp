// The driver's settings through Wine's registry, under a test key standing in for the
// driver key: each storage must land with the type and bytes the driver reads.
#include <gtest/gtest.h>

#include "driver3d/settings_table.h"
#include "driver3d/setting_values.h"
#include "platform/registry_values.h"
#include "platform/win32/test_probes.h"
#include "platform/win32/registry_win32.h"

namespace corvane::driver3d {
namespace {

using platform::testing::kRegBinary;
using platform::testing::kRegDword;
using platform::testing::kRegString;
using Raw = platform::testing::RawRegistryValue;

Raw ReadRaw(const std::wstring& path, const std::wstring& name) {
  return platform::testing::ReadRawRegistryValue(HKEY_LOCAL_MACHINE, path, name).value_or(Raw{});
}

TEST(DriverSettingsWin32, BothStoragesLandAsTheDriverReadsThem) {
  platform::Win32Registry registry;
  const std::wstring parent = L"SOFTWARE\\CorvaneTest";
  const std::wstring driverKey = parent + L"\\driver3d-" + std::to_wstring(platform::testing::CurrentProcessId());
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
    const Raw antiAlias = aceMode ? Raw{kRegBinary, {'2', 0}} : Raw{kRegString, {'2', 0, 0, 0}};
    EXPECT_EQ(ReadRaw(driverKey, L"AntiAlias"), antiAlias);
    EXPECT_EQ(ReadRaw(driverKey, L"PixelShaderVersion").type, kRegString);
    EXPECT_EQ(ReadRaw(driverKey, L"DisableSmartSave"), (Raw{kRegBinary, {0, 0, 0, 0}}));
    EXPECT_EQ(ReadSetting(driver, driver_key::AntiAlias), L"2");
    EXPECT_EQ(ReadSetting(driver, driver_key::PixelShaderVersion), L"20");

    ASSERT_TRUE(driver.OpenOpenGLKey());
    EXPECT_EQ(ReadSetting(driver, opengl_key::OGLLODBias), 3);  // created
    EXPECT_EQ(ReadRaw(aceMode ? driverKey : driverKey + L"\\OpenGL", L"OGLLODBias"),
              (Raw{kRegDword, {3, 0, 0, 0}}));

    driver.CloseKey();
    key.reset();
    registry.DeleteKey(platform::RegistryRoot::LocalMachine, driverKey);
  }
  platform::testing::DeleteRegistryKeyIfEmpty(HKEY_LOCAL_MACHINE, parent);
}

}  // namespace
}  // namespace corvane::driver3d
