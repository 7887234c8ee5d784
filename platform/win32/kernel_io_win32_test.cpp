#include "platform/win32/kernel_io_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane::platform {
namespace {

constexpr uint32_t kManagerAllAccess = 0xF003F;
constexpr uint32_t kServiceAllAccess = 0xF01FF;

// Other test executables run at the same time in the same Wine prefix.
std::wstring TestServiceName() { return L"corvane-kio-test-" + std::to_wstring(GetCurrentProcessId()); }

ServiceConfig DriverConfig(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return ServiceConfig{name, name, kServiceAllAccess, 1, 3, 1, std::wstring(temp) + name + L".sys"};
}

// Deletes the test service however the test ends, so no run leaves one behind.
struct ServiceCleanup {
  std::wstring name;
  ~ServiceCleanup() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, kManagerAllAccess);
    if (!manager) return;
    if (SC_HANDLE service = OpenServiceW(manager, name.c_str(), kServiceAllAccess)) {
      DeleteService(service);
      ::CloseServiceHandle(service);
    }
    ::CloseServiceHandle(manager);
  }
};

// What Wine does with a kernel driver: it installs the service but cannot start it,
// so no device appears. The installer's error handling is built on these numbers.
TEST(KernelIoWin32, DriverServiceAsWineAnswers) {
  Win32KernelIo io;
  EXPECT_EQ(io.PlatformId(), 2u);
  const std::wstring name = TestServiceName();
  ServiceCleanup cleanup{name};

  const KernelHandle manager = io.OpenServiceManager(kManagerAllAccess);
  ASSERT_NE(manager, kNoHandle) << io.LastError();
  const KernelHandle created = io.CreateDriverService(manager, DriverConfig(name));
  ASSERT_NE(created, kNoHandle) << io.LastError();
  EXPECT_EQ(io.CreateDriverService(manager, DriverConfig(name)), kNoHandle);
  EXPECT_EQ(io.LastError(), KernelError::ServiceExists);
  EXPECT_TRUE(io.CloseServiceHandle(created));

  const KernelHandle service = io.OpenDriverService(manager, name, kServiceAllAccess);
  ASSERT_NE(service, kNoHandle) << io.LastError();
  EXPECT_FALSE(io.StartDriverService(service));
  EXPECT_EQ(io.LastError(), KernelError::DllInitFailed);
  ServiceStatus status;
  ASSERT_TRUE(io.QueryDriverServiceStatus(service, status));
  EXPECT_EQ(status.currentState, 1u);  // stopped

  EXPECT_EQ(io.OpenDevice(L"\\\\.\\" + name, 0xC0000000, 3, 0x80), kInvalidDevice);
  EXPECT_EQ(io.LastError(), KernelError::FileNotFound);

  status = {};
  EXPECT_FALSE(io.ControlDriverService(service, 1, status));
  EXPECT_EQ(io.LastError(), 1062u);  // not active
  EXPECT_EQ(status.currentState, 1u);

  EXPECT_TRUE(io.DeleteDriverService(service));
  EXPECT_FALSE(io.DeleteDriverService(service));
  EXPECT_EQ(io.LastError(), 1072u);  // marked for deletion while a handle holds it
  EXPECT_TRUE(io.CloseServiceHandle(service));
  // The last handle gone, the service is gone.
  EXPECT_EQ(io.OpenDriverService(manager, name, kServiceAllAccess), kNoHandle);
  EXPECT_EQ(io.LastError(), 1060u);
  EXPECT_TRUE(io.CloseServiceHandle(manager));
  EXPECT_FALSE(io.CloseServiceHandle(kNoHandle));
  EXPECT_EQ(io.LastError(), 6u);
}

TEST(KernelIoWin32, DeviceControlWithoutDeviceFailsAndReturnsNothing) {
  Win32KernelIo io;
  uint8_t input[8] = {0xF8, 0x0C};
  uint8_t output[8] = {};
  uint32_t returned = 99;
  EXPECT_FALSE(io.DeviceControl(kInvalidDevice, 0x80002008, input, output, returned));
  EXPECT_EQ(io.LastError(), 6u);
  EXPECT_EQ(returned, 0u);
}

TEST(KernelIoWin32, TickCountIsTheSystemClockAndSleepWaits) {
  Win32KernelIo io;
  // Only the direction is checked: how far the clock moves depends on the machine's load.
  const uint32_t before = GetTickCount();
  const uint32_t start = io.TickCount();
  EXPECT_LT(start - before, 0x80000000u) << "the adapter's clock is behind the system's";
  io.Sleep(40);
  EXPECT_GT(io.TickCount() - start, 0u) << "Sleep returned without time passing";
}

}  // namespace
}  // namespace corvane::platform
