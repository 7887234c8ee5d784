#pragma once
// ATI's own programs in the tray menu: the tools the driver package registers
// ("ATI 软件"), the HYDRAVISION desktop tools and the two display tools. The menu only
// starts them; nothing they return is looked at.

#include <string>
#include <vector>

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

struct HydraVisionTools {
  bool present = false;
  std::wstring controlPanel;    // HydraCPL "Executable"
  std::wstring desktopManager;  // HydraDM
  std::wstring multiDesktop;    // HydraMD
};

// Refills `atiSoftware` and `commands` from the driver package's registration; hides the
// submenu when no tools are registered. Each item's tag is its command's index.
void RebuildAtiTools(MenuContext& ctx, ui::TMenuItem& atiSoftware, std::vector<std::wstring>& commands);

// All three HYDRAVISION keys must exist for the menu to show.
HydraVisionTools DetectHydraVisionTools(platform::Registry& registry);

// "Load"/"Unload" captions by whether the tools' windows are up; the tag remembers which.
void RefreshHydraVisionCaptions(MenuContext& ctx, ui::TPopupMenu& pm1);

// Click handlers of the HYDRAVISION items and the display tools.
void WireToolCommands(MenuContext& ctx, ui::TPopupMenu& pm1, const HydraVisionTools& tools);

}  // namespace corvane::menus
