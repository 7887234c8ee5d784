// A game run through the whole program on the simulated machine: what goes in force when
// the game starts, what stays in force while it runs, and what comes back after it, also
// when the program itself ended in between.
#include "games/game_launcher.h"

#include "driver3d/profiles/profile_store.h"
#include "games/games_test_support.h"
#include "games/restore_record.h"
#include "hardware/overclocking/apply_profile.h"
#include "platform/sim/registry_sim.h"

namespace corvane::games::testing {
namespace {

using platform::RegistryRoot;

constexpr uint32_t kBright = 0x7D7D7D;  // entry 0 of a brightness-250 table
const std::wstring kDisplay = L"\\\\.\\DISPLAY1";

platform::DisplayMode Mode(uint32_t width, uint32_t height, uint32_t bits, uint32_t rate) {
  platform::DisplayMode mode;
  mode.fields = platform::DisplayModeField::Resolution;
  mode.width = width;
  mode.height = height;
  mode.bitsPerPel = bits;
  mode.frequency = rate;
  return mode;
}

// "1024x768x32@85" of a mode, whatever else its record holds.
std::string ModeName(const platform::DisplayMode& mode) {
  return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" + std::to_string(mode.bitsPerPel) +
         "@" + std::to_string(mode.frequency);
}

class GameLauncherTest : public ProgramRig {
 protected:
  // A desktop at 800x600x32, 60 Hz; a 3D profile with 4x anti-aliasing; two overclocking
  // profiles; a bright colour profile; the game "Far Cry" using all of them at 1024x768x32.
  void SetUpMachine() {
    sim.displayDevices.ChangeSettings(kDisplay, Mode(800, 600, 32, 60), platform::DisplayChangeFlag::UpdateRegistry);
    sim.desktopIcons.AddIcon(L"回收站", {20, 20});
    StoreOverProfile(L"Fast", 420, 360);
    StoreOverProfile(L"Slow", 300, 250);
    StoreColorProfile(L"Bright", 250);
    Start();
    SetDriverText(L"AntiAliasSamples", L"4");
    driver3d::SaveD3DProfile(Profiles3D(), L"Quality");
    SetDriverText(L"AntiAliasSamples", L"0");

    farCry.File = L"C:\\Games\\FarCry\\FarCry.exe";
    farCry.UseD3D = 1;
    farCry.D3DName = L"Quality";
    farCry.RestoreD3D = 1;
    farCry.UseOver = OverAction::Profile;
    farCry.OverName = L"Fast";
    farCry.UseAfter = OverAction::Profile;
    farCry.AfterName = L"Slow";
    farCry.ColorProfile = L"Bright";
    farCry.SwitchResolution = L"1024x768x32";
    StoreGame(L"Far Cry", farCry);
  }
  driver3d::Profile3DContext Profiles3D() {
    return {form->DriverValues(), sim.registry, global::ProfilesRoot, form->Quality, {}, {}};
  }
  // What the game's settings look like while it runs.
  void ExpectGameInForce() {
    EXPECT_EQ(ModeName(DesktopMode()), "1024x768x32@85") << "the highest of 60, 75 and 85 Hz";
    EXPECT_EQ(DriverText(L"AntiAliasSamples"), L"4");
    EXPECT_NEAR(CoreClock(), 420, 2);
    EXPECT_EQ(PaletteEntry(0), kBright);
    EXPECT_TRUE(form->App3DRunning);
    EXPECT_TRUE(form->Profile3DApplied);
    EXPECT_TRUE(RecordsLeft());
  }
  // What the desktop looks like after the game.
  void ExpectRestored() {
    EXPECT_EQ(ModeName(DesktopMode()), "800x600x32@60");
    EXPECT_EQ(sim.desktopIcons.PositionOf(L"回收站"), (platform::IconPosition{20, 20}));
    EXPECT_EQ(DriverText(L"AntiAliasSamples"), L"0");
    EXPECT_NEAR(CoreClock(), 300, 2) << "the profile for after the game";
    EXPECT_EQ(PaletteEntry(0), 0u) << "the program's own colour";
    EXPECT_FALSE(form->App3DRunning);
    EXPECT_FALSE(form->Profile3DApplied);
    EXPECT_FALSE(RecordsLeft());
  }

