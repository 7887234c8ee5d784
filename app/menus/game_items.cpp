#include "app/menus/game_items.h"

#include "settings/global.h"
#include "settings/profile_name.h"
#include "app/menus/menu_text.h"
#include "platform/registry_values.h"
#include "platform/shell.h"

namespace corvane::menus {

namespace {

// "管理配置" and its separator are declared.
constexpr size_t kDeclaredItems = 2;
// The menu starts a new column every fifteen profiles so it stays on the screen.
constexpr size_t kItemsPerColumn = 15;

const std::wstring& GamesRoot() {
  static const std::wstring root = global::ProfilesRoot + L"Games";
  return root;
}

}  // namespace

void RebuildGameMenu(MenuContext& ctx, ui::TPopupMenu& pm1) {
  auto games = ctx.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser, GamesRoot(), true);
  ctx.ProfileLookupList.clear();
  ui::TMenuItem& menu = pm1.Item(L"GameProfiles1");
  menu.DeleteFrom(kDeclaredItems);
  if (!games) return;

  const std::vector<std::wstring> names = SortedNames(games->SubKeyNames());
  for (size_t i = 0; i < names.size(); ++i) {
    const std::wstring& name = names[i];
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->AutoHotkeys = false;
    item->BarBreak = i > kItemsPerColumn - 1 && i % kItemsPerColumn == 0;
    // The caption shows "&" as it is (no accelerators here), so the name is used itself.
    item->OnClick = [&ctx, name](ui::TMenuItem&) { StartGameFromMenu(ctx, name); };
    menu.Add(std::move(item));

    std::wstring file;
    if (auto profile = ctx.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser, ChildKey(GamesRoot(), name),
                                                  false))
      file = platform::ReadRegString(*profile, L"File").value_or(L"");
    ctx.ProfileLookupList.push_back(UpperAscii(file) + kLookupSeparator + name);
  }
}

void StartGameFromMenu(MenuContext& ctx, const std::wstring& name) {
  if (!settings::IsProfileName(name)) return;
  auto profile = ctx.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser, ChildKey(GamesRoot(), name), false);
  if (!profile) return;
  std::wstring file = platform::ReadRegString(*profile, L"File").value_or(L"");
  std::wstring parameters = platform::ReadRegString(*profile, L"File_Params").value_or(L"");
  if (file.empty()) return;
  ctx.ports.shell.Execute({.verb = L"open",
                           .file = file,
                           .parameters = parameters,
                           .directory = FolderOf(file),
                           .show = platform::ShowCommand::Show});
}

}  // namespace corvane::menus
