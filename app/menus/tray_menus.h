#pragma once
// The two tray menus of the main form: `pm1`, the command surface, and `pm2`, the
// resolution menu. Owns the menu models and what the commands keep between popups (the
// ATI tool commands, the HYDRAVISION tool paths); everything else comes through the main
// form's MenuContext.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/menus/ati_tools.h"
#include "app/menus/color_items.h"
#include "app/menus/display_items.h"
#include "app/menus/game_items.h"
#include "app/menus/menu_context.h"
#include "app/menus/overclocking_items.h"
#include "ui/menu.h"

namespace corvane::menus {

// Refresh steps and commands whose subject is built elsewhere (3D settings, 3D profiles,
// displays, overclocking profiles). Each runs in its place when set; empty, it is skipped.
struct PluggedBehaviour {
  std::function<void()> refreshQuick3DSettings;  // checks of the Direct3D, OpenGL, tweak items
  std::function<void()> rebuildProfileMenus;     // Direct3DP1, OpenGLP1
  std::function<void()> refreshDisplayState;     // rotation and extended-desktop checks
  std::function<void()> readDisplayLimits;       // kept for the displays dialog
  std::function<void(const std::wstring& name)> applyOverProfile;
  std::function<void(const std::wstring& name)> applyDisplayProfile;
  std::function<void(const std::wstring& name)> applyColorProfile;
};

class TrayMenus {
 public:
  explicit TrayMenus(MenuContext context);
  TrayMenus(const TrayMenus&) = delete;
  TrayMenus& operator=(const TrayMenus&) = delete;

  ui::TPopupMenu pm1;
  ui::TPopupMenu pm2;
  PluggedBehaviour plugged;

  // Start-up, once AceMode is known: the 3D menu layout of the storage mode and the
  // corvane.ini hides.
  void AdaptToStartUp();
  // Start-up: the HYDRAVISION tools are looked for once; the menu shows only with them.
  void DetectHydraVision();
  // The disabled card item: "Radeon <model> (<id>)"; an unknown id leaves it empty.
  void SetCardCaption(uint16_t deviceId);

  // pm1's popup event: a changed storage mode only warns (the program must restart);
  // otherwise the menu state is rebuilt.
  void pm1Popup();
  // Rebuilds checks, captions and dynamic items from the registry and the card; also run
  // at start-up and after the shell restarts.
  void RefreshMenuState();

  // Desktop icon positions under `key` (HKEY_CURRENT_USER); the game launcher uses these
  // with its own key.
  void SaveIconPositions(const std::wstring& key);
  void RestoreIconPositions(const std::wstring& key);

  const std::vector<std::wstring>& AtiToolCommands() const { return atiToolCommands_; }
  const HydraVisionTools& HydraVision() const { return hydraVision_; }
  MenuContext& Context() { return ctx_; }

 private:
  void WireCommands();
  void WireDialogCommands();

  MenuContext ctx_;
  // The profiles the menus list, kept between popups and read again after a change.
  GameProfiles games_;
  OverProfiles overProfiles_;
  DisplayProfiles displayProfiles_;
  ColorProfiles colorProfiles_;
  std::vector<std::wstring> atiToolCommands_;
  HydraVisionTools hydraVision_;
};

// The card item's caption for a PCI device id; empty when the id is not known.
std::wstring CardCaption(uint16_t deviceId);

}  // namespace corvane::menus
