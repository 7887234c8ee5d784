#pragma once
// The display profiles at the end of "显示": one item per stored profile.

#include <functional>
#include <string>
#include <variant>

#include "app/menus/menu_context.h"
#include "app/menus/watched_profiles.h"
#include "ui/menu.h"

namespace corvane::menus {

// Only the names of the display profiles show, so nothing else of them is read.
using DisplayProfiles = WatchedProfiles<std::monostate>;
DisplayProfiles WatchDisplayProfiles(platform::Registry& registry);

void RebuildDisplayItems(MenuContext& ctx, ui::TPopupMenu& pm1, DisplayProfiles& profiles,
                         const std::function<void(const std::wstring& name)>& apply);

}  // namespace corvane::menus
