#pragma once
// The display profiles at the end of "显示": one item per stored profile.

#include <functional>
#include <string>

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

void RebuildDisplayItems(MenuContext& ctx, ui::TPopupMenu& pm1,
                         const std::function<void(const std::wstring& name)>& apply);

}  // namespace corvane::menus
