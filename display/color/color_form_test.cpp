#include "display/color/color_form.h"

#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using ui::TForm;
using ui::TModalResult;

constexpr ColorChannel kRed = ColorChannel::Red, kGreen = ColorChannel::Green, kBlue = ColorChannel::Blue;

class ColorFormTest : public ::testing::Test {
 protected:
  // Shows the dialog with the settings in force, plays `script` in it and returns how it ended.
  TModalResult Run(std::function<void(TForm&)> script) {
    forms.OnModal(std::move(script));
    TfrmColor dialog({ui::FormContext{forms, clock}, user, state, startup,
                      [this](const ColorStartup& saved) { savedStartup = saved; }});
    return dialog.ShowModal();
  }
  const ui::PixelImage& Curve(TForm& form) { return *form[L"imgCurve"].GetPicture().pixels; }

  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  std::array<int32_t, 9> current{};
  std::vector<ColorTable> palette;
  ColorState state{current, ColorProfiles(registry, L"\\P\\"), [this](const ColorTable& t) { palette.push_back(t); }};
  ColorStartup startup;
  std::optional<ColorStartup> savedStartup;
};

TEST_F(ColorFormTest, SlidersPreviewOnTheScreenAndOkKeepsThem) {
  EXPECT_EQ(Run([&](TForm& form) {
              EXPECT_EQ(form.Caption(), L"颜色调整");
              EXPECT_TRUE(form[L"sbAll"].Checked());
              // The neutral curve: the diagonal in white on black with a grey grid.
              const ui::PixelImage& neutral = Curve(form);
              EXPECT_EQ(neutral.At(64, 127 - 128 / 2), 0xFFFFFFu);
              EXPECT_EQ(neutral.At(21, 5), 0x808080u);
              EXPECT_EQ(neutral.At(5, 5), 0u);

              form[L"tbBright"].UserSetPosition(250);
              EXPECT_EQ(palette.back()[0], 0x7D7D7Du);
              EXPECT_EQ(Curve(form).At(0, 127 - 125 / 2), 0xFFFFFFu);
              EXPECT_EQ(form[L"lbBright"].Caption(), L"250");

              // One channel: only red moves; the label shows red's gamma factor.
              form[L"sbRed"].Click();
              EXPECT_EQ(form[L"tbBright"].Position(), 250);
              form[L"tbGamma"].UserSetPosition(20);
              EXPECT_EQ(form[L"lbGamma"].Caption(), L"5.00");
              form[L"btBrightReset"].Click();
              EXPECT_EQ(form[L"tbBright"].Position(), 0);
              EXPECT_EQ(palette.back()[0], 0x547D7Du);  // red: gamma 20 alone; green and blue bright
              const ui::PixelImage& red = Curve(form);
              EXPECT_EQ(red.At(0, 127 - 84 / 2), 0x0000FFu);   // the red curve drawn last
              EXPECT_EQ(red.At(0, 127 - 125 / 2), 0xFF0000u);  // blue over green where they agree

              form[L"sbGreen"].Click();
              EXPECT_EQ(form[L"tbBright"].Position(), 250);
              EXPECT_EQ(form[L"tbGamma"].Position(), 0);
              form[L"btOk"].Click();
            }),
            TModalResult::Ok);
  ColorSettings expected;
  for (ColorChannel channel : {kGreen, kBlue}) expected.Brightness(channel) = 250;
  expected.Gamma(kRed) = 20;
  EXPECT_EQ(state.CurrentColor(), expected);
  ASSERT_TRUE(savedStartup);
  EXPECT_FALSE(savedStartup->load);

  // Opened again with channels that differ it shows red; Cancel puts the table in force back.
  palette.clear();
  EXPECT_EQ(Run([&](TForm& form) {
              EXPECT_TRUE(form[L"sbRed"].Checked());
              EXPECT_EQ(form[L"tbGamma"].Position(), 20);
              form[L"btReset"].Click();
              EXPECT_TRUE(form[L"sbAll"].Checked());
              EXPECT_EQ(palette.back()[77], 0x4D4D4Du);
              form[L"btCancel"].Click();
            }),
            TModalResult::Cancel);
  EXPECT_EQ(state.CurrentColor(), expected);
  EXPECT_EQ(palette.back(), ComputeColorTable(expected));
}

TEST_F(ColorFormTest, ProfilesAreSavedLoadedDeletedAndChosenForStartUp) {
  Run([&](TForm& form) {
    EXPECT_FALSE(form[L"btLoad"].Enabled());
    // Checking the start-up box with no profile chosen is refused.
    form[L"cbStartup"].Click();
    EXPECT_FALSE(form[L"cbStartup"].Checked());
    EXPECT_EQ(user.History().back().request.text, L"未选择配置!");

    form[L"tbCont"].UserSetPosition(-40);
    forms.OnModal([](TForm& ask) {
      EXPECT_EQ(ask.Caption(), L"创建配置文件");
      ask[L"edName"].UserSetText(L"  ");
      ask[L"btOk"].Click();
      EXPECT_EQ(ask.ModalResult(), TModalResult::None);  // an empty name keeps it open
      ask[L"edName"].UserSetText(L"电影:夜");
      ask[L"btOk"].Click();
    });
    form[L"btSave"].Click();
    EXPECT_EQ(form[L"cbTemplates"].Items(), std::vector<std::wstring>{L"电影_夜"});
    EXPECT_EQ(form[L"cbTemplates"].Text(), L"电影_夜");
    EXPECT_TRUE(form[L"btLoad"].Enabled());

    form[L"btReset"].Click();
    form[L"btLoad"].Click();
    EXPECT_EQ(form[L"tbCont"].Position(), -40);
    EXPECT_EQ(palette.back()[255], 0xC0C0C0u);

    form[L"cbStartup"].Click();
    EXPECT_EQ(form[L"lbStartup"].Caption(), L"电影_夜");
    form[L"btOk"].Click();
  });
  ASSERT_TRUE(savedStartup);
  EXPECT_TRUE(savedStartup->load);
  EXPECT_EQ(savedStartup->profile, L"电影_夜");

  startup = *savedStartup;
  Run([&](TForm& form) {
    EXPECT_TRUE(form[L"cbStartup"].Checked());
    EXPECT_EQ(form[L"cbTemplates"].Text(), L"电影_夜");
    user.Answer(platform::MessageAnswer::Cancel);
    form[L"btDelete"].Click();
    EXPECT_EQ(user.History().back().request.defaultButton, 1);
    EXPECT_EQ(form[L"cbTemplates"].Items().size(), 1u);
    user.Answer(platform::MessageAnswer::Ok);
    form[L"btDelete"].Click();
    EXPECT_TRUE(form[L"cbTemplates"].Items().empty());
    EXPECT_FALSE(form[L"btDelete"].Enabled());
    form[L"cbStartup"].Click();  // unchecking clears the choice
    EXPECT_EQ(form[L"lbStartup"].Caption(), L"");
    form[L"btOk"].Click();
  });
  EXPECT_FALSE(savedStartup->load);
  EXPECT_TRUE(savedStartup->profile.empty());
}

TEST(DrawColorGradient, IsColourful) {
  const ui::PixelImage gradient = DrawColorGradient();
  EXPECT_EQ(gradient.Width(), 127);
  EXPECT_EQ(gradient.At(0, 0), 0x0000FFu);
  EXPECT_NE(gradient.At(60, 0), gradient.At(100, 0));
}

}  // namespace
}  // namespace corvane::display
