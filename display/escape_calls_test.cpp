#include "display/escape_calls.h"

#include <gtest/gtest.h>

#include "display/display_support.h"
#include "display/escape_bytes.h"
#include "display/escape_test_fakes.h"
#include "display/mode_choice.h"

namespace corvane::display {
namespace {

using platform::sim::SimAtiDriverKind;
using testing::SimDisplayRig;

// The simulated driver checks every request's lengths, Size words and prepared reply, so
// a successful answer already says the request was built as the driver expects. A driver
// that does not echo the Size word in its replies is read the same: its result counts.
void ExpectWhatTheDriverHolds(SimDisplayRig& rig, platform::DriverEscape& escapes) {
  EscapeContext dc(escapes, L"\\\\.\\DISPLAY1");
  const platform::sim::SimAtiDriverState& state = rig.driver.State();

  EXPECT_EQ(QueryAdapterInfo(dc), 5u);
  EXPECT_EQ(QueryConnectedDisplays(dc), 0xBu);
  EXPECT_TRUE(QueryOverlayAvailable(dc));

  const ControllerConfig first = GetControllerConfig(dc, 0);
  EXPECT_EQ(first.Controller, 0u);
  EXPECT_EQ(first.Width, 1024u);
  EXPECT_EQ(first.Height, 768u);
  EXPECT_EQ(first.Displays, DisplayBit::FirstMonitor);
  EXPECT_EQ(first.Refresh, 85u);
  EXPECT_EQ(first.DriverFields1[0], state.controllers[0].driverFields[0]);
  EXPECT_EQ(first.DriverFields2[27], state.controllers[0].driverFields[51]);
  EXPECT_EQ(GetControllerConfig(dc, 1).Controller, 1u);

  const PreferredMode preferred = GetPreferredMode(dc);
  EXPECT_EQ(std::tie(preferred.Width, preferred.Height, preferred.Refresh), std::tuple(1280u, 1024u, 60u));
  const std::optional<ModeEntry> third = EnumDisplayModes(dc, 2, DisplayBit::FirstMonitor);
  ASSERT_TRUE(third);
  EXPECT_EQ(std::tie(third->Width, third->Height, third->Refresh), std::tuple(1024u, 768u, 85u));
  EXPECT_FALSE(EnumDisplayModes(dc, 2, DisplayBit::Tv));

  const std::optional<AdjustmentCaps> tvCaps = GetDisplayCaps(dc, 3);
  ASSERT_TRUE(tvCaps);
  EXPECT_TRUE(tvCaps->Entries[Adjustment::FlickerFilter].Supported());
  EXPECT_EQ(tvCaps->Entries[Adjustment::FlickerFilter].Maximum, 100);
  EXPECT_FALSE(tvCaps->Entries[Adjustment::HorizontalSyncPolarity].Supported());
  const std::optional<AdjustmentValues> monitor = GetDisplayAdjustments(dc, 0);
  ASSERT_TRUE(monitor);
  EXPECT_EQ(monitor->Slots[Adjustment::HorizontalPosition], -3);
  const std::optional<DisplayLimits> limits = GetDisplayLimits(dc, 1);
  ASSERT_TRUE(limits);
  EXPECT_EQ(std::tie(limits->MaxWidth, limits->MaxHeight, limits->MaxRefresh), std::tuple(1280u, 1024u, 60u));

  EXPECT_EQ(GetRotation(dc), Rotation::Landscape);
  const std::optional<OverlayRange> hue = GetOverlayRange(dc, OverlayProperty::Hue);
  ASSERT_TRUE(hue);
  EXPECT_EQ(std::tie(hue->Minimum, hue->Maximum), std::tuple(-180, 180));
  EXPECT_EQ(GetOverlayValue(dc, OverlayProperty::Saturation), 120);
  EXPECT_EQ(SetOverlayValue(dc, OverlayProperty::Saturation, 500), 200);  // the driver clamps
  EXPECT_EQ(GetOverlayValue(dc, OverlayProperty::Saturation), 200);

  const std::optional<BiosInfo> bios = GetBiosInfo(dc);
  ASSERT_TRUE(bios);
  EXPECT_EQ(ArrayText(bios->PartNumber), state.biosPartNumber);
  EXPECT_EQ(ArrayText(bios->Date), state.biosDate);
  for (const platform::sim::SimEscapeCall& call : rig.driver.Calls())
    EXPECT_NE(call.result, platform::sim::SimEscapeResult::Malformed) << std::hex << call.function;
}

TEST(EscapeCalls, ReadsWhatTheDriverHolds) {
  SimDisplayRig rig;
  ExpectWhatTheDriverHolds(rig, rig.driver);
}

TEST(EscapeCalls, ReadsWhatTheDriverHoldsWhenItsRepliesDoNotEchoTheSizeWord) {
  SimDisplayRig rig;
  testing::SizeWordClearingEscapes escapes(rig.driver);
  ExpectWhatTheDriverHolds(rig, escapes);
}

TEST(EscapeCalls, SetRequestsChangeTheDriverAndCarryItsOwnFieldsBack) {
  SimDisplayRig rig;
  EscapeContext dc(rig.driver, L"");

  ControllerConfig first = GetControllerConfig(dc, 0);
  ControllerConfig second = GetControllerConfig(dc, 1);
  second.Displays = DisplayBit::Tv;
  EXPECT_EQ(SetDisplayConfig(dc, first, second), 0);
  EXPECT_EQ(rig.driver.State().controllers[1].displays, DisplayBit::Tv);
  const std::vector<uint8_t>& sent = rig.driver.Calls().back().input;
  EXPECT_EQ(ReadWord(sent, 16 + 76 + 4), 1u);        // the second record names controller 1
  EXPECT_EQ(ReadWord(sent, 16 + 16), 0u);            // driver fields go out as 0
  EXPECT_EQ(SetDisplayConfig(dc, first, second, true), 0);  // the longer reply of a stored layout
  second.Displays = DisplayBit::FirstMonitor;        // one display on both controllers
  EXPECT_NE(SetDisplayConfig(dc, first, second), 0);

  TheaterMode theater = GetTheaterMode(dc);
  const TheaterMode before = theater;
  theater.Mode = 1;
  theater.ValidMask = 0;
  theater.DriverField = 77;
  EXPECT_EQ(SetTheaterMode(dc, theater), 0);
  TheaterMode after = GetTheaterMode(dc);
  EXPECT_EQ(after.Mode, 1u);
  EXPECT_EQ(after.ValidMask, 3u);
  EXPECT_EQ(after.DriverField, 0u);
  EXPECT_EQ(after.DriverFields, before.DriverFields);

  AdjustmentValues tv = *GetDisplayAdjustments(dc, 3);
  tv.Slots[Adjustment::TvStandard] = kTvStandards[0];
  EXPECT_EQ(SetDisplayAdjustments(dc, 3, tv), 0);
  EXPECT_EQ(GetDisplayAdjustments(dc, 3), tv);
}

TEST(EscapeCalls, ChooseModeTakesTheFirstModeThatFitsInTheDriversOrder) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  ControllerConfig config;
  std::vector<CandidateMode> candidates = {{1, 1, 1}};
  EXPECT_TRUE(ChooseMode(env, DisplayBit::DviMonitor, 1024, config, candidates));
  EXPECT_EQ(candidates, (std::vector<CandidateMode>{{1024, 768, 60}, {800, 600, 60}}));
  EXPECT_EQ(std::tie(config.Width, config.Height, config.Refresh), std::tuple(1024u, 768u, 60u));

