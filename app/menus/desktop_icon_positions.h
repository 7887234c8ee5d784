#pragma once
// Saving and restoring where the desktop's icons lie, by icon text, in a registry key of
// the current user; and the "工具" items that do it for the user.

#include <string>

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

// One REG_BINARY value per icon, named by its text: x and y as 32-bit little-endian
// list-view coordinates. The key is replaced as a whole.
void SaveIconPositions(MenuContext& ctx, const std::wstring& key);
// Moves every icon named in `key` back; other values are skipped. Auto-arrange would
// undo the moves, so it is off meanwhile.
void RestoreIconPositions(MenuContext& ctx, const std::wstring& key);

// `LDIP1` and `DSP1` follow whether a save date is stored.
void RefreshDesktopIconItems(MenuContext& ctx, ui::TPopupMenu& pm1);
void WireDesktopIconCommands(MenuContext& ctx, ui::TPopupMenu& pm1);

}  // namespace corvane::menus
