#include "display/displays/displays_form.h"

#include <gtest/gtest.h>

#include "display/displays/display_prop_form.h"
#include "display/escape_bytes.h"
#include "display/escape_test_fakes.h"
#include "platform/registry_values.h"
#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using platform::MessageAnswer;
using platform::sim::SimEscapeCall;
using testing::SimDisplayRig;
using ui::TForm;
using ui::TModalResult;
namespace A = Adjustment;

constexpr wchar_t kRoot[] = L"\\P\\";

class DisplaysFormTest : public ::testing::Test {
 protected:
  // Shows the dialog, plays `script` in it and returns how it ended.
  TModalResult Run(std::function<void(TForm&)> script) {
    forms.OnModal(std::move(script));
    return OpenDisplaysDialog({ui::FormContext{forms, clock}, env, support, profiles, startup,
                               [this](const DisplayStartup& saved) { savedStartup = saved; }})
               ? TModalResult::Ok
               : TModalResult::Cancel;
  }
  void SetLayout(uint32_t p, uint32_t s) {
    rig.driver.State().controllers[0].displays = p;
    rig.driver.State().controllers[1].displays = s;
  }
  std::vector<const SimEscapeCall*> Sent(uint32_t function) const {
    std::vector<const SimEscapeCall*> calls;
    for (const SimEscapeCall& call : rig.driver.Calls())
      if (call.function == function) calls.push_back(&call);
    return calls;
  }
  // The display indexes of the adjustment records sent, in order.
  std::vector<uint32_t> AdjustedIndexes() const {
    std::vector<uint32_t> indexes;
    for (const SimEscapeCall* call : Sent(EscapeFunction::SetDisplayAdjustments)) indexes.push_back(call->index);
    return indexes;
  }
  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : rig.user.History()) texts.push_back(shown.request.text);
    return texts;
  }
  int32_t TvSlot(size_t slot) { return rig.driver.DisplayByIndex(3)->adjustments[slot]; }
  static std::vector<bool> Lamps(TForm& form, const wchar_t* suffix) {
    std::vector<bool> lit;
    for (const wchar_t* led : {L"ledPower", L"ledPrimary", L"ledClone"}) {
      ui::TComponent& lamp = form[std::wstring(led) + suffix];
      EXPECT_EQ(lamp.Enabled(), lamp.Checked()) << "a lamp is enabled exactly while lit";
      lit.push_back(lamp.Checked());
    }
    return lit;
  }

  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  DisplaySupport support{5, 3, DisplayBit::Tv, false};
  DisplayProfiles profiles{rig.registry, kRoot};
  DisplayStartup startup;
  std::optional<DisplayStartup> savedStartup;
  ui::SimFormRenderer forms;
  platform::SimClock clock;
};

