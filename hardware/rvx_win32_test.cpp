// TRVX on the real adapters. Under Wine the service manager creates the driver service
// but cannot start a kernel driver: the object must come up without one, quietly.

#include <gtest/gtest.h>

#include "hardware/rvx.h"
#include "platform/win32/card_registers_win32.h"
#include "platform/win32/kernel_io_win32.h"
#include "platform/win32/test_probes.h"

namespace corvane::hardware {
namespace {

// Deletes the driver service if it is there; says whether it was.
bool RemoveDriverService(platform::KernelIo& io) {
  const platform::KernelHandle manager = io.OpenServiceManager(0xF003F);
  if (manager == platform::kNoHandle) return false;
  const platform::KernelHandle service = io.OpenDriverService(manager, kDriverServiceName, 0xF01FF);
  if (service != platform::kNoHandle) {
    io.DeleteDriverService(service);
    io.CloseServiceHandle(service);
  }
  io.CloseServiceHandle(manager);
  return service != platform::kNoHandle;
}

using platform::testing::NextHandleValue;

TEST(RvxWin32Test, WithoutAKernelDriverEverythingReadsZero) {
  platform::Win32KernelIo io;
  platform::Win32CardRegisters memory;
  RemoveDriverService(io);
  const uintptr_t freeSlotBefore = NextHandleValue();
  {
    TRVX rvx(io, memory, L"C:\\windows\\temp", false, 0, 0);
    EXPECT_FALSE(rvx.DriverOpen || rvx.CardFound);
    EXPECT_EQ(rvx.RegisterWindow() | rvx.BiosWindow() | rvx.FrameBufferWindow(), 0u);
    EXPECT_EQ(rvx.PortRead32(0xCFC) | rvx.PciRead16(0, 0, 0, 0), 0u);
    EXPECT_EQ(rvx.PllRead32(Pll::X_MPLL_REF_FB_DIV), 0u);  // no aperture: nothing dereferenced
    rvx.SetClocks(false, 400, 350);
    rvx.WritePalette(Palette{});
    EXPECT_EQ(rvx.CoreClock + rvx.MemClock, 0.0);
  }
  EXPECT_EQ(NextHandleValue(), freeSlotBefore) << "a service or device handle was left open";
  // The installer deleted the service it could not start.
  EXPECT_FALSE(RemoveDriverService(io));
}

}  // namespace
}  // namespace corvane::hardware
