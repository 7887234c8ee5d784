#include "app/menus/color_items.h"

#include "app/menus/menu_text.h"
#include "settings/global.h"

namespace corvane::menus {

namespace {
// "设置" and the separator under it.
constexpr size_t kDeclaredItems = 2;
}  // namespace

void RebuildColorItems(MenuContext& ctx, ui::TPopupMenu& pm1,
                       const std::function<void(const std::wstring& name)>& apply) {
  ui::TMenuItem& menu = pm1.Item(L"Colors1");
  menu.DeleteFrom(kDeclaredItems);
  auto profiles =
      ctx.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"colors", false);
  if (!profiles) return;
  AddProfileItems(menu, profiles->ValueNames(), apply);
}

}  // namespace corvane::menus
