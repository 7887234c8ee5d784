#pragma once
// A main form's worth of state around TrayMenus, on the simulated platform and card.

#include <memory>
#include <string>
#include <vector>

#include "settings/global.h"
#include "app/menus/menu_text.h"
#include "app/menus/tray_menus.h"
#include "settings/program_settings.h"
#include "hardware/rvx.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"

namespace corvane::menus::testing {

inline const std::wstring kDriverKey = L"SYSTEM\\CurrentControlSet\\Control\\Video\\{GUID}\\0000";

struct MenuRig {
  explicit MenuRig(bool withCard = true) {
    if (withCard) {
      rvxOwner = std::make_unique<hardware::TRVX>(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
      rvx = rvxOwner.get();
    }
    calls.UpdateTrayTip = [this] { ++tipUpdates; };
    calls.TrayMenuDone = [this] { ++trayMenuDone; };
    calls.HideMainWindow = [this] { ++hidden; };
    calls.Close = [this] { ++closed; };
  }

  // The rig's state as the menus see it, through `ports`.
  MenuContext Context(platform::Ports& ports) {
    return MenuContext{.ports = ports,
                       .reg1 = *reg1,
                       .rvx = rvx,
                       .driverKeyPath = driverKey,
                       .ini = ini,
                       .AceMode = aceMode,
                       .DialogOpen = dialogOpen,
                       .HotkeyEditorOpen = hotkeyEditorOpen,
                       .quality = quality,
                       .ProfileLookupList = lookup,
                       .calls = calls,
                       .dialogs = dialogs,
                       .hooks = hooks};
  }
  TrayMenus& Menus() {
    if (!menus) menus = std::make_unique<TrayMenus>(Context(sim.ports));
    return *menus;
  }
  ui::TPopupMenu& pm1() { return Menus().pm1; }
  ui::TMenuItem& Item(const wchar_t* name) { return Menus().pm1.Item(name); }

  std::unique_ptr<platform::RegistryKey> Key(platform::RegistryRoot root, const std::wstring& path) {
    return sim.registry.OpenKey(root, path, true);
  }
  std::unique_ptr<platform::RegistryKey> Profile(const std::wstring& kind, const std::wstring& name) {
    return Key(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + kind + L"\\" + name);
  }
  void SetDriverValue(const std::wstring& name, const std::wstring& value) {
    platform::WriteRegString(*Key(platform::RegistryRoot::LocalMachine, driverKey), name, value);
  }
  std::vector<std::wstring> Captions(const wchar_t* menu, size_t from = 0) {
    std::vector<std::wstring> out;
    ui::TMenuItem& parent = Item(menu);
    for (size_t i = from; i < parent.Count(); ++i) out.push_back(parent[i].Caption);
    return out;
  }

  platform::SimPlatform sim;
  platform::sim::SimMachine machine;
  std::unique_ptr<hardware::TRVX> rvxOwner;
  hardware::TRVX* rvx = nullptr;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(sim.registry);
  std::wstring driverKey = kDriverKey;
  settings::MainIniSwitches ini;
  bool aceMode = false;
  bool dialogOpen = false;
  bool hotkeyEditorOpen = false;
  QualityCounters quality;
  std::vector<std::wstring> lookup;
  MainFormCalls calls;
  MenuDialogs dialogs;
  HookEntries hooks;
  int tipUpdates = 0;
  int trayMenuDone = 0;
  int hidden = 0;
  int closed = 0;
  std::unique_ptr<TrayMenus> menus;
};

}  // namespace corvane::menus::testing
