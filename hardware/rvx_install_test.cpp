// Installing, starting and opening the driver on the simulated service manager.

#include <gtest/gtest.h>

#include "hardware/rvx_test_support.h"

namespace corvane::hardware {
namespace {

using namespace testing;
using sim::ServiceScenario;
using Names = std::vector<std::string>;

// The service-manager and device calls before the first device I/O.
Names InstallCalls(const sim::SimKernelIo& kernel) {
  Names names;
  for (const sim::KernelCall& call : kernel.Calls()) {
    if (call.name == "DeviceControl") break;
    names.push_back(call.name);
  }
  return names;
}

std::vector<uint64_t> Sleeps(const sim::SimKernelIo& kernel) {
  std::vector<uint64_t> sleeps;
  for (const sim::KernelCall& call : kernel.Calls())
    if (call.name == "Sleep") sleeps.push_back(call.args.at(0));
  return sleeps;
}

const Names kFreshInstall = {"OpenServiceManager", "CreateDriverService",      "CloseServiceHandle",
                             "OpenDriverService",  "StartDriverService",       "QueryDriverServiceStatus",
                             "OpenDevice",         "CloseServiceHandle",       "CloseServiceHandle"};

TEST(RvxInstallTest, FirstRunInstallsADemandStartKernelDriverAndOpensIt) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::NotInstalled));
  auto rvx = MakeRvx(machine);
  EXPECT_TRUE(rvx->DriverOpen && rvx->CardFound);
  EXPECT_EQ(InstallCalls(machine.Kernel()), kFreshInstall);
  const sim::SimService* service = machine.Services().Find(L"corvane");
  ASSERT_NE(service, nullptr);
  EXPECT_EQ(service->config.displayName, L"corvane");
  EXPECT_EQ(service->config.binaryPath, L"C:\\Program Files\\Corvane\\corvane.sys");
  EXPECT_EQ(std::tie(service->config.access, service->config.serviceType, service->config.startType,
                     service->config.errorControl),
            std::make_tuple(0xF01FFu, 1u, 3u, 1u));
  EXPECT_EQ(machine.Kernel().Calls()[0].args, std::vector<uint64_t>{0xF003F});
  const sim::KernelCall& open = machine.Kernel().Calls()[6];
  EXPECT_EQ(open.text, L"\\\\.\\corvane");
  EXPECT_EQ(open.args, (std::vector<uint64_t>{0xC0000000, 3, 0x80}));
}

TEST(RvxInstallTest, SecondRunAcceptsTheRunningServiceAndLeavesItRunning) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::InstalledRunning));
  EXPECT_TRUE(MakeRvx(machine)->DriverOpen);
  EXPECT_EQ(InstallCalls(machine.Kernel()),
            (Names{"OpenServiceManager", "CreateDriverService", "OpenDriverService", "StartDriverService",
                   "QueryDriverServiceStatus", "OpenDevice", "CloseServiceHandle", "CloseServiceHandle"}));
  EXPECT_EQ(machine.Kernel().CallCount("DeleteDriverService") + machine.Kernel().CallCount("ControlDriverService"), 0u);
  EXPECT_EQ(machine.Services().Find(L"corvane")->state, sim::service_state::Running);
}

TEST(RvxInstallTest, AServiceWithoutItsDeviceIsStoppedDeletedAndInstalledAfresh) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::InstalledDeviceMissing));
  auto rvx = MakeRvx(machine);
  EXPECT_TRUE(rvx->DriverOpen && rvx->CardFound);
  Names expected = {"OpenServiceManager", "CreateDriverService",  "OpenDriverService",   "StartDriverService",
                    "QueryDriverServiceStatus", "OpenDevice", "ControlDriverService", "DeleteDriverService",
                    "CloseServiceHandle", "CloseServiceHandle"};
  expected.insert(expected.end(), kFreshInstall.begin(), kFreshInstall.end());
  EXPECT_EQ(InstallCalls(machine.Kernel()), expected);
  ASSERT_NE(machine.Services().Find(L"corvane"), nullptr);
  EXPECT_EQ(machine.Services().Find(L"corvane")->startCount, 1u);
}

