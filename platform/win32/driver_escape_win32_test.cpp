#include "platform/win32/driver_escape_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::platform {
namespace {

std::wstring PrimaryDeviceName() {
  DISPLAY_DEVICEW device{};
  device.cb = sizeof(device);
  for (DWORD index = 0; EnumDisplayDevicesW(nullptr, index, &device, 0); ++index) {
    if (device.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) return device.DeviceName;
    device.cb = sizeof(device);
  }
  return L"";
}

// Wine knows nothing of the ATI escape: it answers 0, as the driver's "success", and
// writes nothing. The program prepares every reply so that this reads as "nothing there".
TEST(DriverEscapeWin32, TheEscapeOnThePrimaryDisplayLeavesTheReplyAlone) {
  const std::wstring device = PrimaryDeviceName();
  ASSERT_FALSE(device.empty());
  Win32DriverEscape escapes;
  std::unique_ptr<DisplayContext> dc = escapes.OpenContext(device);
  ASSERT_TRUE(dc);
  // The rotation query: header {16, 0x40010E, 0, 0}, a 64-byte reply starting with 64.
  const std::vector<uint8_t> request = {16, 0, 0, 0, 0x0E, 0x01, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::vector<uint8_t> reply(64, 0);
  reply[0] = 64;
  reply[16] = 0xFF;
  const std::vector<uint8_t> prepared = reply;
  EXPECT_EQ(dc->Escape(request, reply), 0);
  EXPECT_EQ(reply, prepared);
}

TEST(DriverEscapeWin32, WithoutTheDriverLibraryNothingIsCalled) {
  Win32DriverLibrary library;
  EXPECT_FALSE(library.Loaded());
  EXPECT_FALSE(library.EnableExtendedDesktop(1, -1));
}

}  // namespace
}  // namespace corvane::platform
