#pragma once
// The overclocking profiles under "硬件": one radio item per stored profile, captioned with
// its clocks and timing flags, the profile matching the card's clocks checked.

#include <functional>
#include <string>

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

using ApplyProfileCall = std::function<void(const std::wstring& name)>;

// "name * core:mem T1 T2 T3"; `memoryFactor` is 2 when DDR clocks are shown.
std::wstring OverclockingCaption(const std::wstring& name, double vpu, double mem, int memoryFactor, bool t1,
                                 bool t2, bool t3);
// The profile name back from a caption: the text before the blank before the first '*'.
std::wstring ProfileNameFromCaption(const std::wstring& caption);

// Without an open kernel driver only the dialog item's caption changes, to the error.
void RebuildOverclockingItems(MenuContext& ctx, ui::TPopupMenu& pm1, const ApplyProfileCall& apply);

}  // namespace corvane::menus
