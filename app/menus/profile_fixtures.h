#pragma once
// Game, overclocking and display profiles in bulk, for measuring the menu refresh.

#include <string>
#include <vector>

#include "settings/global.h"
#include "app/menus/menu_context.h"
#include "app/menus/menu_text.h"
#include "platform/registry.h"
#include "platform/registry_values.h"

namespace corvane::menus {

inline void FillMenuProfiles(platform::Registry& registry, int count) {
  using platform::RegistryRoot;
  for (int i = 0; i < count; ++i) {
    const std::wstring n = std::to_wstring(i);
    auto game = registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"Games\\Game " + n, true);
    platform::WriteRegString(*game, L"File", L"C:\\Games\\" + n + L"\\game.exe");
    platform::WriteRegString(*game, L"File_Params", L"-fullscreen");
    auto over = registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"over\\Clock " + n, true);
    for (const wchar_t* name : {L"vpu", L"mem", L"t1", L"t2", L"t3"}) platform::WriteRegDouble(*over, name, 300 + i);
    registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"Display\\Layout " + n, true);
  }
}

// The main form's side of the menus with nothing wired: enough to run a refresh.
struct UnwiredMainForm {
  std::wstring driverKey = L"SYSTEM\\CurrentControlSet\\Control\\Video\\{GUID}\\0000";
  settings::MainIniSwitches ini;
  bool aceMode = false;
  bool dialogOpen = false;
  bool hotkeyEditorOpen = false;
  QualityCounters quality;
  std::vector<std::wstring> lookup;

  MenuContext Context(platform::Ports& ports, settings::TRegValues& reg1, hardware::TRVX*& rvx) {
    return MenuContext{.ports = ports,
                       .reg1 = reg1,
                       .rvx = rvx,
                       .driverKeyPath = driverKey,
                       .ini = ini,
                       .AceMode = aceMode,
                       .DialogOpen = dialogOpen,
                       .HotkeyEditorOpen = hotkeyEditorOpen,
                       .quality = quality,
                       .ProfileLookupList = lookup,
                       .calls = {},
                       .dialogs = {},
                       .hooks = {}};
  }
};

}  // namespace corvane::menus
