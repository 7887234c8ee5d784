// The menu refresh against the real registry (Wine's), whose change notifications tell the
// menus when to read the profiles again.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "settings/global.h"
#include "app/menus/profile_fixtures.h"
#include "app/menus/tray_menus.h"
#include "settings/program_settings.h"
#include "hardware/rvx.h"
#include "platform/counting_registry.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/win32/win32_platform.h"

namespace corvane::menus {
namespace {

using platform::RegistryRoot;

void RemoveProfiles(platform::Registry& registry) {
  for (const wchar_t* kind : {L"Games", L"over", L"Display"})
    registry.DeleteKey(RegistryRoot::CurrentUser, global::ProfilesRoot + kind);
}

// The profiles are kept between popups and read again only after Wine's registry reported
// a change: another program's edit of one profile costs the popup that profile alone.
TEST(RefreshRegistryCallsWin32, APopupReadsOnlyTheProfileAnotherProgramEdited) {
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
  menus.RefreshMenuState();  // and the next reads those profiles again
  counting.Reset();
  menus.RefreshMenuState();
  const platform::RegistryCallCounts quiet = counting.Counts();
  RecordProperty("registry_calls", static_cast<int>(quiet.Total()));
  EXPECT_LT(quiet.Total(), 50u);
  EXPECT_EQ(quiet.writeValue, 0u);
  EXPECT_EQ(mainForm.lookup.size(), static_cast<size_t>(kProfiles));

  // As regedit would: through another handle, not through the menus' registry.
  auto game = win32.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"Games\\Game 7", false);
  ASSERT_TRUE(game);
  platform::WriteRegString(*game, L"File", L"D:\\edited.exe");
  counting.Reset();
  menus.RefreshMenuState();
  // The games' key and its list, the edited game's key and its file.
  EXPECT_EQ(counting.Counts().Total(), quiet.Total() + 4u);
  EXPECT_NE(std::find(mainForm.lookup.begin(), mainForm.lookup.end(), std::wstring(L"D:\\EDITED.EXE\x13Game 7")),
            mainForm.lookup.end());
  RemoveProfiles(win32.registry);
}

}  // namespace
}  // namespace corvane::menus
