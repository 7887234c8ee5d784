// The overclocking dialog's safety net: new clocks kept only when the user says so.

#include <gtest/gtest.h>

#include <cmath>

#include "display/check_resolution_form.h"
#include "hardware/overclocking/over_form.h"
#include "hardware/overclocking/overclocking_test_support.h"
#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::overclocking {
namespace {

TEST(NewClocks, AreUndoneAfterTheCountdownUnlessKeptWhenConfirmingIsOn) {
  enum class User { Waits, Keeps, Refuses };
  struct Case {
    bool confirm;
    User user;
    long core;  // MHz afterwards
    size_t asked;
  };
  const Case cases[] = {
      {false, User::Waits, 400, 0},
      {true, User::Waits, 380, 1},
      {true, User::Keeps, 400, 1},
      {true, User::Refuses, 380, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.confirm << " " << static_cast<int>(c.user));
    testing::OverRig rig;
    platform::SimClock clock;
    ui::SimFormRenderer renderer;
    rig.reg1->SetValue(L"confirm_new_clocks", c.confirm);
    OverDialogContext context{{renderer, clock}, rig.registry, rig.user, *rig.reg1, *rig.rvx};
    context.ConfirmNewClocks = [&] { return display::ConfirmDisplayChangeDialog({renderer, clock}, L"确认新频率"); };
    TfrmOver dialog(context);
    const long before = std::lround(rig.rvx->CoreClock);
    ASSERT_EQ(before, 380);

    renderer.OnModal([&](ui::TForm& check) {
      EXPECT_EQ(check.Caption(), L"确认新频率");
      EXPECT_EQ(std::lround(rig.machine.Card().CoreClockMhz()), 400) << "the new clocks run while asked";
      if (c.user == User::Keeps) check[L"btOk"].Click();
      if (c.user == User::Refuses) check[L"btCancel"].Click();
      if (c.user != User::Waits) return;
      for (int tick = 0; tick < 9; ++tick) clock.Advance(1000);
      EXPECT_EQ(check.ModalResult(), ui::TModalResult::None) << "nine seconds in, still asking";
      clock.Advance(1000);
    });
    dialog[L"tbCore"].UserSetPosition(400);
    dialog[L"btApply"].Click();
    EXPECT_EQ(renderer.History().size(), c.asked);
    EXPECT_EQ(std::lround(rig.machine.Card().CoreClockMhz()), c.core);
    EXPECT_EQ(dialog[L"tbCore"].Position(), c.core) << "the slider shows what runs";
  }
}

}  // namespace
}  // namespace corvane::overclocking
