#include <gtest/gtest.h>

#include "display/escape_test_fakes.h"
#include "display/resolutions/res_class.h"
#include "display/resolutions/resolution_menu.h"
#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using platform::DisplayMode;

DisplayMode Mode(uint32_t width, uint32_t height, uint32_t depth, uint32_t rate) {
  DisplayMode mode;
  mode.fields = platform::DisplayModeField::Resolution;
  mode.width = width;
  mode.height = height;
  mode.bitsPerPel = depth;
  mode.frequency = rate;
  return mode;
}

platform::sim::SimDisplayOptions Offering(std::vector<DisplayMode> modes, DisplayMode current) {
  platform::sim::SimDisplayOptions options;
  options.secondaryDeviceId = 0;
  options.modes = std::move(modes);
  options.primaryMode = current;
  return options;
}

// 1024x768 and 800x600 at 32 bits, 800x600 at 16, one 24-bit, one 8-bit and one 4-bit mode.
std::vector<DisplayMode> UsualModes() {
  return {Mode(640, 480, 4, 60),    Mode(1024, 768, 32, 60),  Mode(800, 600, 16, 75),   Mode(1024, 768, 32, 75),
          Mode(1024, 768, 32, 85),  Mode(1280, 1024, 24, 60), Mode(800, 600, 16, 60),   Mode(800, 600, 32, 60),
          Mode(1024, 768, 32, 75),  Mode(640, 480, 8, 60)};
}

TEST(TResClass, OneEntryPerModeInFirstSeenOrderWithEveryRate) {
  platform::SimRegistry registry;
  platform::sim::SimDisplayDevices displays(registry, Offering(UsualModes(), Mode(1024, 768, 32, 85)));
  TResClass catalogue(displays, L"\\\\.\\DISPLAY1");
  const std::vector<ResolutionEntry> expected = {
      {1024, 768, 32, {60, 75, 85, 75}}, {800, 600, 16, {75, 60}}, {1280, 1024, 24, {60}}, {800, 600, 32, {60}},
      {640, 480, 8, {60}}};
  EXPECT_EQ(catalogue.Entries(), expected);
  EXPECT_EQ(catalogue.Count(), 5);
  EXPECT_EQ(catalogue.Find(800, 600, 16), 1);
  EXPECT_EQ(catalogue.Find(640, 480, 4), -1);  // 7 bits and less are left out
  EXPECT_EQ(catalogue.Item(5), ResolutionEntry{});
  EXPECT_EQ(catalogue.Item(-1), ResolutionEntry{});
  catalogue.Rebuild();
  EXPECT_EQ(catalogue.Count(), 5);
  catalogue.Clear();
  EXPECT_EQ(catalogue.Count(), 0);
}

TEST(ModeText, ReadsBackWhatItWrites) {
  EXPECT_EQ(ModeText(1024, 768, 32), L"1024x768x32");
  EXPECT_EQ(ParseModeText(L"1024x768x32"), (ModeSize{1024, 768, 32}));
  for (const wchar_t* bad : {L"", L"1024x768", L"1024x768x32x1", L"x768x32", L"1024x-768x32", L"1024X768X32",
                             L"99999x1x1", L"1024x768x 32", L"１０２４x768x32"})
    EXPECT_FALSE(ParseModeText(bad)) << bad;
}

class ResolutionMenuTest : public ::testing::Test {
 protected:
  explicit ResolutionMenuTest(std::vector<DisplayMode> modes = UsualModes())
      : displays(registry, Offering(std::move(modes), Mode(800, 600, 32, 60))) {}

  ResolutionMenu& Menu() {
    if (!menu) {
      menu = std::make_unique<ResolutionMenu>(
          pm2, ResolutionMenuContext{env, catalogue, ui::FormContext{forms, clock}, busy, [this] { return options; }});
      menu->pm2Popup();
    }
    return *menu;
  }
  void Click(const wchar_t* item) { pm2.Item(item).Click(); }
  DisplayMode Current() { return *displays.Mode(L"", platform::kCurrentDisplayMode); }

  platform::SimRegistry registry;
  platform::sim::SimDisplayDevices displays;
  testing::SilentEscapes escapes;
  testing::RecordingDriverLibrary library;
  platform::SimUserInteraction user;
  DisplayEnvironment env{escapes, library, displays, registry, user, L"\\\\.\\DISPLAY1", L"", {}, {}};
  TResClass catalogue{displays, L"\\\\.\\DISPLAY1"};
  ui::TPopupMenu pm2{L"pm2", {{.name = L"N8bpp1"}, {.name = L"N16bpp1"}, {.name = L"N32bpp1"}}};
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  bool busy = false;
  ResolutionOptions options;
  std::unique_ptr<ResolutionMenu> menu;
};

TEST_F(ResolutionMenuTest, DepthMenusHoldTheirModesAndTheCurrentOneIsChecked) {
  Menu();
  ui::TMenuItem& depth32 = pm2.Item(L"N32bpp1");
  ASSERT_EQ(depth32.Count(), 2u);
  EXPECT_EQ(depth32[0].Name, L"m1024x768x32");
  EXPECT_EQ(depth32[0].Caption, L"1024x768");
  EXPECT_TRUE(depth32[0].RadioItem);
  EXPECT_EQ(pm2.Item(L"N16bpp1").Count(), 1u);
  EXPECT_EQ(pm2.Item(L"N8bpp1").Count(), 1u);
  EXPECT_FALSE(pm2.Find(L"m1280x1024x24"));  // no 24 bpp menu

  EXPECT_TRUE(depth32.Checked);
  EXPECT_FALSE(pm2.Item(L"N16bpp1").Checked);
  EXPECT_TRUE(pm2.Item(L"m800x600x32").Checked);
  EXPECT_FALSE(pm2.Item(L"m1024x768x32").Checked);

  // Opening again rebuilds rather than adds.
  pm2.OnPopup();
  EXPECT_EQ(depth32.Count(), 2u);
}