  GameProfile farCry;
};

TEST_F(GameLauncherTest, TheGameRunsWithItsSettingsWhichAreGuardedAndRestoredAfterIt) {
  SetUpMachine();
  const uint32_t game = sim.shell.AddRunningProcess();
  form->ApplyGameProfile(L"Far Cry", game);
  ExpectGameInForce();
  EXPECT_EQ(form->GameLauncher()->Game().AfterName, L"Slow");
  EXPECT_EQ(window.foregrounds, 1);

  // The new resolution moved the icon; the game set a gamma ramp of its own. The next
  // tick puts the forced table back, and only then.
  sim.desktopIcons.MoveIcon(L"回收站", {500, 300});
  machine.Card().Registers().SetPaletteEntry(0, 0x102030);
  sim.clock.Advance(999);
  EXPECT_EQ(PaletteEntry(0), 0x102030u);
  sim.clock.Advance(1);
  EXPECT_EQ(PaletteEntry(0), kBright);

  EndGame(game);
  ExpectRestored();
  EXPECT_EQ(form->GameLauncher()->RunningGames(), 0u);
  EXPECT_EQ(window.closes, 0);
  // The guard is gone with the game.
  machine.Card().Registers().SetPaletteEntry(0, 0x102030);
  sim.clock.Advance(5000);
  EXPECT_EQ(PaletteEntry(0), 0x102030u);
}

TEST_F(GameLauncherTest, AGameThatCannotBeWatchedIsRestoredAtOnceAndMayEndTheProgram) {
  SetUpMachine();
  farCry.ExitAfterGame = 1;
  StoreGame(L"Far Cry", farCry);
  const uint32_t gone = sim.shell.AddRunningProcess();
  sim.shell.EndProcess(gone);
  form->ApplyGameProfile(L"Far Cry", gone);
  EXPECT_EQ(sim.dispatcher.Pending(), 0u);
  ExpectRestored();
  EXPECT_EQ(window.closes, 1);
}

TEST_F(GameLauncherTest, BackupsAndOverclockingChoicesAroundTheGame) {
  struct Case {
    const char* what;
    uint32_t useD3D, restoreD3D, useOver, useAfter;
    bool enable2d3d;
    std::wstring aaDuring;
    double coreDuring, coreAfter;
  };
  // The desktop holds 2x anti-aliasing and 350 MHz before each game.
  const Case cases[] = {
      {"restore without applying still backs up", 0, 1, 0, 0, false, L"2", 350, 350},
      {"applying without restore keeps what was set during the game", 1, 0, 0, 0, false, L"4", 350, 350},
      {"automatic 2D/3D profiles", 0, 0, 2, 2, true, L"2", 420, 300},
      {"automatic profiles while the switch is off", 0, 0, 2, 2, false, L"2", 350, 350},
  };
  SetUpMachine();
  form->reg1().SetValue(L"3dprofile", std::wstring(L"Fast"));
  form->reg1().SetValue(L"2dprofile", std::wstring(L"Slow"));
  StoreOverProfile(L"Desk", 350, 300);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form->reg1().SetValue(L"Enable2d3d", c.enable2d3d);
    overclocking::OverclockingContext over{sim.registry, sim.user, form->reg1(), *form->rvx(), 0, {}};
    overclocking::ApplyOverProfile(over, L"Desk");
    SetDriverText(L"AntiAliasSamples", L"2");
    GameProfile game;
    game.File = L"C:\\g.exe";
    game.UseD3D = c.useD3D;
    game.D3DName = L"Quality";
    game.RestoreD3D = c.restoreD3D;
    game.UseOver = c.useOver;
    game.UseAfter = c.useAfter;
    StoreGame(L"Game", game);

    const uint32_t id = sim.shell.AddRunningProcess();
    form->ApplyGameProfile(L"Game", id);
    EXPECT_EQ(DriverText(L"AntiAliasSamples"), c.aaDuring);
    EXPECT_NEAR(CoreClock(), c.coreDuring, 2);
    EXPECT_EQ(form->Profile3DApplied, c.useOver == 2 && c.enable2d3d);
    SetDriverText(L"AntiAliasSamples", L"6");  // changed by hand during the game
    EndGame(id);
    EXPECT_EQ(DriverText(L"AntiAliasSamples"), c.restoreD3D ? L"2" : L"6");
    EXPECT_NEAR(CoreClock(), c.coreAfter, 2);
  }
}

TEST_F(GameLauncherTest, AModeTheCatalogueLacksLeavesTheDesktopAlone) {
  SetUpMachine();
  farCry.SwitchResolution = L"1234x567x32";
  StoreGame(L"Far Cry", farCry);
  // The driver's reloads after the 3D profiles flip the desktop's depth and back; nothing
  // asks for another size.
  auto otherModes = [this] {
    size_t count = 0;
    for (const auto& change : sim.displayDevices.Changes())
      if (change.mode && ModeName(*change.mode).rfind("800x600x", 0) != 0) ++count;
    return count;
  };
  const size_t before = otherModes();
  const uint32_t game = sim.shell.AddRunningProcess();
  form->ApplyGameProfile(L"Far Cry", game);
  EXPECT_EQ(otherModes(), before);
  EndGame(game);
  EXPECT_EQ(otherModes(), before);
  EXPECT_EQ(ModeName(DesktopMode()), "800x600x32@60");
}

TEST_F(GameLauncherTest, AProgramThatEndsMidGameRestoresAtItsNextStart) {
  SetUpMachine();
  const uint32_t game = sim.shell.AddRunningProcess();
  form->ApplyGameProfile(L"Far Cry", game);
  ExpectGameInForce();
  // A record of an unknown shape is not the program's to restore.
  Key(global::ProfilesRoot + L"GameRestore\\junk");

  // Killed mid-game; the game ends while the program is not there.
  Start();
  EXPECT_TRUE(RecordsLeft()) << "a running game's record stays while the game runs";
  form.reset();
  sim.shell.EndProcess(game);
  Start();
  ExpectRestored();
  EXPECT_EQ(window.closes, 0);
}

TEST_F(GameLauncherTest, AGameStillRunningAtTheNextStartIsWatchedAsIfJustStarted) {
  SetUpMachine();
  farCry.ExitAfterGame = 1;
  StoreGame(L"Far Cry", farCry);
  const uint32_t game = sim.shell.AddRunningProcess();
  form->ApplyGameProfile(L"Far Cry", game);

  Start();
  ExpectGameInForce();
  EXPECT_EQ(form->GameLauncher()->Game().OverName, L"Fast");
  machine.Card().Registers().SetPaletteEntry(0, 0x102030);
  sim.clock.Advance(1000);
  EXPECT_EQ(PaletteEntry(0), kBright) << "the colour is guarded again";

  EndGame(game);
  ExpectRestored();
  EXPECT_EQ(window.closes, 1);
}

TEST_F(GameLauncherTest, LoadGameStartsTheGameInItsFolderAndAppliesItsProfile) {
  SetUpMachine();
  form->FormClose();
  Start({L"/loadgame", L"Far Cry"});
  sim.windowMessages.Pump();
  auto starts = sim.shell.Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].file, farCry.File);
  EXPECT_EQ(starts[0].directory, L"C:\\Games\\FarCry\\");
  ExpectGameInForce();
  // Reported once more for the same process: the backup of the desktop's settings stays.
  form->ApplyGameProfile(L"Far Cry", starts[0].processId);
  EXPECT_EQ(form->GameLauncher()->RunningGames(), 1u);
  EndGame(starts[0].processId);
  ExpectRestored();
}