TEST_F(DisplaysFormTest, OpensOnWhatTheDriverReports) {
  rig.driver.State().connectedDisplays = 0x1 | 0x8;
  startup = {true, L"夜间"};
  Run([&](TForm& form) {
    EXPECT_EQ(form.Caption(), L"显示");
    EXPECT_EQ(form[L"lbConn1"].Caption(), L"已连接.");
    EXPECT_EQ(form[L"lbConn2"].Caption(), L"未连接!");
    EXPECT_FALSE(form[L"btPower2"].Enabled());
    EXPECT_FALSE(form[L"btAdvanced2"].Enabled());
    EXPECT_EQ(form[L"lbMaxWidth1"].Caption(), L"最大水平分辨率 1600");
    EXPECT_EQ(form[L"lbMaxRefresh1"].Caption(), L"最大刷新率 85");
    EXPECT_EQ(form[L"lbMaxWidth2"].Caption(), L"");
    EXPECT_EQ(Lamps(form, L"1"), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(Lamps(form, L"Tv"), (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(form[L"btApply"].Enabled());
    EXPECT_TRUE(form[L"cbStartup"].Checked());
    EXPECT_EQ(form[L"lbStartup"].Caption(), L"夜间");
    // The TV is not in the driver's configuration: its tab shows the fixed values.
    EXPECT_EQ(form[L"tbContr"].Position(), 100);
    EXPECT_EQ(form[L"tbFlick"].Position(), 60);
    EXPECT_EQ(form[L"cbStandard"].Text(), L"PAL-B");
    EXPECT_FALSE(form[L"cbOverscan"].Checked());
  });
  // A monitor without reply says so.
  rig.driver.State().failingFunctions.insert(EscapeFunction::GetDisplayLimits);
  Run([&](TForm& form) {
    EXPECT_EQ(form[L"lbMaxWidth1"].Caption(), L"无信息");
    EXPECT_EQ(form[L"lbMaxHeight1"].Caption(), L"");
  });
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

TEST_F(DisplaysFormTest, TvPrimaryAppliedGivesBothControllersThePreferredMode) {
  SetLayout(1, 8);
  EXPECT_EQ(Run([&](TForm& form) {
              EXPECT_EQ(Lamps(form, L"Tv"), (std::vector<bool>{true, false, true}));
              form[L"btPrimaryTv"].Click();
              EXPECT_EQ(Lamps(form, L"Tv"), (std::vector<bool>{true, true, false}));
              EXPECT_EQ(Lamps(form, L"1"), (std::vector<bool>{true, true, false}));
              EXPECT_TRUE(Sent(EscapeFunction::SetDisplayConfig).empty()) << "nothing is sent before Apply";
              EXPECT_TRUE(form[L"btApply"].Enabled());
              form[L"btApply"].Click();
              EXPECT_FALSE(form[L"btApply"].Enabled()) << "the records were read again";
              form[L"btCancel"].Click();
            }),
            TModalResult::Cancel);
  const auto& state = rig.driver.State();
  EXPECT_EQ(std::tuple(state.controllers[0].displays, state.controllers[1].displays), std::tuple(9u, 0u));
  for (const auto& controller : state.controllers)
    EXPECT_EQ(std::tuple(controller.width, controller.height, controller.refresh), std::tuple(1280u, 1024u, 60u));
  // Windows was told the primary display's new mode.
  ASSERT_FALSE(rig.displays.Changes().empty());
  const platform::sim::SimDisplayChange& change = rig.displays.Changes().back();
  EXPECT_EQ(change.flags, platform::DisplayChangeFlag::UpdateRegistry | platform::DisplayChangeFlag::Reset);
  EXPECT_EQ(std::tuple(change.mode->width, change.mode->height, change.mode->frequency), std::tuple(1280u, 1024u, 60u));
  EXPECT_EQ(Sent(EscapeFunction::SetDisplayConfig).front()->outputSize, 16u);
  // Only the layout differed: no adjustment or theater record went out.
  EXPECT_TRUE(AdjustedIndexes().empty());
  EXPECT_TRUE(Sent(EscapeFunction::SetTheaterMode).empty());
  EXPECT_TRUE(rig.DriverKey()->ReadValue(L"DisplayLayout"));
}

TEST_F(DisplaysFormTest, ALayoutTheDriverRefusesLeavesWindowsAlone) {
  rig.driver.State().failingFunctions.insert(EscapeFunction::SetDisplayConfig);
  const size_t changesBefore = rig.displays.Changes().size();
  Run([&](TForm& form) {
    form[L"btPowerTv"].Click();
    form[L"btApply"].Click();
    // The records were read again: the dialog shows what the driver kept.
    EXPECT_EQ(Lamps(form, L"Tv"), (std::vector<bool>{false, false, false}));
  });
  EXPECT_EQ(Sent(EscapeFunction::SetDisplayConfig).size(), 1u);
  EXPECT_EQ(rig.displays.Changes().size(), changesBefore);
  EXPECT_EQ(rig.driver.State().controllers[1].displays, 0u);
}

TEST_F(DisplaysFormTest, TheTvTabsWaitForAnActiveTvOutput) {
  Run([&](TForm& form) {
    ui::TComponent& pages = form[L"pcDisplays"];
    pages.UserSelect(1);
    EXPECT_EQ(pages.ItemIndex(), 0);
    // Lit in the dialog but not yet applied is not enough.
    form[L"btPowerTv"].Click();
    pages.UserSelect(2);
    EXPECT_EQ(pages.ItemIndex(), 0);
  });
  EXPECT_EQ(Messages(), (std::vector<std::wstring>(2, L"你还没有激活TV输出!\r访问TV属性前请先作相应更改")));
  EXPECT_EQ(rig.user.History()[0].request.caption, L"错误");

  SetLayout(9, 0);
  Run([&](TForm& form) {
    form[L"pcDisplays"].UserSelect(1);
    EXPECT_EQ(form[L"pcDisplays"].ItemIndex(), 1);
    EXPECT_EQ(form[L"tbContr"].Position(), 120) << "the TV's own record shows now";
  });
  EXPECT_EQ(rig.user.History().size(), 2u);
}

TEST_F(DisplaysFormTest, TvAdjustmentsAreLiveAndStayWithinTheirLimits) {
  SetLayout(1, 8);
  rig.driver.DisplayByIndex(3)->adjustments[A::VerticalPosition] = 0;
  rig.driver.DisplayByIndex(3)->caps[A::HorizontalPosition] = {0, -2, 2, 1};
  rig.driver.DisplayByIndex(3)->adjustments[A::HorizontalPosition] = 0;
  rig.driver.DisplayByIndex(3)->adjustments[A::Overscan] = 0;
  Run([&](TForm& form) {
    form[L"pcDisplays"].UserSelect(1);
    for (int i = 0; i < 10; ++i) form[L"btTvDown"].Click();
    EXPECT_EQ(TvSlot(A::VerticalPosition), 6);
    for (int i = 0; i < 20; ++i) form[L"btTvUp"].Click();
    EXPECT_EQ(TvSlot(A::VerticalPosition), -6);
    for (int i = 0; i < 5; ++i) form[L"btTvRight"].Click();
    EXPECT_EQ(TvSlot(A::HorizontalPosition), 2);
    EXPECT_EQ(AdjustedIndexes().size(), 6u + 12u + 2u) << "a step at the limit sends nothing";

    form[L"tbContr"].UserSetPosition(150);
    EXPECT_EQ(TvSlot(A::Contrast), 150);
    form[L"cbStandard"].UserSelect(0);
    EXPECT_EQ(TvSlot(A::TvStandard), 0x1);

    // Overscan on: the position and size buttons rest.
    form[L"cbOverscan"].Click();
    EXPECT_EQ(TvSlot(A::Overscan), 1);
    EXPECT_FALSE(form[L"btTvUp"].Enabled());
    EXPECT_FALSE(form[L"btTvWider"].Enabled());

    // A sharpness choice is read back from the driver.
    rig.driver.ClearCalls();
    form[L"cbComposite"].UserSelect(3);
    EXPECT_EQ(TvSlot(A::CompositeSharpness), 3);
    EXPECT_EQ(rig.driver.Calls().back().function, EscapeFunction::GetDisplayAdjustments);

    form[L"btTvDefault"].Click();
    EXPECT_EQ(std::tuple(TvSlot(A::Contrast), TvSlot(A::Saturation), TvSlot(A::FlickerFilter),
                         TvSlot(A::VerticalPosition), TvSlot(A::CompositeSharpness)),
              std::tuple(100, 100, 60, 0, 1));
    EXPECT_EQ(form[L"tbContr"].Position(), 100);

    form[L"btTvReset"].Click();
    EXPECT_EQ(TvSlot(A::Contrast), 120);
    EXPECT_EQ(TvSlot(A::VerticalPosition), 0);
    EXPECT_FALSE(form[L"btApply"].Enabled()) << "back to what the driver reported";
  });
}

TEST_F(DisplaysFormTest, DriverValuesOutOfEveryRangeAreNeitherSteppedNorShown) {
  SetLayout(1, 8);
  auto& tv = rig.driver.DisplayByIndex(3)->adjustments;
  tv[A::VerticalPosition] = INT32_MAX;
  tv[A::HorizontalPosition] = INT32_MIN;
  tv[A::TvStandard] = 0x4;  // not a standard of the list
  tv[A::CompositeSharpness] = -1;
  tv[A::Overscan] = 0;
  Run([&](TForm& form) {
    form[L"pcDisplays"].UserSelect(1);
    form[L"btTvDown"].Click();
    form[L"btTvLeft"].Click();
    EXPECT_TRUE(AdjustedIndexes().empty());
    EXPECT_EQ(form[L"cbStandard"].ItemIndex(), -1);
    EXPECT_EQ(form[L"cbComposite"].ItemIndex(), -1);
  });
}

TEST_F(DisplaysFormTest, CancelSendsBackExactlyTheRecordsThatDiffer) {
  SetLayout(1, 8);
  const std::array<int32_t, 25> tvBefore = rig.driver.DisplayByIndex(3)->adjustments;
  const std::array<uint8_t, 40> theaterBefore = rig.driver.State().theaterMode;
  Run([&](TForm& form) {
    form[L"btClone1"].Click();  // a layout change, never sent
    form[L"pcDisplays"].UserSelect(1);
    form[L"tbColor"].UserSetPosition(30);
    form[L"pcDisplays"].UserSelect(2);
    form[L"rbTheater"].Click();
    EXPECT_TRUE(form[L"rb169"].Enabled());
    form[L"rb169"].Click();
    EXPECT_EQ(ReadWord(rig.driver.State().theaterMode, 16), 0x21u);
    rig.driver.ClearCalls();
    form[L"btCancel"].Click();
  });
  EXPECT_EQ(AdjustedIndexes(), std::vector<uint32_t>{3});
  EXPECT_EQ(Sent(EscapeFunction::SetTheaterMode).size(), 1u);
  EXPECT_TRUE(Sent(EscapeFunction::SetDisplayConfig).empty());
  EXPECT_EQ(rig.driver.DisplayByIndex(3)->adjustments, tvBefore);
  EXPECT_EQ(ReadWord(rig.driver.State().theaterMode, 8), ReadWord(theaterBefore, 8));
  EXPECT_EQ(ReadWord(rig.driver.State().theaterMode, 16), ReadWord(theaterBefore, 16));
  EXPECT_EQ(rig.driver.State().controllers[1].displays, 8u);
  EXPECT_FALSE(rig.DriverKey()->ReadValue(L"TvAdjust")) << "nothing was persisted";
}

TEST_F(DisplaysFormTest, MonitorPropertiesNeedAPoweredMonitorAndComeBackOnOk) {
  Run([&](TForm& form) {
    form[L"btAdvanced2"].Click();
    EXPECT_EQ(Messages(), std::vector<std::wstring>{L"此设备尚未被激活!"});

    // Cancel puts back what the monitor had; OK keeps the values for Apply.
    forms.OnModal([&](TForm& prop) {
      EXPECT_EQ(prop.Caption(), L"显示属性");
      prop[L"btPosRight"].Click();
      EXPECT_EQ(rig.driver.DisplayByIndex(0)->adjustments[A::HorizontalPosition], -2);
      prop[L"btCancel"].Click();
    });
    form[L"btAdvanced1"].Click();
    EXPECT_EQ(rig.driver.DisplayByIndex(0)->adjustments[A::HorizontalPosition], -3);
    EXPECT_FALSE(form[L"btApply"].Enabled());

    forms.OnModal([&](TForm& prop) {
      prop[L"cbCSync"].Click();
      for (int i = 0; i < 30; ++i) prop[L"btTaller"].Click();
      prop[L"btOk"].Click();
    });
    form[L"btAdvanced1"].Click();
    EXPECT_EQ(rig.driver.DisplayByIndex(0)->adjustments[A::VerticalSize], 20) << "the caps' maximum";
    EXPECT_TRUE(form[L"btApply"].Enabled());
    rig.driver.ClearCalls();
    form[L"btOk"].Click();
  });
  EXPECT_EQ(AdjustedIndexes(), std::vector<uint32_t>{0});
  EXPECT_EQ(rig.driver.DisplayByIndex(0)->adjustments[A::CompositeSync], 1);
  EXPECT_TRUE(rig.DriverKey()->ReadValue(L"MonitorAdjust"));
  ASSERT_TRUE(savedStartup);
  EXPECT_FALSE(savedStartup->load);
}

TEST_F(DisplaysFormTest, ProfilesAreSavedLoadedAndTheReservedNameRefused) {
  Run([&](TForm& form) {
    form[L"btPower2"].Click();  // (1, 2)
    forms.OnModal([](TForm& ask) {
      ask[L"edName"].UserSetText(L" 默认单一显示  ");
      ask[L"btOk"].Click();
    });
    form[L"btSave"].Click();
    EXPECT_EQ(Messages(), std::vector<std::wstring>{L"不能使用此名称!"});
    EXPECT_TRUE(profiles.Names().empty());

    forms.OnModal([](TForm& ask) {
      EXPECT_EQ(ask.Caption(), L"创建配置文件");
      ask[L"edName"].UserSetText(L"双屏");
      ask[L"btOk"].Click();
    });
    form[L"btSave"].Click();
    EXPECT_EQ(profiles.Names(), std::vector<std::wstring>{L"双屏"});
    EXPECT_EQ(form[L"cbProfiles"].Text(), L"双屏");

    // Saving again asks first; Cancel keeps the stored one.
    form[L"btPower2"].Click();  // (1, 0)
    rig.user.Answer(MessageAnswer::Cancel);
    forms.OnModal([](TForm& ask) { ask[L"btOk"].Click(); });
    form[L"btSave"].Click();
    EXPECT_EQ(rig.user.History().back().request.text, L"覆盖配置文件 双屏 ?");

    // Loading puts the stored layout into the dialog only.
    form[L"btLoad"].Click();
    EXPECT_EQ(Lamps(form, L"2"), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(Sent(EscapeFunction::SetDisplayConfig).empty());

    form[L"cbStartup"].Click();
    EXPECT_EQ(form[L"lbStartup"].Caption(), L"双屏");
    form[L"btOk"].Click();
  });
  auto key = rig.registry.OpenKey(platform::RegistryRoot::CurrentUser, std::wstring(kRoot) + L"Display\\双屏", false);
  ASSERT_TRUE(key);
  EXPECT_EQ(platform::ReadRegDword(*key, L"c1_ed"), 2u);
  EXPECT_EQ(platform::ReadRegDword(*key, L"tv_contr"), 120u);
  EXPECT_EQ(rig.driver.State().controllers[1].displays, 2u) << "OK applied the loaded layout";
  ASSERT_TRUE(savedStartup);
  EXPECT_TRUE(savedStartup->load);
  EXPECT_EQ(savedStartup->profile, L"双屏");

  // Deleting asks, with Cancel as the default.
  Run([&](TForm& form) {
    form[L"cbProfiles"].UserSelect(0);
    form[L"btDelete"].Click();
    EXPECT_EQ(rig.user.History().back().request.defaultButton, 1);
    rig.user.Answer(MessageAnswer::Ok);
    form[L"btDelete"].Click();
    EXPECT_TRUE(profiles.Names().empty());
    EXPECT_FALSE(form[L"btLoad"].Enabled());
  });
}

TEST_F(DisplaysFormTest, UnsupportedDriverRefusesTheDialog) {
  support = DisplaySupport{};
  EXPECT_FALSE(OpenDisplaysDialog({ui::FormContext{forms, clock}, env, support, profiles, startup, {}}));
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"此设备未被支持."});
  EXPECT_TRUE(forms.History().empty());
}

}  // namespace
}  // namespace corvane::display