// Every way the rate is chosen, with the confirmation kept.
TEST_F(ResolutionMenuTest, TheRateComesFromTheDialogOrTheSettings) {
  struct Case {
    ResolutionOptions options;
    int pick;           // index picked in the rate dialog; -1: no dialog expected
    uint32_t expected;  // 0: nothing switched
  };
  const Case cases[] = {
      {{}, 2, 85},  // 60, 75, 85, 75 offered
      {{}, 0, 60},
      {{.dontAskRate = true}, -1, 60},
      {{.dontAskRate = true, .selectRefreshMax = true}, -1, 75},  // the last listed
      {{.refreshLockEnabled = true, .dontAskRate = true}, -1, 75},
      {{.refreshLockEnabled = true}, -1, 75},
      {{.dontWait = true}, 1, 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pick);
    displays.ChangeSettings(L"", Mode(800, 600, 32, 60), 9);
    options = c.options;
    Menu().pm2Popup();
    if (c.pick >= 0)
      forms.OnModal([&](ui::TForm& form) {
        EXPECT_EQ(form.Caption(), L"选择刷新率");
        EXPECT_EQ(form[L"cbSelect"].Items(), (std::vector<std::wstring>{L"60", L"75", L"85", L"75"}));
        EXPECT_EQ(form[L"cbSelect"].ItemIndex(), 3);
        form[L"cbSelect"].UserSelect(c.pick);
        form[L"btOk"].Click();
      });
    if (!c.options.dontWait) forms.OnModal([](ui::TForm& form) { form[L"btOk"].Click(); });
    Click(L"m1024x768x32");
    EXPECT_EQ(forms.UnusedScripts(), 0u);
    EXPECT_EQ(Current(), Mode(1024, 768, 32, c.expected));
    EXPECT_EQ(*displays.Mode(L"", platform::kRegistryDisplayMode), Mode(1024, 768, 32, c.expected));
    EXPECT_EQ(displays.Changes().back().flags, 9u);
    EXPECT_EQ(env.currentMode, Current());
    EXPECT_FALSE(pm2.Item(L"m800x600x32").Checked);
    EXPECT_FALSE(busy);
  }
}

TEST_F(ResolutionMenuTest, UnconfirmedOrCancelledSwitchesLeaveTheDesktopAsItWas) {
  Menu();
  const DisplayMode before = Current();
  const size_t changes = displays.Changes().size();

  // Cancelling the rate dialog switches nothing.
  forms.OnModal([](ui::TForm& form) { form[L"btCancel"].Click(); });
  Click(L"m1024x768x32");
  EXPECT_EQ(displays.Changes().size(), changes);

  // Refusing the confirmation, and leaving it alone for ten seconds, puts the old mode back.
  for (bool leftAlone : {false, true}) {
    forms.OnModal([](ui::TForm& form) { form[L"btOk"].Click(); });
    forms.OnModal([&](ui::TForm& form) {
      EXPECT_EQ(Current(), Mode(1024, 768, 32, 75));
      if (leftAlone)
        clock.Advance(10000);
      else
        form[L"btCancel"].Click();
    });
    Click(L"m1024x768x32");
    EXPECT_EQ(forms.History().back().result, ui::TModalResult::Cancel);
    EXPECT_EQ(Current(), before);
    EXPECT_EQ(env.currentMode, before);
  }

  // A click while another dialog is open does nothing.
  busy = true;
  Click(L"m1024x768x32");
  EXPECT_EQ(Current(), before);
  EXPECT_TRUE(busy);
}

TEST_F(ResolutionMenuTest, TheGameLauncherTakesTheHighestListedRate) {
  EXPECT_TRUE(SwitchToResolutionAtMaxRate(env, catalogue, L"1024x768x32"));
  EXPECT_EQ(Current(), Mode(1024, 768, 32, 75));
  EXPECT_EQ(displays.Changes().back().mode->fields, 0x5C0000u);
  EXPECT_EQ(displays.Changes().back().flags, 9u);
  const size_t changes = displays.Changes().size();
  EXPECT_FALSE(SwitchToResolutionAtMaxRate(env, catalogue, L"1600x1200x32"));
  EXPECT_FALSE(SwitchToResolutionAtMaxRate(env, catalogue, L"garbage"));
  EXPECT_EQ(displays.Changes().size(), changes);
}

TEST(ChooseRefreshRate, TheLockWinsOverTheOtherSettings) {
  const std::vector<uint16_t> rates = {60, 75, 85};
  EXPECT_EQ(ChooseRefreshRate(rates, {.refreshLockEnabled = true, .dontAskRate = true}, 60), 85);
  EXPECT_EQ(ChooseRefreshRate(rates, {.dontAskRate = true}, 75), 60);
  EXPECT_EQ(ChooseRefreshRate(rates, {}, 75), 75);
  EXPECT_FALSE(AsksForRate({.refreshLockEnabled = true}));
  EXPECT_TRUE(AsksForRate({.selectRefreshMax = true}));
}

}  // namespace
}  // namespace corvane::display
