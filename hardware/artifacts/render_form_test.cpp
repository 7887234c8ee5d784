// The tester's scan and searches against a card stand-in: a dialog with a slider and an
// apply button whose clock makes artifacts above a limit.

#include "hardware/artifacts/render_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hardware/artifacts/sim_frame_source.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::artifacts {
namespace {

using K = ui::ComponentKind;

const std::vector<ui::ComponentDecl> kDialog = {
    {K::Form, L"frmDialog", L"", L"", 0, 0, 300, 100},
    {.kind = K::TrackBar, .name = L"tbClock", .min = 90, .max = 120, .position = 100},
    {K::Button, L"btApply", L"apply"},
    {K::Button, L"btStart", L"start"},
};

// The overclocking dialog as the tester sees it. The "card" runs at the slider's clock
// rounded down to a multiple of `granularity`; above `limit` every frame is faulty.
struct Dialog : ui::TForm {
  explicit Dialog(const ui::FormContext& forms) : TForm(forms, kDialog) {
    (*this)[L"btApply"].OnClick = [this](ui::TComponent&) {
      clock = (*this)[L"tbClock"].Position() / granularity * granularity;
      applied.push_back(clock);
      (*this)[L"tbClock"].SetPosition(clock);
    };
    (*this)[L"btStart"].OnClick = [this](ui::TComponent&) {
      ++startPresses;
      if (tester && tester->Searching()) tester->Stop();
    };
  }
  SearchControls Controls() { return {(*this)[L"tbClock"], (*this)[L"btApply"], (*this)[L"btStart"]}; }

  int clock = 100;
  int limit = 1000;
  int granularity = 1;
  std::vector<int> applied;
  int startPresses = 0;
  Tfrm3DRender* tester = nullptr;
};

struct TesterRig : ::testing::Test {
  std::unique_ptr<Tfrm3DRender> Open(bool atom = false) {
    auto tester = std::make_unique<Tfrm3DRender>(RenderContext{
        forms, threading, user,
        [this](ui::TForm&, FrameStore& store) {
          return std::make_unique<SimFrameSource>(store, [this] { return dirtyNext || dialog.clock > dialog.limit; });
        },
        atom});
    dialog.tester = tester.get();
    return tester;
  }
  // Runs the 10 ms timer until the search ends or `maxMs` have passed.
  void RunUntilStopped(Tfrm3DRender& tester, uint32_t maxMs = 10'000'000) {
    for (uint32_t ms = 0; ms < maxMs && tester.Searching(); ms += 10) clock.Advance(10);
  }
  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : user.History()) texts.push_back(shown.request.text);
    return texts;
  }

  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  ui::FormContext forms{renderer, clock};
  platform::SimThreading threading;
  platform::SimUserInteraction user;
  Dialog dialog{forms};
  bool dirtyNext = false;
};

