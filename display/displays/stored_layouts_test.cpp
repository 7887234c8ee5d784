#include "display/displays/stored_layouts.h"

#include <gtest/gtest.h>

#include "display/displays/display_config.h"
#include "display/displays/display_profiles.h"
#include "display/escape_bytes.h"
#include "display/escape_test_fakes.h"
#include "platform/registry_values.h"

namespace corvane::display {
namespace {

using platform::sim::SimAtiDriverKind;
using testing::SimDisplayRig;
namespace A = Adjustment;

constexpr wchar_t kRoot[] = L"\\P\\";
const DisplaySupport kSupported{5, 3, DisplayBit::Tv, false};

struct Mode {
  uint32_t width, height, refresh;
  bool operator==(const Mode&) const = default;
};
Mode ModeOf(const ControllerConfig& c) { return {c.Width, c.Height, c.Refresh}; }
Mode ModeOf(const platform::sim::SimAtiController& c) { return {c.width, c.height, c.refresh}; }
std::ostream& operator<<(std::ostream& out, const Mode& m) {
  return out << m.width << "x" << m.height << "@" << m.refresh;
}

class StoredLayouts : public ::testing::Test {
 protected:
  std::unique_ptr<platform::RegistryKey> ProfileKey(const std::wstring& name) {
    return rig.registry.OpenKey(platform::RegistryRoot::CurrentUser, std::wstring(kRoot) + L"Display\\" + name, true);
  }
  size_t Count(uint32_t function) const {
    size_t n = 0;
    for (const auto& call : rig.driver.Calls()) n += call.function == function;
    return n;
  }
  const platform::sim::SimEscapeCall* Last(uint32_t function) const {
    const platform::sim::SimEscapeCall* found = nullptr;
    for (const auto& call : rig.driver.Calls())
      if (call.function == function) found = &call;
    return found;
  }
  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : rig.user.History()) texts.push_back(shown.request.text);
    return texts;
  }

  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  DisplayProfiles profiles{rig.registry, kRoot};
};

TEST_F(StoredLayouts, EachLayoutGetsAModeForEachController) {
  // Controller 0 drives the first monitor at 1024x768; the preferred mode is 1280x1024.
  const ControllerConfig readFirst = ReadDisplayRecords(env, 3).controllers[0];
  struct Case {
    DisplayLayout layout;
    Mode first, second;
  };
  const Case cases[] = {
      // The first monitor keeps its width as the limit; the DVI monitor gets the preferred one.
      {{1, 2}, {1024, 768, 85}, {1280, 1024, 60}},
      {{2, 1}, {1280, 1024, 60}, {1280, 1024, 75}},
      {{1, 8}, {1024, 768, 85}, {800, 600, 60}},
      {{8, 1}, {800, 600, 60}, {1280, 1024, 75}},
      // TV and first monitor together: both controllers in the preferred mode.
      {{9, 0}, {1280, 1024, 60}, {1280, 1024, 60}},
      // Nothing on controller 0: it takes the preferred mode for the TV on controller 1.
      {{0, 8}, {1280, 1024, 60}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    const ConfigRequest request = BuildConfigRequest(env, c.layout, readFirst, kNormalLayout);
    EXPECT_EQ(ModeOf(request.first), c.first) << c.layout.P << ", " << c.layout.S;
    EXPECT_EQ(ModeOf(request.second), c.second) << c.layout.P << ", " << c.layout.S;
    EXPECT_EQ(std::tuple(request.first.Controller, request.first.Displays, request.second.Controller,
                         request.second.Displays),
              std::tuple(0u, c.layout.P, 1u, c.layout.S));
  }
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

TEST_F(StoredLayouts, AProfileWithoutItsValuesAppliesTheDefaults) {
  // Only the clone is stored, and the flicker filter as text: everything else is a default.
  auto key = ProfileKey(L"电视");
  platform::WriteRegDword(*key, L"c1_ed", 8);
  platform::WriteRegString(*key, L"tv_lfr", L"30");
  rig.displays.ChangeSettings(L"\\\\.\\DISPLAY1", platform::DisplayMode{platform::DisplayModeField::Resolution, 0, 0,
                                                                        0, 0, 32, 800, 600, 0, 75},
                              0);
  ApplyDisplayProfile(env, kSupported, profiles, L"电视");

  const auto& state = rig.driver.State();
  EXPECT_EQ(state.controllers[0].displays, 1u) << "P = 1 when \"c0_ed\" is missing";
  EXPECT_EQ(state.controllers[1].displays, 8u);
  // Controller 0 starts from the desktop's width, not the driver's.
  EXPECT_EQ(ModeOf(state.controllers[0]), (Mode{800, 600, 75}));
  EXPECT_EQ(Last(EscapeFunction::SetDisplayConfig)->outputSize, 56u);
  const auto& tv = rig.driver.DisplayByIndex(3)->adjustments;
  EXPECT_EQ(std::tuple(tv[A::Contrast], tv[A::Saturation], tv[A::FlickerFilter], tv[A::TvStandard]),
            std::tuple(100, 100, 60, 8));
  EXPECT_EQ(tv[A::Overscan], 1) << "slots the profile does not hold stay as they were";
  EXPECT_EQ(ReadWord(state.theaterMode, 8), 0u);
  EXPECT_EQ(ReadWord(state.theaterMode, 16), 17u);
  EXPECT_EQ(rig.driver.DisplayByIndex(0)->adjustments[A::HorizontalSyncPolarity], 0);
  EXPECT_EQ(rig.driver.DisplayByIndex(0)->adjustments[24], 0x5A5A);
  EXPECT_TRUE(rig.DriverKey()->ReadValue(L"MonitorAdjust")) << "the monitors' adjustments persist";
  EXPECT_TRUE(rig.user.History().empty());
}

TEST_F(StoredLayouts, AMissingProfileSaysSoAndSendsNothing) {
  ApplyDisplayProfile(env, kSupported, profiles, L"没有");
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"加载配置出错!"});
  EXPECT_EQ(Count(EscapeFunction::SetDisplayConfig) + Count(EscapeFunction::SetDisplayAdjustments) +
                Count(EscapeFunction::SetTheaterMode),
            0u);
}

