#include "app/menus/color_items.h"

#include "app/menus/menu_text.h"
#include "settings/global.h"

namespace corvane::menus {

namespace {
// "设置" and the separator under it.
constexpr size_t kDeclaredItems = 2;

const std::wstring& ColorsKey() {
  static const std::wstring key = global::ProfilesRoot + L"colors";
  return key;
}
}  // namespace

ColorProfiles::ColorProfiles(platform::Registry& registry)
    : watch(registry, platform::RegistryRoot::CurrentUser, ColorsKey()) {}

void RebuildColorItems(MenuContext& ctx, ui::TPopupMenu& pm1, ColorProfiles& profiles,
                       const std::function<void(const std::wstring& name)>& apply) {
  ui::TMenuItem& menu = pm1.Item(L"Colors1");
  menu.DeleteFrom(kDeclaredItems);
  if (profiles.watch.Changed()) {
    auto key = ctx.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser, ColorsKey(), false);
    profiles.names = key ? key->ValueNames() : std::vector<std::wstring>{};
  }
  AddProfileItems(menu, profiles.names, apply);
}

}  // namespace corvane::menus
