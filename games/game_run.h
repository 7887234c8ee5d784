#pragma once
// What one game's run holds from the start of the game to the restore after it: the
// profile's choices copied at the start and the state found before the game.

#include <cstdint>
#include <optional>
#include <string>

#include "display/color/color_table.h"
#include "games/game_profile.h"
#include "platform/display_devices.h"

namespace corvane::games {

struct GameRun {
  std::wstring profileName;
  uint32_t processId = 0;
  // When the game's process was created; 0 when unknown.
  uint64_t processStart = 0;
  GameProfile profile;

  // The desktop mode found before the game, when the launcher switched it.
  std::optional<platform::DisplayMode> desktopMode;
  // The palette found in the card before the forced colour table was written.
  std::optional<display::ColorTable> savedTable;
  // The table kept in force while the game runs (from profile.ColorProfile).
  display::ColorTable forcedTable{};

  bool ColorForced() const { return !profile.ColorProfile.empty(); }
};

}  // namespace corvane::games
