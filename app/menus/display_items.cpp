#include "app/menus/display_items.h"

#include "settings/global.h"
#include "app/menus/menu_text.h"

namespace corvane::menus {

namespace {
// Settings, overlay, extended desktop, separator, the three tools, separator, single display.
constexpr size_t kDeclaredItems = 9;
}  // namespace

DisplayProfiles WatchDisplayProfiles(platform::Registry& registry) {
  return DisplayProfiles(registry, global::ProfilesRoot + L"Display");
}

void RebuildDisplayItems(MenuContext&, ui::TPopupMenu& pm1, DisplayProfiles& profiles,
                         const std::function<void(const std::wstring& name)>& apply) {
  ui::TMenuItem& menu = pm1.Item(L"Display1");
  menu.DeleteFrom(kDeclaredItems);
  std::vector<std::wstring> names;
  for (const DisplayProfiles::Profile& profile : profiles.Current())
    // The game launcher's backup is not the user's to apply.
    if (profile.name != L"$$") names.push_back(profile.name);
  AddProfileItems(menu, SortedNames(std::move(names)), apply);
}

}  // namespace corvane::menus
