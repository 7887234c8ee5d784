#include "app/menus/color_items.h"

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
  for (const std::wstring& name : profiles->ValueNames()) {
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->AutoHotkeys = false;
    item->OnClick = [apply, name](ui::TMenuItem&) {
      if (apply) apply(name);
    };
    menu.Add(std::move(item));
  }
}

}  // namespace corvane::menus
