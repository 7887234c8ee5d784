#include "app/menus/display_items.h"

#include "settings/global.h"
#include "app/menus/menu_text.h"

namespace corvane::menus {

namespace {
// Settings, overlay, extended desktop, separator, the three tools, separator, single display.
constexpr size_t kDeclaredItems = 9;
}  // namespace

void RebuildDisplayItems(MenuContext& ctx, ui::TPopupMenu& pm1,
                         const std::function<void(const std::wstring& name)>& apply) {
  auto profiles =
      ctx.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"Display", true);
  ui::TMenuItem& menu = pm1.Item(L"Display1");
  menu.DeleteFrom(kDeclaredItems);
  if (!profiles) return;
  std::vector<std::wstring> names = profiles->SubKeyNames();
  // The game launcher's backup is not the user's to apply.
  std::erase(names, std::wstring(L"$$"));
  AddProfileItems(menu, SortedNames(std::move(names)), apply);
}

}  // namespace corvane::menus
