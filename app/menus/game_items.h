#pragma once
// The game profiles under "游戏配置": one item per profile that starts the profile's game,
// and the lookup list the application monitor matches started programs against.

#include <string>

#include "app/menus/menu_context.h"
#include "app/menus/watched_profiles.h"
#include "ui/menu.h"

namespace corvane::menus {

// Separates the upper-cased file from the profile name in a lookup line.
inline constexpr wchar_t kLookupSeparator = L'\x13';

// The game profiles as last read, each with its "File".
using GameProfiles = WatchedProfiles<std::wstring>;
GameProfiles WatchGameProfiles(platform::Registry& registry);

// Refills the submenu and the lookup list from `games`, which reads the registry again
// only after a change.
void RebuildGameMenu(MenuContext& ctx, ui::TPopupMenu& pm1, GameProfiles& games);

// Starts the game of the named profile ("&" already removed): its "File" with its
// "File_Params", in the file's own folder. Nothing when the profile has no file.
void StartGameFromMenu(MenuContext& ctx, const std::wstring& name);

}  // namespace corvane::menus
