#include "games/game_launcher.h"

#include <algorithm>
#include <utility>

#include "games/restore_record.h"

namespace corvane::games {
namespace {

// The reserved profile name of the 3D backups around a game.
const std::wstring kBackupProfile = L"$$";

template <class... Args, class F>
void Call(const F& function, Args&&... args) {
  if (function) function(std::forward<Args>(args)...);
}

std::wstring Trimmed(const std::wstring& text) {
  const size_t begin = text.find_first_not_of(L" \t\r\n");
  if (begin == std::wstring::npos) return {};
  const size_t end = text.find_last_not_of(L" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

struct GameLauncher::Running {
  GameRun run;
  std::unique_ptr<platform::Timer> colorGuard;
  std::unique_ptr<TRunGame> waiter;
};

GameLauncher::GameLauncher(GameLauncherContext context) : ctx_(std::move(context)) {}

GameLauncher::~GameLauncher() = default;

bool GameLauncher::Enable2D3D() const { return ctx_.reg1.GetBool(L"Enable2d3d"); }

void GameLauncher::ApplyGameProfile(const std::wstring& name, uint32_t processId) {
  // A game reported again (started here, then seen by the application monitor) is already
  // in force: a second "$$" backup would save the game's settings as the desktop's.
  if (std::any_of(running_.begin(), running_.end(),
                  [processId](const std::unique_ptr<Running>& entry) { return entry->run.processId == processId; }))
    return;
  ctx_.App3DRunning = true;
  GameRun run;
  run.profileName = ResolveGameProfileName(ctx_.registry, ctx_.profilesRoot, name).value_or(L"");
  run.processId = processId;
  run.profile = ReadGameProfile(ctx_.registry, ctx_.profilesRoot, run.profileName);
  Call(ctx_.calls.BringToForeground);
  game_.ColorProfile = run.profile.ColorProfile;
  game_.ColorForced = !run.profile.ColorProfile.empty();

  // Opened before anything changes, so the record names this very process.
  std::unique_ptr<platform::Process> process = ctx_.shell.OpenProcess(processId);
  if (process) run.processStart = process->StartTime();
  WriteRestoreRecord(ctx_.registry, ctx_.profilesRoot, run);

  PutOverclockingInForce(run.profile);
  Put3DProfilesInForce(run.profile);
  SwitchResolution(run);

  game_.UseOver = run.profile.UseOver;
  game_.OverName = run.profile.OverName;
  game_.UseAfter = run.profile.UseAfter;
  game_.AfterName = run.profile.AfterName;
  Watch(std::move(run), std::move(process), true);
}

void GameLauncher::PutOverclockingInForce(const GameProfile& profile) {
  if (profile.UseOver == OverAction::Profile) {
    Call(ctx_.calls.ApplyOverProfile, profile.OverName);
    ctx_.Profile3DApplied = true;
  } else if (profile.UseOver == OverAction::Auto2D3D && Enable2D3D()) {
    const std::wstring profile3D = ctx_.reg1.GetString(L"3dprofile");
    if (!profile3D.empty()) Call(ctx_.calls.ApplyOverProfile, profile3D);
    ctx_.Profile3DApplied = true;
  }
}

void GameLauncher::Put3DProfilesInForce(const GameProfile& profile) {
  if (!ctx_.AceMode) {
    if (profile.RestoreOGL != 0) Call(ctx_.calls.SaveOpenGLProfile, kBackupProfile);
    if (profile.UseOGL == 1) Call(ctx_.calls.ApplyOpenGLProfile, profile.OGLName);
  }
  if (profile.RestoreD3D != 0) Call(ctx_.calls.SaveD3DProfile, kBackupProfile);
  if (profile.UseD3D == 1) Call(ctx_.calls.ApplyD3DProfile, profile.D3DName);
}

void GameLauncher::SwitchResolution(GameRun& run) {
  const std::wstring mode = Trimmed(run.profile.SwitchResolution);
  if (mode.empty() || !ctx_.calls.SwitchToResolutionAtMaxRate) return;
  Call(ctx_.calls.SaveIconPositions, ctx_.iconsBackupKey);
  std::optional<platform::DisplayMode> desktop =
      ctx_.calls.CurrentDisplayMode ? ctx_.calls.CurrentDisplayMode() : std::nullopt;
  if (!desktop) return;
  // Recorded before the switch: a program that ends right after it still puts the desktop back.
  run.desktopMode = desktop;
  WriteRestoreRecord(ctx_.registry, ctx_.profilesRoot, run);
  if (ctx_.calls.SwitchToResolutionAtMaxRate(mode)) return;
  // A mode the catalogue does not hold: the desktop stays as it is.
  run.desktopMode.reset();
  WriteRestoreRecord(ctx_.registry, ctx_.profilesRoot, run);
}

void GameLauncher::Watch(GameRun run, std::unique_ptr<platform::Process> process, bool readPalette) {
  auto running = std::make_unique<Running>();
  running->run = std::move(run);
  GameRun& game = running->run;

  // A colour profile that does not exist has no table to force; the screen is left alone
  // rather than darkened by an empty one.
  const bool forced = game.ColorForced() && ctx_.calls.LoadColorTable &&
                      ctx_.calls.LoadColorTable(game.profile.ColorProfile, game.forcedTable);
  if (forced) {
    if (readPalette && ctx_.calls.ReadPalette) {
      game.savedTable = ctx_.calls.ReadPalette();
      WriteRestoreRecord(ctx_.registry, ctx_.profilesRoot, game);
    }
    Call(ctx_.calls.WritePalette, game.forcedTable);
    Running* guarded = running.get();
    running->colorGuard =
        ctx_.clock.StartTimer(kColorGuardIntervalMs, true, [this, guarded] { GuardColor(*guarded); });
  }

  const Running* key = running.get();
  if (process)
    running->waiter = TRunGame::Start(ctx_.threading, ctx_.dispatcher, std::move(process),
                                      [this, key] { GameEnded(key); });
  running_.push_back(std::move(running));
  // Not watchable (ended, access denied, no thread): restored at once.
  if (!running_.back()->waiter) GameEnded(key);
}

void GameLauncher::GuardColor(Running& running) {
  if (!ctx_.calls.ReadPalette) return;
  // The game set a gamma ramp of its own: the profile's table goes back.
  if (ctx_.calls.ReadPalette() != running.run.forcedTable) Call(ctx_.calls.WritePalette, running.run.forcedTable);
}

void GameLauncher::GameEnded(const Running* running) {
  auto found = std::find_if(running_.begin(), running_.end(),
                            [running](const std::unique_ptr<Running>& entry) { return entry.get() == running; });
  if (found == running_.end()) return;
  // Timer and waiter go first: nothing of this game runs again during the restore.
  std::unique_ptr<Running> ended = std::move(*found);
  running_.erase(found);
  ended->colorGuard.reset();
  ended->waiter.reset();
  Restore(ended->run, true);
}

void GameLauncher::Restore(const GameRun& run, bool mayExit) {
  if (run.desktopMode) {
    platform::DisplayMode mode = *run.desktopMode;
    mode.fields = platform::DisplayModeField::Resolution;
    Call(ctx_.calls.SetDisplayMode, mode);
    Call(ctx_.calls.RestoreIconPositions, ctx_.iconsBackupKey);
  }
  if (run.profile.UseAfter == OverAction::Profile) {
    Call(ctx_.calls.ApplyOverProfile, run.profile.AfterName);
  } else if (run.profile.UseAfter == OverAction::Auto2D3D && Enable2D3D()) {
    const std::wstring profile2D = ctx_.reg1.GetString(L"2dprofile");
    if (!profile2D.empty()) Call(ctx_.calls.ApplyOverProfile, profile2D);
  }
  if (!ctx_.AceMode && run.profile.RestoreOGL != 0) Call(ctx_.calls.ApplyOpenGLProfile, kBackupProfile);
  if (run.profile.RestoreD3D != 0) Call(ctx_.calls.ApplyD3DProfile, kBackupProfile);
  if (run.savedTable) Call(ctx_.calls.WritePalette, *run.savedTable);
  // Another profiled game still running keeps the flags.
  if (running_.empty()) {
    ctx_.Profile3DApplied = false;
    ctx_.App3DRunning = false;
  }
  Call(ctx_.calls.ApplyCurrentColor);
  DeleteRestoreRecord(ctx_.registry, ctx_.profilesRoot, run.processId);
  if (mayExit && run.profile.ExitAfterGame == 1) Call(ctx_.calls.Close);
}

void GameLauncher::ResumeAfterRestart() {
  for (GameRun& run : ReadRestoreRecords(ctx_.registry, ctx_.profilesRoot)) {
    std::unique_ptr<platform::Process> process = ctx_.shell.OpenProcess(run.processId);
    // A process of the same id but a different start is another program: the game ended.
    if (process && run.processStart != 0 && process->StartTime() != 0 && process->StartTime() != run.processStart)
      process.reset();
    if (!process) {
      // Started afresh by the user: the old game's "ExitAfterGame" does not end this run.
      Restore(run, false);
      continue;
    }
    ctx_.App3DRunning = true;
    if (run.profile.UseOver != OverAction::None) ctx_.Profile3DApplied = true;
    game_.ColorProfile = run.profile.ColorProfile;
    game_.ColorForced = run.ColorForced();
    game_.UseOver = run.profile.UseOver;
    game_.OverName = run.profile.OverName;
    game_.UseAfter = run.profile.UseAfter;
    game_.AfterName = run.profile.AfterName;
    // The palette now holds the game's table; the one from before the game is the record's.
    Watch(std::move(run), std::move(process), false);
  }
}

}  // namespace corvane::games
