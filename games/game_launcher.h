#pragma once
// The game launcher: puts a game profile's settings in force when its game starts, waits
// for the game to end (TRunGame) and restores what was there before, on the UI thread.
// While a game runs, a record of what is to be restored stays in the registry, so that a
// program that ends mid-game restores it at its next start.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/color/color_table.h"
#include "games/game_run.h"
#include "games/run_game.h"
#include "platform/clock.h"
#include "platform/dispatcher.h"
#include "platform/display_devices.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/threading.h"
#include "settings/reg_values.h"

namespace corvane::games {

// The main form's operations the launcher puts settings in force with. Empty ones are skipped.
struct GameLauncherCalls {
  std::function<void(const std::wstring& name)> ApplyOverProfile;
  std::function<void(const std::wstring& name)> SaveD3DProfile;
  std::function<void(const std::wstring& name)> ApplyD3DProfile;
  std::function<void(const std::wstring& name)> SaveOpenGLProfile;
  std::function<void(const std::wstring& name)> ApplyOpenGLProfile;
  // The colour profile's table; false when there is no such profile.
  std::function<bool(const std::wstring& name, display::ColorTable& table)> LoadColorTable;
  std::function<display::ColorTable()> ReadPalette;
  std::function<void(const display::ColorTable& table)> WritePalette;
  std::function<void()> ApplyCurrentColor;
  // The primary display's mode as it is now.
  std::function<std::optional<platform::DisplayMode>()> CurrentDisplayMode;
  // False, and nothing changed, when the catalogue does not hold the mode.
  std::function<bool(const std::wstring& modeText)> SwitchToResolutionAtMaxRate;
  // Sets a desktop mode for good (the registry and every user).
  std::function<void(const platform::DisplayMode& mode)> SetDisplayMode;
  std::function<void(const std::wstring& key)> SaveIconPositions;
  std::function<void(const std::wstring& key)> RestoreIconPositions;
  std::function<void()> BringToForeground;
  // Closes the main form, which ends the program.
  std::function<void()> Close;
};

struct GameLauncherContext {
  platform::Registry& registry;
  platform::Shell& shell;
  platform::Threading& threading;
  platform::Dispatcher& dispatcher;
  platform::Clock& clock;
  settings::TRegValues& reg1;
  std::wstring profilesRoot;
  // Where the icon positions are kept while the game's resolution is in force.
  std::wstring iconsBackupKey;
  // Main-form flags.
  const bool& AceMode;
  bool& App3DRunning;
  bool& Profile3DApplied;
  GameLauncherCalls calls;
};

// The last applied game's choices, which the application monitor reads while it runs.
struct GameInForce {
  std::wstring ColorProfile;
  bool ColorForced = false;
  uint32_t UseOver = 0;
  std::wstring OverName;
  uint32_t UseAfter = 0;
  std::wstring AfterName;
};

// How often the forced colour table is checked against the card's palette.
inline constexpr uint32_t kColorGuardIntervalMs = 1000;

class GameLauncher {
 public:
  explicit GameLauncher(GameLauncherContext context);
  // Stops watching without restoring: what the records hold is restored at the next start.
  ~GameLauncher();
  GameLauncher(const GameLauncher&) = delete;
  GameLauncher& operator=(const GameLauncher&) = delete;

  // UI thread. Puts the profile `name` in force for the game process `processId` and
  // watches it; a process that cannot be opened has everything restored at once. A
  // process already watched is left as it is.
  void ApplyGameProfile(const std::wstring& name, uint32_t processId);
  // Start-up: each record left by an earlier run is restored now when its game has ended,
  // or watched as if the game had just started when it still runs.
  void ResumeAfterRestart();

  const GameInForce& Game() const { return game_; }
  size_t RunningGames() const { return running_.size(); }

 private:
  struct Running;

  void PutOverclockingInForce(const GameProfile& profile);
  void Put3DProfilesInForce(const GameProfile& profile);
  void SwitchResolution(GameRun& run);
  // Forces the colour table (when one is named and known) and watches the process.
  void Watch(GameRun run, std::unique_ptr<platform::Process> process, bool readPalette);
  void GuardColor(Running& running);
  void GameEnded(const Running* running);
  // The restore steps. `mayExit`: the profile's "ExitAfterGame" may close the program.
  void Restore(const GameRun& run, bool mayExit);
  bool Enable2D3D() const;

  GameLauncherContext ctx_;
  GameInForce game_;
  std::vector<std::unique_ptr<Running>> running_;
};

}  // namespace corvane::games
