#pragma once
// The colour profiles at the end of "颜色": one item per stored profile, which applies it.

#include <functional>
#include <string>
#include <vector>

#include "app/menus/menu_context.h"
#include "platform/key_watch.h"
#include "ui/menu.h"

namespace corvane::menus {

// The colour profiles' names as last read (they are the values of one key).
struct ColorProfiles {
  explicit ColorProfiles(platform::Registry& registry);
  platform::KeyWatch watch;
  std::vector<std::wstring> names;
};

// Reads the names again only after the key changed.
void RebuildColorItems(MenuContext& ctx, ui::TPopupMenu& pm1, ColorProfiles& profiles,
                       const std::function<void(const std::wstring& name)>& apply);

}  // namespace corvane::menus
