// The menu refresh against the real registry (Wine's): the same calls as on the
// simulation, each key opened once and read while open.
#include <gtest/gtest.h>

#include <memory>

#include "settings/global.h"
#include "app/menus/profile_fixtures.h"
#include "app/menus/tray_menus.h"
#include "settings/program_settings.h"
#include "hardware/rvx.h"
#include "platform/counting_registry.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/win32/win32_platform.h"

namespace corvane::menus {
namespace {

using platform::RegistryRoot;

void RemoveProfiles(platform::Registry& registry) {
  for (const wchar_t* kind : {L"Games", L"over", L"Display"})
    registry.DeleteKey(RegistryRoot::CurrentUser, global::ProfilesRoot + kind);
}

TEST(RefreshRegistryCallsWin32, HundredProfilesOfEachKindCostTheSameCallsAsSimulated) {
  constexpr int kProfiles = 100;
  platform::Win32Platform win32;
  RemoveProfiles(win32.registry);
  FillMenuProfiles(win32.registry, kProfiles);

  platform::CountingRegistry counting(win32.registry);
  platform::Ports ports = win32.ports;
  platform::Ports countedPorts{counting,      ports.iniFiles, ports.namedObjects,   ports.windowMessages,
                               ports.threading, ports.dispatcher, ports.clock,      ports.user,
                               ports.displayDevices, ports.shell, ports.notifyIcon, ports.desktopIcons};
  platform::sim::SimMachine machine;
  auto owner = std::make_unique<hardware::TRVX>(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
  hardware::TRVX* rvx = owner.get();
  auto reg1 = settings::CreateProgramSettings(win32.registry);
  reg1->AutoSave = false;
  UnwiredMainForm mainForm;
  TrayMenus menus(mainForm.Context(countedPorts, *reg1, rvx));
  menus.RefreshMenuState();  // the first refresh writes missing timing values back
  counting.Reset();
  menus.RefreshMenuState();

  const platform::RegistryCallCounts& counts = counting.Counts();
  RecordProperty("registry_calls", static_cast<int>(counts.Total()));
  EXPECT_EQ(counts.openKey, 6u + 2u * kProfiles);
  EXPECT_EQ(counts.Reads(), 1u + 6u * kProfiles);
  EXPECT_EQ(counts.writeValue, 0u);
  EXPECT_EQ(counts.Total(), 10u + 8u * kProfiles);
  EXPECT_EQ(mainForm.lookup.size(), static_cast<size_t>(kProfiles));
  RemoveProfiles(win32.registry);
}

}  // namespace
}  // namespace corvane::menus
