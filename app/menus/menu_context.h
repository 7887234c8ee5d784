#pragma once
// What the tray menus need from the main form: the ports, the settings store, the card,
// the main form's shared flags and the operations only the main form can do (tooltip,
// dialogs, hook libraries). The main form fills one of these and hands it to TrayMenus.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/main_ini.h"
#include "settings/reg_values.h"
#include "driver3d/quality_counters.h"
#include "platform/ports.h"

namespace corvane::hardware {
class TRVX;
}

namespace corvane::menus {

using QualityCounters = driver3d::QualityCounters;

// A modal dialog the main form shows for a menu command. The menus wrap every call in
// the DialogOpen rule; the hook only creates, shows and frees the dialog. The result is
// true when the dialog closed with OK (for the overclocking dialog: when it asks for the
// main window to be hidden again). An empty hook means the dialog does not exist yet and
// the command does nothing beyond the DialogOpen rule.
using ShowDialogHook = std::function<bool()>;

struct MenuDialogs {
  ShowDialogHook gameProfileEditor;  // MPG1
  ShowDialogHook direct3D;           // Settings1
  ShowDialogHook openGL;             // Settings2
  ShowDialogHook overclocking;       // Overcloking1
  ShowDialogHook hardwareSettings;   // Settings6
  ShowDialogHook cardInformation;    // sysi1
  ShowDialogHook refreshRateLock;    // Customize1
  ShowDialogHook hotkeyEditor;       // Settings4
  ShowDialogHook colors;             // Settings5
  ShowDialogHook runTimePlugins;     // RunTimeplugins1
  ShowDialogHook displays;           // Settings7
  ShowDialogHook overlay;            // OverlaySettings1
  ShowDialogHook generalOptions;     // Options2
  ShowDialogHook about;              // About1
};

// Entry points of the hook libraries. Empty while a library is not loaded: the call is
// then skipped, as it is for a library whose entry points are missing.
struct HookEntries {
  std::function<void()> installRefreshRateHook;
  std::function<void()> uninstallRefreshRateHook;
  std::function<void()> installKeyboardHook;
  std::function<void()> uninstallKeyboardHook;
};

// Main-form operations the menu commands end with.
struct MainFormCalls {
  std::function<void()> UpdateTrayTip;
  // Minimise, hide, keep the main form unshown: after dialogs that activate it.
  std::function<void()> HideMainWindow;
  // Gives the keyboard focus back to the notification area after a menu or dialog.
  std::function<void()> TrayMenuDone;
  // Exit1: closes the main form, which ends the program.
  std::function<void()> Close;
  // Reloads the hotkey table after the hotkey editor's OK.
  std::function<void()> ReloadHotkeys;
};

struct MenuContext {
  platform::Ports& ports;
  settings::TRegValues& reg1;
  // The main form's own pointer: null before it is created and after it is freed at
  // session end, so the menus look at it each time.
  hardware::TRVX*& rvx;
  // HKEY_LOCAL_MACHINE path of the primary adapter's driver key.
  const std::wstring& driverKeyPath;
  const settings::MainIniSwitches& ini;

  // Main-form flags, shared with the rest of the program.
  bool& AceMode;
  bool& DialogOpen;
  bool& HotkeyEditorOpen;
  QualityCounters& quality;
  // Upper-cased game file + char 19 + profile name; the application monitor matches on it.
  std::vector<std::wstring>& ProfileLookupList;

  MainFormCalls calls;
  MenuDialogs dialogs;
  HookEntries hooks;
};

}  // namespace corvane::menus
