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
  for (const std::wstring& name : SortedNames(profiles->SubKeyNames())) {
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->AutoHotkeys = false;
    // The caption shows "&" as it is (no accelerators here), so the name is used itself.
    item->OnClick = [apply, name](ui::TMenuItem&) {
      if (apply) apply(name);
    };
    menu.Add(std::move(item));
  }
}

}  // namespace corvane::menus
