#include "platform/sim/hardware/sim_kernel_io.h"

#include <gtest/gtest.h>

#include "platform/sim/hardware/sim_test_driver.h"

namespace corvane::platform::sim {
namespace {

const std::wstring kDevice = L"\\\\.\\corvane";

KernelHandle OpenTheDevice(SimKernelIo& io) { return io.OpenDevice(kDevice, 0xC0000000, 3, 0x80); }

TEST(SimKernelIo, FirstRunCreatesStartsAndOpensWithoutLeaks) {
  SimMachine machine;
  SimKernelIo& io = machine.Kernel();
  const KernelHandle manager = io.OpenServiceManager(kManagerAllAccess);
  ASSERT_NE(manager, kNoHandle);
  EXPECT_EQ(OpenTheDevice(io), kInvalidDevice);  // nothing installed yet
  EXPECT_EQ(io.LastError(), KernelError::FileNotFound);

  const KernelHandle created = io.CreateDriverService(manager, DriverConfig());
  ASSERT_NE(created, kNoHandle);
  EXPECT_TRUE(io.CloseServiceHandle(created));
  const KernelHandle service = io.OpenDriverService(manager, L"CORVANE", kServiceAllAccess);  // names ignore case
  ASSERT_NE(service, kNoHandle);
  EXPECT_TRUE(io.StartDriverService(service));
  ServiceStatus status;
  ASSERT_TRUE(io.QueryDriverServiceStatus(service, status));
  EXPECT_EQ(status.currentState, service_state::Running);
  const KernelHandle device = OpenTheDevice(io);
  ASSERT_NE(device, kInvalidDevice);
  EXPECT_EQ(io.LastError(), 0u);  // CreateFile clears the stale 2
  EXPECT_EQ(io.OpenHandleCount(), 3u);

  EXPECT_TRUE(io.CloseServiceHandle(service));
  EXPECT_TRUE(io.CloseServiceHandle(manager));
  EXPECT_TRUE(io.CloseDevice(device));
  EXPECT_EQ(io.OpenHandleCount(), 0u);
  EXPECT_FALSE(io.CloseDevice(device));
  EXPECT_FALSE(io.CloseServiceHandle(device));
  EXPECT_EQ(io.LastError(), service_error::InvalidHandle);
  EXPECT_EQ(io.BadHandleUses(), 2u);

  const SimService* installed = machine.Services().Find(L"corvane");
  ASSERT_NE(installed, nullptr);
  EXPECT_EQ(installed->config.serviceType, 1u);
  EXPECT_EQ(installed->config.startType, 3u);
  EXPECT_EQ(installed->state, service_state::Running);  // the driver stays loaded
  EXPECT_EQ((std::vector<std::string>{"OpenServiceManager", "OpenDevice", "CreateDriverService", "CloseServiceHandle",
                                      "OpenDriverService", "StartDriverService", "QueryDriverServiceStatus",
                                      "OpenDevice", "CloseServiceHandle", "CloseServiceHandle", "CloseDevice",
                                      "CloseDevice", "CloseServiceHandle"}),
            io.CallNames());
  EXPECT_EQ(io.Calls()[2].args[1], kServiceAllAccess);
  EXPECT_EQ(io.Calls()[2].text, L"corvane");
}

TEST(SimKernelIo, SecondRunFindsTheServiceExistingAndRunning) {
  SimMachine machine("9800 PRO", {.scenario = ServiceScenario::InstalledRunning});
  SimKernelIo& io = machine.Kernel();
  const KernelHandle manager = io.OpenServiceManager(kManagerAllAccess);
  EXPECT_EQ(io.CreateDriverService(manager, DriverConfig()), kNoHandle);
  EXPECT_EQ(io.LastError(), KernelError::ServiceExists);
  const KernelHandle service = io.OpenDriverService(manager, L"corvane", kServiceAllAccess);
  EXPECT_FALSE(io.StartDriverService(service));
  EXPECT_EQ(io.LastError(), KernelError::ServiceAlreadyRunning);
  EXPECT_NE(OpenTheDevice(io), kInvalidDevice);
}

// The device stays missing until the service is stopped, deleted, released and made
// again; a handle left open keeps the old service alive.
TEST(SimKernelIo, MissingDeviceNeedsTheServiceDeletedAndCreatedAgain) {
  SimMachine machine("9800 PRO", {.scenario = ServiceScenario::InstalledDeviceMissing});
  SimKernelIo& io = machine.Kernel();
  KernelHandle manager = io.OpenServiceManager(kManagerAllAccess);
  KernelHandle service = io.OpenDriverService(manager, L"corvane", kServiceAllAccess);
  EXPECT_FALSE(io.StartDriverService(service));
  EXPECT_EQ(io.LastError(), KernelError::ServiceAlreadyRunning);
  EXPECT_EQ(OpenTheDevice(io), kInvalidDevice);
  EXPECT_EQ(io.LastError(), KernelError::FileNotFound);

  ServiceStatus status;
  EXPECT_TRUE(io.ControlDriverService(service, 1, status));
  EXPECT_EQ(status.currentState, service_state::Stopped);
  EXPECT_FALSE(io.ControlDriverService(service, 1, status));
  EXPECT_EQ(io.LastError(), service_error::ServiceNotActive);
  EXPECT_TRUE(io.DeleteDriverService(service));
  EXPECT_EQ(io.CreateDriverService(manager, DriverConfig()), kNoHandle);
  EXPECT_EQ(io.LastError(), service_error::ServiceMarkedForDelete);
  EXPECT_TRUE(io.CloseServiceHandle(service));
  EXPECT_EQ(machine.Services().Find(L"corvane"), nullptr);

  service = io.CreateDriverService(manager, DriverConfig());
  ASSERT_NE(service, kNoHandle);
  EXPECT_TRUE(io.StartDriverService(service));
  EXPECT_NE(OpenTheDevice(io), kInvalidDevice);
  EXPECT_EQ(machine.Services().Find(L"corvane")->startCount, 1u);
}

TEST(SimKernelIo, RefusalsOfThePlatformAndTheManager) {
  SimMachine noAdmin("9800 PRO", {.scenario = ServiceScenario::NoAdminRights});
  EXPECT_EQ(noAdmin.Kernel().OpenServiceManager(kManagerAllAccess), kNoHandle);
  EXPECT_EQ(noAdmin.Kernel().LastError(), KernelError::AccessDenied);
  const KernelHandle connect = noAdmin.Kernel().OpenServiceManager(0x0001);  // connecting is allowed
  ASSERT_NE(connect, kNoHandle);
  EXPECT_EQ(noAdmin.Kernel().CreateDriverService(connect, DriverConfig()), kNoHandle);
  EXPECT_EQ(noAdmin.Kernel().LastError(), KernelError::AccessDenied);

  SimMachine win98("9800 PRO", {.scenario = ServiceScenario::NonNtPlatform});
  EXPECT_EQ(win98.Kernel().PlatformId(), 1u);
  EXPECT_EQ(win98.Kernel().OpenServiceManager(kManagerAllAccess), kNoHandle);
  EXPECT_EQ(win98.Kernel().LastError(), service_error::CallNotImplemented);
  uint32_t returned = 1;
  uint8_t buffer[8] = {};
  EXPECT_FALSE(win98.Kernel().DeviceControl(0, device_code::ReadPort8, buffer, buffer, returned));
  EXPECT_EQ(win98.Kernel().LastError(), service_error::InvalidHandle);
  EXPECT_EQ(returned, 0u);

  SimMachine wine;
  wine.Services().startError = KernelError::DllInitFailed;
  SimKernelIo& io = wine.Kernel();
  const KernelHandle manager = io.OpenServiceManager(kManagerAllAccess);
  const KernelHandle service = io.CreateDriverService(manager, DriverConfig());
  EXPECT_FALSE(io.StartDriverService(service));
  EXPECT_EQ(io.LastError(), KernelError::DllInitFailed);
  EXPECT_EQ(OpenTheDevice(io), kInvalidDevice);
}

TEST(SimKernelIo, StartPendingAdvancesWithSleepOnly) {
  SimMachine machine("9800 PRO", {.scenario = ServiceScenario::StartPending});
  SimKernelIo& io = machine.Kernel();
  const uint32_t start = io.TickCount();
  const KernelHandle manager = io.OpenServiceManager(kManagerAllAccess);
  const KernelHandle service = io.CreateDriverService(manager, DriverConfig());
  ASSERT_TRUE(io.StartDriverService(service));

  ServiceStatus status;
  ASSERT_TRUE(io.QueryDriverServiceStatus(service, status));
  EXPECT_EQ(status.currentState, service_state::StartPending);
  EXPECT_EQ(status.checkPoint, 1u);
  EXPECT_EQ(status.waitHint, 3000u);
  EXPECT_EQ(OpenTheDevice(io), kInvalidDevice);
  EXPECT_FALSE(io.ControlDriverService(service, 1, status));
  EXPECT_EQ(io.LastError(), service_error::ServiceCannotAcceptControl);

  io.Sleep(1000);
  io.QueryDriverServiceStatus(service, status);
  EXPECT_EQ(status.checkPoint, 2u);
  io.Sleep(1500);
  io.QueryDriverServiceStatus(service, status);
  EXPECT_EQ(status.currentState, service_state::Running);
  EXPECT_EQ(io.TickCount() - start, 2500u);
  EXPECT_NE(OpenTheDevice(io), kInvalidDevice);
  EXPECT_EQ(io.Calls()[io.Calls().size() - 3].args, std::vector<uint64_t>{1500});

  // A driver that hangs in its start routine: pending for ever, no progress.
  SimMachine stuck("9800 PRO", {.scenario = ServiceScenario::StartPending});
  stuck.Services().startPending = StartPendingProfile{StartPendingProfile::kNever, 0, 500};
  SimKernelIo& stuckIo = stuck.Kernel();
  const KernelHandle stuckService =
      stuckIo.CreateDriverService(stuckIo.OpenServiceManager(kManagerAllAccess), DriverConfig());
  stuckIo.StartDriverService(stuckService);
  stuckIo.Sleep(60000);
  stuckIo.QueryDriverServiceStatus(stuckService, status);
  EXPECT_EQ(status.currentState, service_state::StartPending);
  EXPECT_EQ(status.checkPoint, 1u);
}

TEST(SimKernelIo, DeviceControlChecksCodesAndBufferSizes) {
  SimMachine machine;
  TestDriver driver(machine);
  SimKernelIo& io = machine.Kernel();
  uint32_t in[4] = {0xCF8, 0, 0, 0};
  uint32_t out[2] = {};
  uint32_t returned = 0;
  auto call = [&](uint32_t code, size_t inSize, size_t outSize) {
    returned = 99;
    return io.DeviceControl(driver.Device(), code, std::span(reinterpret_cast<const uint8_t*>(in), inSize),
                            std::span(reinterpret_cast<uint8_t*>(out), outSize), returned);
  };
  EXPECT_TRUE(call(device_code::ReadPort32, 8, 8));
  EXPECT_EQ(returned, 8u);
  EXPECT_EQ(out[0], 0xCF8u);
  EXPECT_FALSE(call(device_code::ReadPort8, 4, 8));
  EXPECT_EQ(io.LastError(), device_error::InvalidParameter);
  EXPECT_EQ(returned, 0u);
  EXPECT_FALSE(call(device_code::WritePort32, 8, 4));
  EXPECT_FALSE(call(device_code::MapPhysical, 16, 8));
  EXPECT_FALSE(call(0x80002020, 8, 8));
  EXPECT_EQ(io.LastError(), device_error::InvalidFunction);

  in[0] = 0xC0000;
  in[1] = 1;  // above 4 GB
  in[2] = 0x1000;
  EXPECT_FALSE(call(device_code::MapPhysical, 16, 4));
  in[1] = 0;
  ASSERT_TRUE(call(device_code::MapPhysical, 16, 4));
  EXPECT_EQ(returned, 4u);
  const uint32_t first = out[0];
  ASSERT_TRUE(call(device_code::MapPhysical, 16, 4));
  EXPECT_NE(out[0], first);
  EXPECT_GE(first, SimPhysicalMemory::kFirstWindow);
  EXPECT_EQ(machine.Memory().Mappings().size(), 2u);
  EXPECT_EQ(io.DeviceControlCount(), 8u);

  // Port writes echo the value at their width.
  in[0] = 0xC000;  // the card's I/O BAR
  in[1] = 0x1234;
  ASSERT_TRUE(call(device_code::WritePort8, 8, 8));
  EXPECT_EQ(out[1], 0x34u);

  // Outside the card and the configuration ports: refused, nothing reaches the bus.
  machine.Kernel().ClearPortLog();
  in[0] = 0x80;
  EXPECT_FALSE(call(device_code::WritePort8, 8, 8));
  EXPECT_EQ(io.LastError(), device_error::AccessDenied);
  EXPECT_TRUE(machine.Kernel().PortLog().empty());
  in[0] = 0x00100000;  // system RAM
  in[1] = 0;
  in[2] = 0x1000;
  EXPECT_FALSE(call(device_code::MapPhysical, 16, 4));
  EXPECT_EQ(io.LastError(), device_error::AccessDenied);
}

// Each mapping belongs to the opening that made it: another opening cannot unmap it,
// and closing the handle releases what its owner left mapped.
TEST(SimKernelIo, MappingsBelongToTheirOpeningAndGoWithIt) {
  SimMachine machine;
  TestDriver owner(machine);
  const uint32_t bios = owner.Map(0xC0000, 0xFFFF);
  const uint32_t regs = owner.Map(0xFF8F0000, 0xFFFF);
  ASSERT_TRUE(bios && regs);
  {
    TestDriver other(machine);
    EXPECT_FALSE(other.Unmap(bios));
    EXPECT_NE(other.Map(0xC0000, 0x1000), 0u);  // left mapped: its close releases it
  }
  EXPECT_EQ(machine.Memory().Mappings().size(), 2u);
  EXPECT_TRUE(owner.Unmap(bios));
  EXPECT_FALSE(owner.Unmap(bios));
  EXPECT_TRUE(machine.Kernel().CloseDevice(owner.Device()));
  EXPECT_TRUE(machine.Memory().Mappings().empty());
  EXPECT_EQ(machine.Memory().FaultCount(), 0u);
}

}  // namespace
}  // namespace corvane::platform::sim
