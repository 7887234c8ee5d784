#include "display/overlay/overlay_form.h"

#include <gtest/gtest.h>

#include "display/escape_bytes.h"
#include "display/escape_test_fakes.h"
#include "platform/sim/clock_sim.h"
#include "platform/text_encoding.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using testing::SimDisplayRig;
using ui::TForm;
using ui::TModalResult;
namespace P = OverlayProperty;

class OverlayFormTest : public ::testing::Test {
 protected:
  TModalResult Run(std::function<void(TfrmOverlay&)> script) {
    TfrmOverlay dialog({ui::FormContext{forms, clock}, env});
    forms.OnModal([&](TForm&) { script(dialog); });
    return dialog.ShowModal();
  }
  int32_t Value(uint32_t property) { return rig.driver.State().overlay[property].value; }
  // The (property, value) pairs of the SetOverlayValue requests, in order.
  std::vector<std::pair<uint32_t, int32_t>> Sent() const {
    std::vector<std::pair<uint32_t, int32_t>> sent;
    for (const auto& call : rig.driver.Calls())
      if (call.function == EscapeFunction::SetOverlayValue)
        sent.emplace_back(ReadWord(call.input, 20), ReadSigned(call.input, 24));
    return sent;
  }

  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  ui::SimFormRenderer forms;
  platform::SimClock clock;
};

TEST(OverlayValueText, HueShowsATenthWithTwoDecimals) {
  EXPECT_EQ(OverlayValueText(P::Hue, 15), L"1.50");
  EXPECT_EQ(OverlayValueText(P::Hue, -3), L"-0.30");
  EXPECT_EQ(OverlayValueText(P::Hue, 0), L"0.00");
  EXPECT_EQ(OverlayValueText(P::Gamma, 15), L"15");
  EXPECT_EQ(OverlayValueText(P::Brightness, -3), L"-3");
}

TEST_F(OverlayFormTest, SlidersTakeTheDriversRangesAndSendAsTheyMove) {
  rig.driver.State().overlay[P::Hue].value = 15;
  EXPECT_EQ(Run([&](TfrmOverlay& form) {
              EXPECT_EQ(form.Caption(), L"覆盖调整");
              ui::TComponent& gamma = form[L"tbGamma"];
              EXPECT_EQ(std::tuple(gamma.Min(), gamma.Max(), gamma.Position()), std::tuple(50, 250, 100));
              EXPECT_EQ(form[L"lbGammaMin"].Caption(), L"50");
              EXPECT_EQ(form[L"lbGammaMax"].Caption(), L"250");
              EXPECT_EQ(form[L"sbSat"].Caption(), L"120");
              EXPECT_EQ(form[L"sbHue"].Caption(), L"1.50");
              EXPECT_TRUE(Sent().empty()) << "opening sends nothing";

              form[L"tbHue"].UserSetPosition(-3);
              EXPECT_EQ(form[L"sbHue"].Caption(), L"-0.30");
              EXPECT_EQ(Value(P::Hue), -3);
              // The value button goes back to the driver's default, which is sent.
              form[L"sbSat"].Click();
              EXPECT_EQ(form[L"tbSat"].Position(), 100);
              EXPECT_EQ(Value(P::Saturation), 100);
              form[L"tbBri"].UserSetPosition(40);
              form[L"btDefault"].Click();
              EXPECT_EQ(std::tuple(Value(P::Brightness), Value(P::Hue)), std::tuple(0, 0));
              form[L"btOk"].Click();
            }),
            TModalResult::Ok);
  EXPECT_TRUE(rig.DriverKey()->ReadValue(L"DisplayLayout")) << "OK has the driver keep its settings";
}

TEST_F(OverlayFormTest, CancelSendsTheOpeningValuesBackInOrder) {
  Run([&](TfrmOverlay& form) {
    form[L"tbCont"].UserSetPosition(10);
    form[L"tbGamma"].UserSetPosition(200);
    rig.driver.ClearCalls();
    form[L"btCancel"].Click();
  });
  EXPECT_EQ(Sent(), (std::vector<std::pair<uint32_t, int32_t>>{{1, 0}, {2, 100}, {3, 100}, {4, 120}, {5, 0}}));
  EXPECT_EQ(std::tuple(Value(P::Contrast), Value(P::Gamma)), std::tuple(100, 100));
  EXPECT_FALSE(rig.DriverKey()->ReadValue(L"DisplayLayout"));
}

TEST_F(OverlayFormTest, WithoutOverlaySupportOnlyCancelWorksAndStillSendsFiveValues) {
  rig.driver.State().overlayAvailable = false;
  Run([&](TfrmOverlay& form) {
    EXPECT_FALSE(form.Available());
    for (const wchar_t* name : {L"tbBri", L"tbCont", L"tbSat", L"tbHue", L"tbGamma", L"sbBri", L"sbCont", L"sbSat",
                                L"sbHue", L"sbGamma", L"btDefault", L"btOk"})
      EXPECT_FALSE(form[name].Enabled()) << platform::ToUtf8(name);
    EXPECT_TRUE(form[L"btCancel"].Enabled());
    // The designed range stays where the driver gave none.
    EXPECT_EQ(std::tuple(form[L"tbGamma"].Min(), form[L"tbGamma"].Max()), std::tuple(-100, 100));
    form[L"btOk"].Click();
    EXPECT_EQ(form.ModalResult(), TModalResult::None);
    form[L"btCancel"].Click();
  });
  EXPECT_EQ(Sent(), (std::vector<std::pair<uint32_t, int32_t>>{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}));
}

}  // namespace
}  // namespace corvane::display
