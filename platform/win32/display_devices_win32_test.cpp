#include "platform/win32/display_devices_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(DisplayDevicesWin32, PrimaryDeviceAndItsModes) {
  Win32DisplayDevices displays;
  auto primary = FindPrimaryDisplayDevice(displays);
  ASSERT_TRUE(primary);
  const DisplayDevice& device = primary->device;
  EXPECT_EQ(device.name.rfind(L"\\\\.\\DISPLAY", 0), 0u) << device.name.c_str();
  EXPECT_FALSE(device.description.empty());
  EXPECT_TRUE(device.stateFlags & DisplayDeviceState::AttachedToDesktop);
  // The fixed columns start-up reads the vendor and device from.
  EXPECT_EQ(device.deviceId.rfind(L"PCI\\VEN_", 0), 0u) << device.deviceId.c_str();
  EXPECT_EQ(device.deviceId.substr(12, 5), L"&DEV_");
  EXPECT_EQ(device.deviceKey.rfind(L"\\Registry\\Machine\\", 0), 0u) << device.deviceKey.c_str();

  auto current = displays.Mode(device.name, kCurrentDisplayMode);
  ASSERT_TRUE(current);
  EXPECT_EQ(current->width, static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)));
  EXPECT_EQ(current->height, static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN)));
  EXPECT_GT(current->bitsPerPel, 0u);
  EXPECT_TRUE(displays.Mode(L"", kCurrentDisplayMode));

  int count = 0;
  while (count < 10000 && displays.Mode(device.name, count)) ++count;
  EXPECT_GT(count, 0);
  EXPECT_LT(count, 10000);
}

// Only ever with CDS_TEST: the test must not change the session's display.
TEST(DisplayDevicesWin32, TestedChangesAreJudgedWithoutApplying) {
  Win32DisplayDevices displays;
  auto current = displays.Mode(L"", kCurrentDisplayMode);
  ASSERT_TRUE(current);
  DisplayMode same = *current;
  same.fields = DisplayModeField::BitsPerPel | DisplayModeField::PelsWidth | DisplayModeField::PelsHeight;
  EXPECT_EQ(displays.ChangeSettings(L"", same, DisplayChangeFlag::Test), DisplayChangeResult::Successful);

  DisplayMode impossible = same;
  impossible.width = 12345;
  impossible.height = 6789;
  EXPECT_NE(displays.ChangeSettings(L"", impossible, DisplayChangeFlag::Test), DisplayChangeResult::Successful);
  EXPECT_EQ(*displays.Mode(L"", kCurrentDisplayMode), *current);
}

}  // namespace
}  // namespace corvane::platform
