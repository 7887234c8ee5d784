#pragma once
// The commands that switch the hook libraries: the refresh-rate lock and the hotkeys,
// from their toggles and after their dialogs.

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

// Checks `mROVEnabled` and `mEHT` from the settings.
void RefreshHookToggles(MenuContext& ctx, ui::TPopupMenu& pm1);
void WireHookCommands(MenuContext& ctx, ui::TPopupMenu& pm1);

}  // namespace corvane::menus