TEST_F(StoredLayouts, ARefusedLayoutStillSetsTheAdjustments) {
  platform::WriteRegDword(*ProfileKey(L"坏"), L"c0_ed", 0);  // no display on the desktop
  ApplyDisplayProfile(env, kSupported, profiles, L"坏");
  EXPECT_EQ(rig.driver.State().configurationsSet, 0u);
  EXPECT_EQ(Count(EscapeFunction::SetDisplayAdjustments), 3u);
  EXPECT_EQ(Count(EscapeFunction::SetTheaterMode), 1u);
}

TEST_F(StoredLayouts, ProfilesRoundTripAndHideTheLaunchersBackup) {
  DisplayRecords records = ReadDisplayRecords(env, 3);
  records.SetLayout({2, 1});
  records.tv.Slots[A::VerticalPosition] = -6;
  records.monitors[1].Slots[A::CompositeSync] = 1;
  records.theater.Mode = 4;
  EXPECT_TRUE(profiles.Save(L"b/c:d", records));
  ProfileKey(L"$$");
  ProfileKey(L"A");
  EXPECT_EQ(profiles.Names(), (std::vector<std::wstring>{L"A", L"b_c_d"}));

  DisplayRecords loaded;
  EXPECT_TRUE(profiles.Load(L"b_c_d", loaded));
  EXPECT_EQ(loaded.Layout(), (DisplayLayout{2, 1}));
  EXPECT_EQ(loaded.tv.Slots[A::VerticalPosition], -6);
  EXPECT_EQ(loaded.monitors[1].Slots[A::CompositeSync], 1);
  EXPECT_EQ(loaded.theater.Mode, 4u);
  EXPECT_FALSE(profiles.Load(L"", loaded));
  EXPECT_FALSE(profiles.Load(L"..\\b_c_d", loaded));
  EXPECT_TRUE(profiles.Delete(L"A"));
  EXPECT_FALSE(profiles.Exists(L"A"));
}

TEST(DisplayProfileNames, TheSingleDisplayItemsNameIsReserved) {
  EXPECT_TRUE(IsReservedDisplayProfileName(L"默认单一显示"));
  EXPECT_TRUE(IsReservedDisplayProfileName(L"  默认单一显示 \t"));
  EXPECT_FALSE(IsReservedDisplayProfileName(L"默认单一显示 2"));
  EXPECT_FALSE(IsReservedDisplayProfileName(L""));
}

TEST_F(StoredLayouts, SingleDisplayTakesTheFirstConnectedOne) {
  struct Case {
    uint32_t connected;
    uint32_t only;
    Mode mode;
  };
  const Case cases[] = {
      // Controller 0 drives the first monitor already: its width stays the limit.
      {0x1 | 0x2 | 0x8, 1, {1024, 768, 85}},
      {0x2 | 0x8, 2, {1280, 1024, 60}},
      // The TV alone takes the preferred mode as it is.
      {0x8, 8, {1280, 1024, 60}},
  };
  for (const Case& c : cases) {
    SimDisplayRig fresh;
    DisplayEnvironment freshEnv = fresh.Environment();
    fresh.driver.State().connectedDisplays = c.connected;
    DefaultSingleDisplay(freshEnv, kSupported);
    EXPECT_EQ(fresh.driver.State().controllers[0].displays, c.only);
    EXPECT_EQ(fresh.driver.State().controllers[1].displays, 0u);
    EXPECT_EQ(ModeOf(fresh.driver.State().controllers[0]), c.mode) << c.connected;
    EXPECT_TRUE(fresh.DriverKey()->ReadValue(L"DisplayLayout"));
  }

  rig.driver.State().connectedDisplays = 0;
  DefaultSingleDisplay(env, kSupported);
  EXPECT_EQ(Count(EscapeFunction::SetDisplayConfig), 0u);
  EXPECT_FALSE(rig.DriverKey()->ReadValue(L"DisplayLayout")) << "nothing to persist";

  DefaultSingleDisplay(env, DisplaySupport{});
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"此设备未被支持."});
  EXPECT_EQ(rig.user.History()[0].request.caption, L"信息");
}

}  // namespace
}  // namespace corvane::display
