#include "display/check_resolution_form.h"

#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using ui::TModalResult;

class CheckResolutionTest : public ::testing::Test {
 protected:
  platform::SimClock clock;
  ui::SimFormRenderer renderer;
  ui::FormContext context{renderer, clock};
};

TEST_F(CheckResolutionTest, LeftAloneItCountsDownAndCancels) {
  TfrmCheckRes dialog(context);
  EXPECT_EQ(dialog.Caption(), L"正在检测分辨率");
  EXPECT_EQ(dialog.SecondsLeft(), 10);
  renderer.OnModal([&](ui::TForm& shown) {
    clock.Advance(1000);
    EXPECT_EQ(shown[L"lbCountdown"].Caption(), L"9 秒内恢复");
    clock.Advance(8000);
    EXPECT_EQ(shown[L"lbCountdown"].Caption(), L"1 秒内恢复");
    EXPECT_EQ(shown.ModalResult(), TModalResult::None);
    clock.Advance(1000);
    EXPECT_EQ(shown.ModalResult(), TModalResult::Cancel);
  });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Cancel);
  EXPECT_EQ(dialog.SecondsLeft(), 0);
}

TEST_F(CheckResolutionTest, KeepingBeforeTheEndStaysKept) {
  TfrmCheckRes dialog(context);
  renderer.OnModal([&](ui::TForm& shown) {
    clock.Advance(9500);
    shown[L"btOk"].Click();
  });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);
  clock.Advance(5000);
  EXPECT_EQ(dialog.ModalResult(), TModalResult::Ok) << "the answer stands after the countdown would have ended";
  EXPECT_EQ(dialog.SecondsLeft(), 1);

  renderer.OnModal([&](ui::TForm& shown) { shown[L"btOk"].Click(); });
  EXPECT_TRUE(ConfirmDisplayChangeDialog(context));
  renderer.OnModal([&](ui::TForm&) { clock.Advance(10000); });
  EXPECT_FALSE(ConfirmDisplayChangeDialog(context));
}

}  // namespace
}  // namespace corvane::display
