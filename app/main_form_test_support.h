#pragma once
// The main form on the simulated platform: its window fake and the fixture its tests share.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_driver_library.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"
#include "settings/global.h"
#include "ui/form_renderer_sim.h"

namespace corvane::main_form_testing {

using platform::NotifyIconCall;
using platform::RegistryRoot;
namespace sim = platform::sim;

constexpr platform::WindowHandle kWindow = 0x10A4;

struct HelpRequest {
  std::wstring file;
  uint32_t command = 0;
  uintptr_t data = 0;
  bool operator==(const HelpRequest&) const = default;
};

// The window as the main form sees it, with what was asked of it.
class FakeWindow final : public MainFormWindow {
 public:
  explicit FakeWindow(platform::SimNotifyIcon& tray) : tray_(tray) {}
  platform::WindowHandle Handle() const override { return kWindow; }
  void HideMainWindow() override { trayCallsWhenHidden.push_back(tray_.Calls().size()); }
  void BringToForeground() override { ++foregrounds; }
  ScreenPoint CursorPosition() override { return {700, 740}; }
  void PopupMenu(ui::TPopupMenu& menu, ScreenPoint at) override {
    shownMenus.push_back(menu.Name);
    EXPECT_EQ(at.x, 700);
    EXPECT_EQ(at.y, 740);
  }
  void Close() override { ++closes; }
  void ShowHelp(const std::wstring& file, uint32_t command, uintptr_t data) override {
    helpRequests.push_back({file, command, data});
  }
  ui::FormRenderer& Forms() override { return forms; }
  void UseSkinnedMenus(bool skinned) override { skinnedMenus.push_back(skinned); }
  std::vector<bool> skinnedMenus;
  ui::SimFormRenderer forms;
  std::vector<HelpRequest> helpRequests;

  std::vector<size_t> trayCallsWhenHidden;
  std::vector<std::wstring> shownMenus;
  int foregrounds = 0;
  int closes = 0;

 private:
  platform::SimNotifyIcon& tray_;
};

class MainFormTest : public ::testing::Test {
 protected:
  platform::SimPlatform sim;
  sim::SimMachine machine;
  sim::SimAtiDriver displayDriver;
  sim::SimDriverLibrary driverLibrary{sim.displayDevices};
  FakeWindow window{sim.notifyIcon};

  ProgramEnvironment Environment(std::vector<std::wstring> parameters = {}, uint32_t processId = 4242) {
    return ProgramEnvironment{sim.ports, Card(machine), L"C:\\Corvane\\",
                              CommandLine(std::move(parameters)), processId, true};
  }
  HardwarePorts Card(sim::SimMachine& card) {
    return {card.Kernel(), card.Registers(), displayDriver, driverLibrary};
  }
  std::unique_ptr<platform::RegistryKey> SettingsKey(bool create = false) {
    return sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProgramKey, create);
  }
  void StoreGameProfile(const std::wstring& name, const std::wstring& file, const std::wstring& parameters) {
    auto key = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"Games\\" + name, true);
    platform::WriteRegString(*key, L"File", file);
    platform::WriteRegString(*key, L"File_Params", parameters);
  }
  std::vector<platform::MessageBoxRequest> Messages() const {
    std::vector<platform::MessageBoxRequest> requests;
    for (const auto& shown : sim.user.History()) requests.push_back(shown.request);
    return requests;
  }
};

}  // namespace corvane::main_form_testing