  config.Width = 5;
  EXPECT_FALSE(ChooseMode(env, DisplayBit::Tv, 320, config, candidates));
  EXPECT_TRUE(candidates.empty());
  EXPECT_EQ(config.Width, 5u);
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

// Both a driver without the private escapes (every call fails) and a system that answers
// 0 and writes nothing (Wine, other drivers) must read as "nothing there".
void ExpectNothingThere(DisplayEnvironment& env) {
  EscapeContext dc(env.escapes, env.deviceName);
  EXPECT_EQ(QueryAdapterInfo(dc), 0u);
  EXPECT_EQ(QueryConnectedDisplays(dc), 0u);
  EXPECT_FALSE(QueryOverlayAvailable(dc));
  EXPECT_FALSE(ReadDriverSettingBlob(dc));
  EXPECT_EQ(GetControllerConfig(dc, 0), ControllerConfig{});
  EXPECT_EQ(GetPreferredMode(dc), PreferredMode{});
  EXPECT_FALSE(EnumDisplayModes(dc, 0, DisplayBit::FirstMonitor));
  EXPECT_FALSE(GetOverlayRange(dc, OverlayProperty::Brightness));
  EXPECT_EQ(GetOverlayValue(dc, OverlayProperty::Brightness), 0);
  EXPECT_EQ(SetOverlayValue(dc, OverlayProperty::Brightness, 5), 0);
  EXPECT_FALSE(GetDisplayLimits(dc, 0));
  EXPECT_EQ(GetRotation(dc), Rotation::Unknown);
  EXPECT_EQ(GetTheaterMode(dc), TheaterMode{});
  EXPECT_FALSE(GetBiosInfo(dc));
  // Caps and adjustments may decode as all zeros; then nothing is supported.
  if (std::optional<AdjustmentCaps> caps = GetDisplayCaps(dc, 0)) {
    for (const AdjustmentCap& cap : caps->Entries) EXPECT_FALSE(cap.Supported());
  }
  if (std::optional<AdjustmentValues> values = GetDisplayAdjustments(dc, 0)) {
    EXPECT_EQ(*values, AdjustmentValues{});
  }

  const DisplaySupport support = DetectDisplaySupport(env);
  EXPECT_TRUE(support.DisplayUnsupported);
  EXPECT_EQ(support.TvDisplayIndex, 2u);
  ControllerConfig config;
  std::vector<CandidateMode> candidates;
  EXPECT_FALSE(ChooseMode(env, DisplayBit::FirstMonitor, 4096, config, candidates));
}

TEST(EscapeCalls, DriverWithoutPrivateEscapesGivesNeutralValues) {
  SimDisplayRig rig(SimAtiDriverKind::NoPrivateEscapes);
  DisplayEnvironment env = rig.Environment();
  ExpectNothingThere(env);
  EscapeContext dc(rig.driver, L"");
  EXPECT_FALSE(GetDisplayCaps(dc, 0));
  EXPECT_FALSE(GetDisplayAdjustments(dc, 0));
}

TEST(EscapeCalls, SystemThatIgnoresTheEscapeGivesNeutralValues) {
  SimDisplayRig rig;
  testing::SilentEscapes silent;
  DisplayEnvironment env = rig.Environment(silent);
  ExpectNothingThere(env);
}

TEST(EscapeCalls, NoContextMeansEveryEscapeFails) {
  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  env.deviceName = L"\\\\.\\DISPLAY7";
  EscapeContext dc(env.escapes, env.deviceName);
  EXPECT_FALSE(dc.Open());
  EXPECT_TRUE(DetectDisplaySupport(env).DisplayUnsupported);
  EXPECT_TRUE(rig.driver.Calls().empty());
}

TEST(EscapeCalls, DetectsTheDisplayInterfaceRevision) {
  SimDisplayRig current;
  DisplayEnvironment env = current.Environment();
  const DisplaySupport support = DetectDisplaySupport(env);
  EXPECT_FALSE(support.DisplayUnsupported);
  EXPECT_EQ(support.TvDisplayIndex, 3u);
  EXPECT_EQ(support.TvDisplayBit, DisplayBit::Tv);

  SimDisplayRig older(SimAtiDriverKind::OlderRevision);
  DisplayEnvironment olderEnv = older.Environment();
  EXPECT_TRUE(DetectDisplaySupport(olderEnv).DisplayUnsupported);
  EXPECT_EQ(DetectDisplaySupport(olderEnv).TvDisplayIndex, 2u);
}

// Random replies and results through every operation: no read outside a reply (the
// sanitizers watch), and values stay within what the callers can take.
TEST(EscapeCalls, RandomRepliesGiveBoundedValues) {
  SimDisplayRig rig;
  testing::RandomEscapes random(99);
  DisplayEnvironment env = rig.Environment(random);
  for (int round = 0; round < 500; ++round) {
    EscapeContext dc(env.escapes, env.deviceName);
    QueryAdapterInfo(dc);
    QueryConnectedDisplays(dc);
    QueryOverlayAvailable(dc);
    if (std::optional<DriverSettingBlob> blob = ReadDriverSettingBlob(dc)) {
      EXPECT_LE(blob->DataLength, DriverSettingBlob::kMaxData);
    }
    GetControllerConfig(dc, 0);
    GetPreferredMode(dc);
    if (std::optional<ModeEntry> mode = EnumDisplayModes(dc, 0, 1)) {
      EXPECT_NE(mode->Width, 0u);
    }
    GetOverlayRange(dc, 1);
    GetOverlayValue(dc, 1);
    GetDisplayCaps(dc, 0);
    GetDisplayAdjustments(dc, 0);
    GetDisplayLimits(dc, 0);
    const int32_t rotation = GetRotation(dc);
    EXPECT_GE(rotation, Rotation::Unknown);
    EXPECT_LE(rotation, Rotation::Left90);
    GetTheaterMode(dc);
    GetBiosInfo(dc);
  }
  ControllerConfig config;
  std::vector<CandidateMode> candidates;
  ChooseMode(env, 1, 100000, config, candidates);
  EXPECT_LE(candidates.size(), 4096u);
}

}  // namespace
}  // namespace corvane::display
