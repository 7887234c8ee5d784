#pragma once
// The colour profiles at the end of "颜色": one item per stored profile, which applies it.

#include <functional>
#include <string>

#include "app/menus/menu_context.h"
#include "ui/menu.h"

namespace corvane::menus {

void RebuildColorItems(MenuContext& ctx, ui::TPopupMenu& pm1,
                       const std::function<void(const std::wstring& name)>& apply);

}  // namespace corvane::menus
