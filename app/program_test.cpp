#include "app/program.h"

#include <gtest/gtest.h>

#include "ui/form_renderer_sim.h"

#include "settings/global.h"
#include "app/main_form.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_driver_library.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"

namespace corvane {
namespace {

// A window whose message loop ends at once, as if "退出" was chosen straight away.
class ClosingHost final : public MainWindowHost, public MainFormWindow {
 public:
  MainFormWindow& Window() override { return *this; }
  int Run(TfrmMainQRX& form) override {
    ++runs;
    form.FormClose();
    return 0;
  }
  platform::WindowHandle Handle() const override { return 1; }
  void HideMainWindow() override {}
  void BringToForeground() override {}
  ScreenPoint CursorPosition() override { return {}; }
  void PopupMenu(ui::TPopupMenu&, ScreenPoint) override {}
  void Close() override {}
  void ShowHelp(const std::wstring&, uint32_t, uintptr_t) override {}
  ui::FormRenderer& Forms() override { return forms; }
  ui::SimFormRenderer forms;

  int runs = 0;
};

class ProgramTest : public ::testing::Test {
 protected:
  platform::SimPlatform sim;
  platform::sim::SimMachine machine;
  platform::sim::SimAtiDriver displayDriver;
  platform::sim::SimDriverLibrary driverLibrary{sim.displayDevices};
  ProgramEnvironment environment{sim.ports, {machine.Kernel(), machine.Registers(), displayDriver, driverLibrary},
                                 L"C:\\Corvane\\",
                                 CommandLine(), 4242, false};
  ClosingHost host;
};

TEST_F(ProgramTest, FirstInstanceRunsTheLoopAndLeavesNothingBehind) {
  EXPECT_EQ(RunProgram(environment, host), 0);
  EXPECT_EQ(host.runs, 1);
  EXPECT_EQ(sim.notifyIcon.IconCount(), 0u);
  EXPECT_EQ(machine.Kernel().OpenHandleCount(), 0u);
  // The mutex went with the process: a later start is a first instance again.
  EXPECT_FALSE(sim.namedObjects.CreateNamedMutex(L"corvane").alreadyExisted);
  auto key = sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProgramKey, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(platform::ReadRegDword(*key, L"Proc_ID"), 4242u);
}

TEST_F(ProgramTest, SecondInstanceNeverReachesTheLoop) {
  auto firstInstance = sim.namedObjects.CreateNamedMutex(L"corvane");
  EXPECT_EQ(RunProgram(environment, host), 0);
  EXPECT_EQ(host.runs, 0);
  EXPECT_TRUE(sim.notifyIcon.Calls().empty());
  EXPECT_EQ(sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProgramKey, false), nullptr);
}

}  // namespace
}  // namespace corvane
