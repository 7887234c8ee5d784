#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "ui/about_box.h"
#include "ui/form_renderer_sim.h"
#include "ui/wait_form.h"

namespace corvane::ui {
namespace {

class WidgetsTest : public ::testing::Test {
 protected:
  platform::SimClock clock;
  SimFormRenderer renderer;
  FormContext context{renderer, clock};
};

TEST_F(WidgetsTest, AboutBoxShowsBrandAndLinkOnlyWhenBranded) {
  AboutInfo branded{.version = L"1.2.3", .branded = true, .brandText = L"某某科技", .linkAddress = L"http://x.example/"};
  TfrmAbout brandedBox(context, branded);
  EXPECT_EQ(brandedBox.Caption(), L"关于");
  EXPECT_EQ(brandedBox[L"lbTitle"].Caption(), L"Corvane v1.2.3");
  EXPECT_TRUE(brandedBox[L"lbBrand"].Visible());
  EXPECT_TRUE(brandedBox[L"lkBrand"].Visible());
  EXPECT_EQ(brandedBox[L"lkBrand"].Caption(), L"http://x.example/") << "the address stands in for a missing caption";

  TfrmAbout plainBox(context, {.version = L"1.2.3"});
  EXPECT_EQ(plainBox.ClientHeight(), brandedBox.ClientHeight() - TfrmAbout::kBrandBandHeight);
  EXPECT_EQ(plainBox[L"btOk"].Top(), brandedBox[L"btOk"].Top() - TfrmAbout::kBrandBandHeight);
  EXPECT_FALSE(plainBox[L"lbBrand"].Visible());
  EXPECT_FALSE(plainBox[L"lkBrand"].Visible());

  branded.linkAddress = L"  ";
  TfrmAbout blankLink(context, branded);
  EXPECT_TRUE(blankLink[L"lbBrand"].Visible());
  EXPECT_FALSE(blankLink[L"lkBrand"].Visible());
  EXPECT_EQ(blankLink.ClientHeight(), brandedBox.ClientHeight()) << "the band stays; only the link goes";
}

TEST_F(WidgetsTest, AboutBoxLinkOpensItsAddressAndOkCloses) {
  TfrmAbout box(context, {.version = L"1.0", .branded = true, .linkAddress = L"http://x.example/",
                          .linkCaption = L"主页"});
  std::wstring opened;
  box.OnOpenLink = [&](const std::wstring& address) { opened = address; };
  renderer.OnModal([](TForm& shown) {
    EXPECT_EQ(shown[L"lkBrand"].Caption(), L"主页");
    shown[L"lkBrand"].Click();
    shown[L"btOk"].Click();
  });
  EXPECT_EQ(box.ShowModal(), TModalResult::Ok);
  EXPECT_EQ(opened, L"http://x.example/");
}

TEST_F(WidgetsTest, WaitFormShowsForTheDurationOfTheWork) {
  TfrmWait wait(context);
  EXPECT_EQ(wait.Message(), L"请稍候...");
  {
    WaitingWhile busy(wait);
    EXPECT_EQ(renderer.ShowingForms(), std::vector<std::wstring>{L"frmWait"});
    const size_t before = renderer.ChangesSeen();
    wait.SetMessage(L"正在测试...");
    EXPECT_GT(renderer.ChangesSeen(), before) << "a message change reaches the screen at once";
  }
  EXPECT_TRUE(renderer.ShowingForms().empty());
  EXPECT_FALSE(wait.Showing());
}

}  // namespace
}  // namespace corvane::ui
