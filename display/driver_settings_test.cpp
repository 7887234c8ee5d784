#include "display/driver_settings.h"

#include <gtest/gtest.h>

#include "display/display_support.h"
#include "display/escape_test_fakes.h"

namespace corvane::display {
namespace {

using platform::sim::SimAtiDriverKind;
using testing::SimDisplayRig;
namespace Flag = platform::DisplayChangeFlag;

// How many of the driver's configuration records are in its key (which holds other
// values of the driver too).
size_t PersistedRecords(SimDisplayRig& rig) {
  size_t found = 0;
  for (const platform::sim::SimSettingBlob& blob : rig.driver.State().settingBlobs)
    if (rig.DriverKey()->ReadValue(std::wstring(blob.name.begin(), blob.name.end()))) ++found;
  return found;
}

TEST(PersistDriverSettings, WritesEveryRecordAsABinaryValue) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  EXPECT_EQ(PersistDriverSettings(env), 3u);
  const std::optional<platform::RegistryValue> layout = rig.DriverKey()->ReadValue(L"DisplayLayout");
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->type, platform::RegType::Binary);
  EXPECT_EQ(layout->data, rig.driver.State().settingBlobs[0].data);
  EXPECT_EQ(rig.DriverKey()->ReadValue(L"TvAdjust")->data.size(), 300u);
  // The driver starts its walk over: a second run writes the same.
  EXPECT_EQ(PersistDriverSettings(env), 3u);
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

TEST(PersistDriverSettings, StopsAtTheFirstFailureAndSwallowsRegistryErrors) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  rig.driver.State().failingFunctions.insert(EscapeFunction::ReadDriverSettingBlob);
  EXPECT_EQ(PersistDriverSettings(env), 0u);
  EXPECT_EQ(rig.Functions(), std::vector<uint32_t>{EscapeFunction::ReadDriverSettingBlob});
  EXPECT_FALSE(rig.DriverKey()->ReadValue(L"DisplayLayout"));

  rig.driver.State().failingFunctions.clear();
  rig.registry.FailWrites(true);
  EXPECT_EQ(PersistDriverSettings(env), 3u);
  rig.registry.FailWrites(false);
  EXPECT_EQ(PersistedRecords(rig), 0u);

  // A driver key that is not there is not created.
  env.driverKeyPath += L"\\Missing";
  EXPECT_EQ(PersistDriverSettings(env), 3u);
  EXPECT_FALSE(rig.registry.Exists(platform::RegistryRoot::LocalMachine, env.driverKeyPath));
}

TEST(PersistDriverSettings, ASystemThatIgnoresTheEscapeWritesNothing) {
  SimDisplayRig rig;
  testing::SilentEscapes silent;
  DisplayEnvironment env = rig.Environment(silent);
  EXPECT_EQ(PersistDriverSettings(env), 0u);
  EXPECT_EQ(PersistedRecords(rig), 0u);
}

TEST(ApplyAdjustments, PersistsOnlyWhatTheDriverTook) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  AdjustmentValues values;
  values.Slots[Adjustment::VerticalPosition] = 4;
  EXPECT_EQ(ApplyAdjustments(env, 0, values, false), 0);
  EXPECT_EQ(rig.driver.State().displays[0].adjustments[Adjustment::VerticalPosition], 4);
  EXPECT_EQ(PersistedRecords(rig), 0u);
  EXPECT_EQ(ApplyAdjustments(env, 0, values, true), 0);
  EXPECT_EQ(PersistedRecords(rig), 3u);

  SimDisplayRig refusing;
  DisplayEnvironment refusingEnv = refusing.Environment();
  refusing.driver.State().connectedDisplays = 0x1;  // no TV to adjust
  EXPECT_NE(ApplyAdjustments(refusingEnv, 3, values, true), 0);
  EXPECT_EQ(PersistedRecords(refusing), 0u);
}

struct HookCalls {
  int uninstalled = 0;
  int installed = 0;
};

ReloadOptions DepthFlip(HookCalls& hooks, bool refreshLock) {
  return {true, refreshLock, [&hooks] { ++hooks.uninstalled; }, [&hooks] { ++hooks.installed; }};
}

TEST(ReloadDriverSettings, DepthFlipSwitchesAwayAndBack) {
  for (const auto& [depth, flipped] : {std::pair(32u, 16u), std::pair(16u, 32u), std::pair(24u, 16u)}) {
    SimDisplayRig rig;
    DisplayEnvironment env = rig.Environment();
    env.currentMode.bitsPerPel = depth;  // what the system reports is read again first
    platform::DisplayMode mode = env.currentMode;
    mode.bitsPerPel = depth;
    HookCalls hooks;
    // The simulated adapter only knows depths it lists; a rejected change still counts.
    rig.displays.ChangeSettings(L"", mode, Flag::UpdateRegistry);
    const size_t before = rig.displays.Changes().size();
    ReloadDriverSettings(env, DepthFlip(hooks, false));
    const auto& changes = rig.displays.Changes();
    ASSERT_EQ(changes.size(), before + 2) << depth;
    EXPECT_EQ(changes[before].mode->bitsPerPel, flipped) << depth;
    EXPECT_EQ(changes[before].flags, 0u);
    EXPECT_EQ(changes[before + 1].mode->bitsPerPel, depth) << depth;
    EXPECT_EQ(changes[before + 1].flags, 0x40000009u);
    EXPECT_EQ(hooks.uninstalled, 1);
    EXPECT_EQ(hooks.installed, 0);
    EXPECT_EQ(env.currentMode.bitsPerPel, depth);
  }
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  HookCalls hooks;
  ReloadDriverSettings(env, DepthFlip(hooks, true));
  EXPECT_EQ(hooks.installed, 1);
  EXPECT_EQ(rig.driver.Calls().size(), 0u);
}

TEST(ReloadDriverSettings, DriverResetTellsTheDriverAroundAModeReset) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  ReloadDriverSettings(env, {});
  EXPECT_EQ(rig.driver.State().reloads, 1u);
  ASSERT_EQ(rig.displays.Changes().size(), 1u);
  EXPECT_EQ(rig.displays.Changes()[0].flags, Flag::Reset);
  EXPECT_EQ(rig.displays.Changes()[0].mode->displayFlags, 4u);

  rig.displays.FailNextChange(platform::DisplayChangeResult::Failed);
  ReloadDriverSettings(env, {});
  EXPECT_EQ(rig.driver.State().reloads, 2u);
  ASSERT_EQ(rig.displays.Changes().size(), 3u);
  EXPECT_EQ(rig.displays.Changes()[2].flags, Flag::Fullscreen);
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

TEST(ExtendedDesktop, GoesThroughTheDriverLibraryWhenItIsThere) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  SetExtendedDesktop(env, true);
  SetExtendedDesktop(env, false);
  EXPECT_EQ(rig.library.calls, (std::vector<std::pair<int32_t, int32_t>>{{1, -1}, {1, 0}}));
  EXPECT_EQ(PersistedRecords(rig), 3u);

  SimDisplayRig without;
  without.library.loaded = false;
  DisplayEnvironment withoutEnv = without.Environment();
  SetExtendedDesktop(withoutEnv, true);
  EXPECT_TRUE(without.driver.Calls().empty());
}

TEST(ExtendedDesktop, CountsTheDisplaysAttachedToTheDesktop) {
  SimDisplayRig rig;
  EXPECT_TRUE(IsDesktopExtended(rig.displays));
  rig.displays.SetAttached(1, false);
  EXPECT_FALSE(IsDesktopExtended(rig.displays));
}

}  // namespace
}  // namespace corvane::display
