#pragma once
// The whole program on the simulated machine, for tests of what a game run does to the
// driver, the card, the desktop and the registry.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "app/main_form.h"
#include "games/game_profile.h"
#include "hardware/overclocking/profile_store.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_driver_library.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"
#include "settings/global.h"
#include "ui/form_renderer_sim.h"

namespace corvane::games::testing {

class FakeWindow final : public MainFormWindow {
 public:
  platform::WindowHandle Handle() const override { return 0x10A4; }
  void HideMainWindow() override {}
  void BringToForeground() override { ++foregrounds; }
  ScreenPoint CursorPosition() override { return {}; }
  void PopupMenu(ui::TPopupMenu&, ScreenPoint) override {}
  void Close() override { ++closes; }
  void ShowHelp(const std::wstring&, uint32_t, uintptr_t) override {}
  ui::FormRenderer& Forms() override { return forms; }

  ui::SimFormRenderer forms;
  int foregrounds = 0;
  int closes = 0;
};

class ProgramRig : public ::testing::Test {
 protected:
  platform::SimPlatform sim;
  platform::sim::SimMachine machine;
  platform::sim::SimAtiDriver displayDriver;
  platform::sim::SimDriverLibrary driverLibrary{sim.displayDevices};
  FakeWindow window;
  std::unique_ptr<ProgramEnvironment> environment;
  std::unique_ptr<TfrmMainQRX> form;

  // A new run of the program on the same machine; the earlier one ends without closing
  // (killed, crashed) unless it was closed.
  TfrmMainQRX& Start(std::vector<std::wstring> parameters = {}) {
    form.reset();
    environment = std::make_unique<ProgramEnvironment>(ProgramEnvironment{
        sim.ports, HardwarePorts{machine.Kernel(), machine.Registers(), displayDriver, driverLibrary},
        L"C:\\Corvane\\", CommandLine(std::move(parameters)), 4242, true});
    form = std::make_unique<TfrmMainQRX>(*environment, window, false);
    EXPECT_TRUE(form->FormCreate());
    return *form;
  }

  std::unique_ptr<platform::RegistryKey> Key(const std::wstring& path) {
    return sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, path, true);
  }
  void StoreGame(const std::wstring& name, const GameProfile& profile) {
    WriteGameProfile(sim.registry, global::ProfilesRoot, name, profile);
  }
  void StoreOverProfile(const std::wstring& name, double core, double mem) {
    overclocking::WriteOverProfile(sim.registry, name, core, mem, 0, 0, 0);
  }
  // A colour profile of brightness `level` on all three channels.
  void StoreColorProfile(const std::wstring& name, uint8_t level) {
    uint8_t values[36] = {};
    for (int channel = 0; channel < 3; ++channel) values[channel * 12 + 8] = level;
    platform::WriteRegBinary(*Key(global::ProfilesRoot + L"colors"), name, values);
  }

  // The driver's Direct3D anti-aliasing text as the driver holds it.
  std::wstring DriverText(const std::wstring& name) {
    auto key = sim.registry.OpenKey(platform::RegistryRoot::LocalMachine, form->Display().DriverKeyPath, false);
    return key ? platform::ReadRegString(*key, name).value_or(L"") : L"";
  }
  void SetDriverText(const std::wstring& name, const std::wstring& text) {
    auto key = sim.registry.OpenKey(platform::RegistryRoot::LocalMachine, form->Display().DriverKeyPath, true);
    platform::WriteRegString(*key, name, text);
  }

  platform::DisplayMode DesktopMode() {
    return sim.displayDevices.Mode(L"\\\\.\\DISPLAY1", platform::kCurrentDisplayMode).value_or(platform::DisplayMode{});
  }
  uint32_t PaletteEntry(uint8_t index) { return machine.Card().Registers().PaletteEntry(index); }
  double CoreClock() {
    form->rvx()->ReadClocks();
    return form->rvx()->CoreClock;
  }
  bool RecordsLeft() {
    return sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"GameRestore", false) !=
           nullptr;
  }

  // Ends the game and runs the restore its watcher hands to the UI thread.
  void EndGame(uint32_t processId) {
    sim.shell.EndProcess(processId);
    ASSERT_TRUE(sim.dispatcher.WaitForPending(1, std::chrono::seconds(20)));
    sim.dispatcher.PumpAll();
  }
};

}  // namespace corvane::games::testing