TEST_F(GameLauncherTest, AnotherProcessUnderTheGamesIdIsNotTakenForTheGame) {
  SetUpMachine();
  // The machine restarted: the id the record names belongs to a process started later.
  const uint32_t other = sim.shell.AddRunningProcess();
  GameRun run;
  run.processId = other;
  run.processStart = sim.shell.OpenProcess(other)->StartTime() - 1;
  run.profile.RestoreD3D = 1;
  driver3d::SaveD3DProfile(Profiles3D(), L"$$");
  SetDriverText(L"AntiAliasSamples", L"6");
  WriteRestoreRecord(sim.registry, global::ProfilesRoot, run);
  Start();
  EXPECT_EQ(form->GameLauncher()->RunningGames(), 0u);
  EXPECT_FALSE(RecordsLeft());
  EXPECT_EQ(DriverText(L"AntiAliasSamples"), L"0") << "restored at once";
}

TEST(GameProfileNames, ARequestFindsItsProfileWithOrWithoutAmpersands) {
  platform::SimRegistry registry;
  for (const wchar_t* name : {L"Rock&Roll", L"Far Cry"})
    registry.OpenKey(RegistryRoot::CurrentUser, L"\\P\\Games\\" + std::wstring(name), true);
  const std::pair<std::wstring, std::optional<std::wstring>> cases[] = {
      {L"Rock&Roll", L"Rock&Roll"},  // a name that holds '&' itself
      {L"Far &Cry", L"Far Cry"},     // an accelerator mark
      {L"&&", std::nullopt},
      {L"a\\b", std::nullopt},
  };
  for (const auto& [requested, expected] : cases)
    EXPECT_EQ(ResolveGameProfileName(registry, L"\\P\\", requested), expected)
        << std::string(requested.begin(), requested.end());
  EXPECT_EQ(CleanGameProfileName(L"a/b\\c?d|e\"f*g<h>i:j"), L"a_b_c_d_e_f_g_h_i_j");
}

TEST(RestoreRecords, DataOfTheWrongShapeRestoresNothingOfIt) {
  platform::SimRegistry registry;
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, L"\\P\\GameRestore\\77", true);
  platform::WriteRegString(*key, L"ModeWidth", L"1024");
  platform::WriteRegDword(*key, L"ModeHeight", 768);
  platform::WriteRegDword(*key, L"ModeBits", 32);
  platform::WriteRegDword(*key, L"ModeRate", 85);
  platform::WriteRegBinary(*key, L"Palette", std::vector<uint8_t>(1023, 0xFF));
  platform::WriteRegString(*key, L"UseAfter", L"1");
  registry.OpenKey(RegistryRoot::CurrentUser, L"\\P\\GameRestore\\-5", true);
  const std::vector<GameRun> runs = ReadRestoreRecords(registry, L"\\P\\");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].processId, 77u);
  EXPECT_FALSE(runs[0].desktopMode);
  EXPECT_FALSE(runs[0].savedTable);
  EXPECT_EQ(runs[0].profile.UseAfter, 0u);
  EXPECT_FALSE(registry.OpenKey(RegistryRoot::CurrentUser, L"\\P\\GameRestore\\-5", false));
}

}  // namespace
}  // namespace corvane::games::testing