TEST_F(TesterRig, ScanShowsTheCleanTimeAndStartsAgainAfterAFault) {
  auto tester = Open();
  EXPECT_EQ(tester->Caption(), L"3D 渲染");
  ASSERT_TRUE(tester->Rendering());
  tester->StartScan();
  clock.Advance(10);  // the reference
  clock.Advance(12'340);
  EXPECT_EQ(tester->Caption(), L"无 Artifacts 12.340 s.");
  clock.Advance(1'000);
  EXPECT_EQ(tester->Caption(), L"无 Artifacts 13.340 s.");

  dirtyNext = true;
  clock.Advance(10);
  EXPECT_EQ(tester->Caption(), L"");
  dirtyNext = false;
  clock.Advance(2'000);
  EXPECT_EQ(tester->Caption(), L"无 Artifacts 2.0 s.");
  EXPECT_TRUE(dialog.applied.empty()) << "a scan never touches the clocks";

  tester->Stop();
  EXPECT_EQ(tester->Caption(), L"3D Rendered");
  clock.Advance(5'000);
  EXPECT_EQ(tester->Caption(), L"3D Rendered");
}

TEST_F(TesterRig, SearchStepsUpBacksOffAndEndsAfterFiveCleanHolds) {
  dialog.limit = 103;
  auto tester = Open();
  tester->StartCoreSearch(dialog.Controls());
  EXPECT_EQ(tester->ThresholdMs(), kDefaultThresholdMs);
  RunUntilStopped(*tester);

  // Up to the limit, one over it, back, and then four more tries over it: five holds.
  EXPECT_EQ(dialog.applied, (std::vector<int>{101, 102, 103, 104, 103, 104, 103, 104, 103, 104, 103, 104, 103}));
  EXPECT_EQ(dialog[L"tbClock"].Position(), 103) << "the last clean clock stays";
  EXPECT_EQ(dialog.startPresses, 1);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"发现最大 GPU 时钟"});
  EXPECT_EQ(user.History().back().request.caption, L"信息");
  EXPECT_FALSE(tester->Searching());
  EXPECT_EQ(tester->ThresholdMs(), kDefaultThresholdMs);
  EXPECT_EQ(tester->HeldCount(), 0);
}

TEST_F(TesterRig, ClockStepsGrowUntilTheCardReallyMoves) {
  dialog.granularity = 3;
  dialog.clock = 99;
  dialog[L"tbClock"].SetPosition(99);
  dialog.limit = 102;
  auto tester = Open();
  tester->StartMemSearch(dialog.Controls());
  RunUntilStopped(*tester);
  // 100 and 101 give 99 again; 102 is the next clock the card makes, 105 the one after.
  // Down from 105 the first try, 104, already gives 102.
  ASSERT_GE(dialog.applied.size(), 7u);
  EXPECT_EQ(std::vector<int>(dialog.applied.begin(), dialog.applied.begin() + 7),
            (std::vector<int>{99, 99, 102, 102, 102, 105, 102}));
  EXPECT_EQ(dialog[L"tbClock"].Position(), 102);
  EXPECT_EQ(Messages(), std::vector<std::wstring>{L"发现最大 MEM 时钟"});
}

TEST_F(TesterRig, SearchStopsAtTheSlidersBounds) {
  struct Case {
    const char* what;
    int position;
    int limit;
    std::wstring message;
    size_t applies;
  };
  const Case cases[] = {
      {"at the maximum, clean", 120, 1000, L"已到达最大频率. 可通过修改\rcorvane.ini 中的ovr_perc_up=来增加最大值  ", 0},
      {"at the minimum, faulty", 90, 50, L"已到达最小频率. 可通过修改\rcorvane.ini 中的ovr_perc_down=来降低最小值", 0},
      {"faulty all the way down", 92, 50, L"已到达最小频率. 可通过修改\rcorvane.ini 中的ovr_perc_down=来降低最小值", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialog.applied.clear();
    dialog[L"tbClock"].SetPosition(c.position);
    dialog.clock = c.position;
    dialog.limit = c.limit;
    const size_t before = user.History().size();
    auto tester = Open();
    tester->StartCoreSearch(dialog.Controls());
    RunUntilStopped(*tester, 100'000);
    EXPECT_FALSE(tester->Searching());
    ASSERT_EQ(user.History().size(), before + 1);
    EXPECT_EQ(user.History().back().request.text, c.message);
    EXPECT_EQ(dialog.applied.size(), c.applies);
  }
}

TEST_F(TesterRig, ThresholdStartsHigherOnAtomCardsAndGrowsWithEveryStep) {
  for (bool atom : {false, true}) {
    SCOPED_TRACE(atom ? "ATOM" : "legacy");
    dialog.applied.clear();
    dialog[L"tbClock"].SetPosition(100);
    dialog.clock = 100;
    auto tester = Open(atom);
    tester->StartCoreSearch(dialog.Controls());
    const uint32_t first = atom ? kAtomThresholdMs : kDefaultThresholdMs;
    EXPECT_EQ(tester->ThresholdMs(), first);
    clock.Advance(10);  // the reference
    clock.Advance(first - 10);
    EXPECT_TRUE(dialog.applied.empty()) << "held shorter than the threshold";
    clock.Advance(10);
    EXPECT_EQ(dialog.applied, std::vector<int>{101});
    EXPECT_EQ(tester->ThresholdMs(), first + kThresholdGrowthMs);

    // The card settles for two seconds, the next frame is the new reference, and that is
    // held for the new threshold.
    clock.Advance(kSettleMs + 10 + 10 + first + kThresholdGrowthMs - 10);
    EXPECT_EQ(dialog.applied, std::vector<int>{101});
    clock.Advance(10);
    EXPECT_EQ(dialog.applied, (std::vector<int>{101, 102}));
    EXPECT_EQ(tester->ThresholdMs(), first + 2 * kThresholdGrowthMs);
    tester->Stop();
    EXPECT_EQ(tester->ThresholdMs(), kDefaultThresholdMs);
  }
}

TEST_F(TesterRig, AWindowWithoutASceneDoesNotRun) {
  auto tester = std::make_unique<Tfrm3DRender>(
      RenderContext{forms, threading, user, [](ui::TForm&, FrameStore&) { return nullptr; }, false});
  EXPECT_FALSE(tester->Rendering());
  tester->StartScan();
  clock.Advance(1'000);
  EXPECT_EQ(tester->Caption(), L"3D 渲染");
  tester->Close();
  EXPECT_EQ(renderer.ShowingForms(), std::vector<std::wstring>{L"frm3DRender"}) << "the user cannot close it";
  tester.reset();
  EXPECT_TRUE(renderer.ShowingForms().empty());
}

}  // namespace
}  // namespace corvane::artifacts
