// TfrmOver's artifact buttons on a simulated card whose frames go wrong above a clock.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "hardware/artifacts/sim_frame_source.h"
#include "hardware/overclocking/over_form.h"
#include "hardware/overclocking/overclocking_test_support.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/threading_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::overclocking {
namespace {

using platform::MessageAnswer;

struct ArtifactRig : testing::OverRig {
  TfrmOver& Open() {
    form.reset();
    OverDialogContext context{{renderer, clock}, registry, user, *reg1, *rvx};
    context.threading = &threading;
    context.artifactFrames = [this](ui::TForm&, artifacts::FrameStore& store) {
      return std::make_unique<artifacts::SimFrameSource>(store, [this] {
        return machine.Card().CoreClockMhz() > coreLimitMhz || machine.Card().MemClockMhz() > memLimitMhz;
      });
    };
    context.TemporalAAOn = [this] { return temporalAA; };
    context.SwitchTemporalAAOff = [this] { temporalAA = false; };
    form = std::make_unique<TfrmOver>(context);
    return *form;
  }
  ui::TComponent& operator[](const wchar_t* name) { return (*form)[name]; }
  bool Enabled(const wchar_t* name) { return (*form)[name].Enabled(); }
  void RunSearch() {
    for (int ms = 0; ms < 3'000'000 && form->Renderer()->Searching(); ms += 10) clock.Advance(10);
  }

  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  platform::SimThreading threading;
  double coreLimitMhz = 1000;
  double memLimitMhz = 1000;
  bool temporalAA = false;
  std::unique_ptr<TfrmOver> form;
};

TEST(OverFormArtifacts, TheRendererOpensOnlyWithTemporalAntiAliasingOff) {
  ArtifactRig rig;
  rig.temporalAA = true;
  rig.Open();
  EXPECT_TRUE(rig.Enabled(L"btRender"));
  EXPECT_FALSE(rig.Enabled(L"btScan") || rig.Enabled(L"btMaxGpu") || rig.Enabled(L"btMaxMem"));

  rig.user.Answer(MessageAnswer::No);
  rig[L"btRender"].Click();
  const platform::MessageBoxRequest& question = rig.user.History().back().request;
  EXPECT_EQ(question.text, L"在 TemporaAA 开启时 , QRX 无法进行扫描!\r 要关闭 TemporalAA 然后继续吗?");
  EXPECT_EQ(question.buttons, platform::MessageButtons::YesNo);
  EXPECT_EQ(rig.form->Renderer(), nullptr);
  EXPECT_TRUE(rig.temporalAA);
  EXPECT_FALSE(rig.form->RendererWasOpened());

  rig.user.Answer(MessageAnswer::Yes);
  rig[L"btRender"].Click();
  EXPECT_FALSE(rig.temporalAA);
  ASSERT_NE(rig.form->Renderer(), nullptr);
  EXPECT_TRUE(rig.form->RendererWasOpened());
  EXPECT_EQ(rig[L"btRender"].Caption(), L"关闭 3D 渲染");
  EXPECT_TRUE(rig.Enabled(L"btScan") && rig.Enabled(L"btMaxGpu") && rig.Enabled(L"btMaxMem"));

  // The scan's button stops it again; meanwhile the others wait.
  rig[L"btScan"].Click();
  EXPECT_EQ(rig[L"btScan"].Caption(), L"停止");
  EXPECT_FALSE(rig.Enabled(L"btRender") || rig.Enabled(L"btMaxGpu") || rig.Enabled(L"btMaxMem"));
  rig.clock.Advance(4'000);
  EXPECT_EQ(rig.form->Renderer()->Caption().rfind(L"无 Artifacts 3.", 0), 0u) << "a steady card shows no artifacts";
  rig[L"btScan"].Click();
  EXPECT_EQ(rig[L"btScan"].Caption(), L"扫描Artifacts(&F)");

  rig[L"btRender"].Click();
  EXPECT_EQ(rig.form->Renderer(), nullptr);
  EXPECT_EQ(rig[L"btRender"].Caption(), L"显示3D渲染(&E)");
  EXPECT_FALSE(rig.Enabled(L"btScan") || rig.Enabled(L"btMaxGpu") || rig.Enabled(L"btMaxMem"));
  EXPECT_TRUE(rig.renderer.ShowingForms().empty());
}

TEST(OverFormArtifacts, GpuSearchEndsAtTheClockTheCardTakes) {
  ArtifactRig rig;
  rig.coreLimitMhz = 384.6;
  rig.Open();
  rig[L"btRender"].Click();
  rig[L"btMaxGpu"].Click();
  EXPECT_EQ(rig[L"btMaxGpu"].Caption(), L"停止");
  EXPECT_FALSE(rig.Enabled(L"btScan") || rig.Enabled(L"btMaxMem") || rig.Enabled(L"btRender"));
  rig.RunSearch();

  ASSERT_FALSE(rig.user.History().empty());
  EXPECT_EQ(rig.user.History().back().request.text, L"发现最大 GPU 时钟");
  EXPECT_LE(rig.machine.Card().CoreClockMhz(), rig.coreLimitMhz);
  EXPECT_GT(rig.machine.Card().CoreClockMhz(), rig.coreLimitMhz - 1.5) << "the highest clean clock";
  EXPECT_EQ(rig[L"tbCore"].Position(), std::lround(rig.machine.Card().CoreClockMhz())) << "the slider shows it";
  EXPECT_EQ(rig[L"btMaxGpu"].Caption(), L"搜索最大 GPU");
  EXPECT_TRUE(rig.Enabled(L"btScan") && rig.Enabled(L"btMaxMem") && rig.Enabled(L"btRender"));

  // Closing the dialog frees the window.
  rig.renderer.OnModal([](ui::TForm& dialog) { dialog[L"btCancel"].Click(); });
  rig.form->ShowModal();
  EXPECT_EQ(rig.form->Renderer(), nullptr);
}

TEST(OverFormArtifacts, MemorySearchStepsTheMemorySliderOnly) {
  ArtifactRig rig;
  rig.memLimitMhz = 342.5;
  rig.Open();
  rig[L"btRender"].Click();
  rig[L"btMaxMem"].Click();
  rig.RunSearch();
  EXPECT_EQ(rig.user.History().back().request.text, L"发现最大 MEM 时钟");
  EXPECT_EQ(rig[L"tbMem"].Position(), 342);
  EXPECT_EQ(rig[L"tbCore"].Position(), 380);
  EXPECT_EQ(rig[L"btMaxMem"].Caption(), L"搜索最大 MEM");
}

}  // namespace
}  // namespace corvane::overclocking
