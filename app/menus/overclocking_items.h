#pragma once
// The overclocking profiles under "硬件": one radio item per stored profile, captioned with
// its list entry (hardware/overclocking/profile_store.h), the profile matching the card's
// clocks checked.

#include <functional>
#include <string>

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

using ApplyProfileCall = std::function<void(const std::wstring& name)>;

// Without an open kernel driver only the dialog item's caption changes, to the error.
void RebuildOverclockingItems(MenuContext& ctx, ui::TPopupMenu& pm1, const ApplyProfileCall& apply);

}  // namespace corvane::menus