TEST(RvxInstallTest, WithoutAdministratorRightsTheDriverStaysClosedAfterOneRetry) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::NoAdminRights));
  auto rvx = MakeRvx(machine);
  EXPECT_FALSE(rvx->DriverOpen || rvx->CardFound);
  EXPECT_EQ(rvx->DeviceHandle, platform::kInvalidDevice);
  EXPECT_EQ(machine.Kernel().CallNames(), (Names{"OpenServiceManager", "OpenServiceManager"}));
}

TEST(RvxInstallTest, AStartTheSystemRefusesDeletesTheServiceWithoutRetrying) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::NotInstalled));
  machine.Services().startError = platform::KernelError::DllInitFailed;  // as under Wine
  auto rvx = MakeRvx(machine);
  EXPECT_FALSE(rvx->DriverOpen);
  EXPECT_EQ(machine.Kernel().CallCount("OpenServiceManager"), 1u);
  EXPECT_EQ(machine.Kernel().CallCount("OpenDevice"), 0u);
  EXPECT_EQ(machine.Services().ServiceCount(), 0u);
}

TEST(RvxInstallTest, OutsideTheNtFamilyNothingIsInstalledAndEveryReadIsZero) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::NonNtPlatform));
  auto rvx = MakeRvx(machine);
  EXPECT_TRUE(rvx->DriverOpen);
  EXPECT_EQ(rvx->DeviceHandle, platform::kNoHandle);
  EXPECT_FALSE(rvx->CardFound);
  EXPECT_EQ(rvx->PortRead32(0xCFC) | rvx->PciRead16(1, 0, 0, 0) | rvx->MapPhysical(0xC0000, 0xFFFF), 0u);
  EXPECT_TRUE(machine.Kernel().Calls().empty());
}

TEST(RvxInstallTest, APendingStartIsWaitedOutWhileItsCheckPointMoves) {
  // Running 2.5 s after the start; a 3 s wait hint gives the shortest pause, 1 s.
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::StartPending));
  EXPECT_TRUE(MakeRvx(machine)->DriverOpen);
  EXPECT_EQ(Sleeps(machine.Kernel()), (std::vector<uint64_t>{1000, 1000, 1000}));
}

TEST(RvxInstallTest, AHungStartIsGivenUpOnceTheCheckPointStandsStillPastTheHint) {
  sim::SimMachine machine("9800 PRO", Scenario(ServiceScenario::StartPending));
  machine.Services().startPending = sim::StartPendingProfile{sim::StartPendingProfile::kNever, 0, 200000};
  EXPECT_FALSE(MakeRvx(machine)->DriverOpen);
  // Pauses capped at 10 s; the 21st passes the 200 s hint. The retry cannot recreate a
  // service that never stopped, so there is no second wait.
  EXPECT_EQ(Sleeps(machine.Kernel()), std::vector<uint64_t>(21, 10000));
}

// Every way through the installer and the card work after it gives back every handle
// and mapping.
class RvxHandleTest : public ::testing::TestWithParam<ServiceScenario> {};

TEST_P(RvxHandleTest, NothingIsLeftOpen) {
  sim::SimMachine machine("9800 PRO", Scenario(GetParam()));
  MakeRvx(machine)->SetClocks(false, 400, 350);
  EXPECT_EQ(machine.Kernel().OpenHandleCount(), 0u);
  EXPECT_EQ(machine.Kernel().BadHandleUses(), 0u);
  EXPECT_TRUE(machine.Memory().Mappings().empty());
  EXPECT_EQ(machine.Memory().FaultCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(AllScenarios, RvxHandleTest,
                         ::testing::Values(ServiceScenario::NotInstalled, ServiceScenario::InstalledRunning,
                                           ServiceScenario::InstalledDeviceMissing, ServiceScenario::NoAdminRights,
                                           ServiceScenario::NonNtPlatform, ServiceScenario::StartPending));

}  // namespace
}  // namespace corvane::hardware
