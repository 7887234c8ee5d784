#include "app/menus/game_items.h"

#include <algorithm>

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

GameProfiles WatchGameProfiles(platform::Registry& registry) {
  return GameProfiles(registry, GamesRoot(),
                      [](platform::RegistryKey& key) { return platform::ReadRegString(key, L"File").value_or(L""); });
}

void RebuildGameMenu(MenuContext& ctx, ui::TPopupMenu& pm1, GameProfiles& games) {
  ctx.ProfileLookupList.clear();
  ui::TMenuItem& menu = pm1.Item(L"GameProfiles1");
  menu.DeleteFrom(kDeclaredItems);

  std::vector<const GameProfiles::Profile*> sorted;
  for (const GameProfiles::Profile& profile : games.Current()) sorted.push_back(&profile);
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto* a, const auto* b) {
    return UpperAscii(a->name) < UpperAscii(b->name);
  });
  for (size_t i = 0; i < sorted.size(); ++i) {
    const std::wstring& name = sorted[i]->name;
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->AutoHotkeys = false;
    item->BarBreak = i > kItemsPerColumn - 1 && i % kItemsPerColumn == 0;
    // The caption shows "&" as it is (no accelerators here), so the name is used itself.
    item->OnClick = [&ctx, name](ui::TMenuItem&) { StartGameFromMenu(ctx, name); };
    menu.Add(std::move(item));
    // A profile whose key could not be opened has no file to match.
    ctx.ProfileLookupList.push_back(UpperAscii(sorted[i]->entry.value_or(L"")) + kLookupSeparator + name);
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
