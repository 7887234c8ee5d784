// TfrmOGL played through the component model on a simulated driver.
#include "driver3d/dialogs/ogl_form.h"

#include <functional>

#include "driver3d/dialogs/dialog_test_support.h"

namespace corvane::driver3d::testing {
namespace {

using platform::ReadRegDword;
using platform::ReadRegString;
using ui::TModalResult;

class OGLFormTest : public DialogTest {
 public:
  OGLFormTest() { Start(false); }
  TfrmOGL& OpenOGL() { return Open<TfrmOGL>(); }
  std::optional<uint32_t> GL(const std::wstring& name) { return Dword(name, kOpenGLKey); }
};

TEST_F(OGLFormTest, WritesTheOpenGLKeyAndSharedValuesWithoutReloading) {
  struct Case {
    const char* what;
    std::function<void(OGLFormTest&)> act;
    std::vector<std::pair<std::wstring, uint32_t>> openGL;
  };
  const Case cases[] = {
      {"6x anti-aliasing", [](OGLFormTest& t) { t.Select(L"cbAA", L"6x"); }, {{L"OGLFullSceneAAScale", 6}}},
      {"24-bit depth", [](OGLFormTest& t) { t.Select(L"cbZBuf", L"24 位"); }, {{L"OGLForceZBufferDepth", 24}}},
      {"8x performance",
       [](OGLFormTest& t) {
         t.Select(L"cbAF", L"8x");
         t[L"rbPerf"].Click();
       },
       {{L"OGLMaxAnisotropy", 8}, {L"OGLAnisoType", 1}, {L"OGLEnableFastFullSceneAA", 1}}},
      {"16x quality",
       [](OGLFormTest& t) {
         t.Select(L"cbAF", L"16x");
         t[L"rbQual"].Click();
       },
       {{L"OGLMaxAnisotropy", 16}, {L"OGLAnisoType", 2}, {L"OGLEnableFastFullSceneAA", 0}}},
      {"sliders",
       [](OGLFormTest& t) {
         t[L"tbTP"].UserSetPosition(0);
         t[L"tbVS"].UserSetPosition(3);
         t[L"tbTF"].UserSetPosition(1);
         t[L"cbTriple"].Click();
       },
       {{L"OGLTextureOpt", 3}, {L"OGLWaitVerticalSync", 3}, {L"OGLTruformMode", 1}, {L"OGLEnableTripleBuffering", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form.reset();
    Reset();
    Start(false);
    OpenOGL();
    c.act(*this);
    (*this)[L"btApply"].Click();
    for (const auto& [name, value] : c.openGL) EXPECT_EQ(GL(name), value) << platform::ToUtf8(name);
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(tips, 1);
  }
}

TEST_F(OGLFormTest, DriverKeyValuesAndCounters) {
  OpenOGL();
  Select(L"cbAA", L"4x");
  Select(L"cbAF", L"2x");
  Select(L"cbAI", L"低");
  Select(L"cbRefreshRate", L"自定义");
  Select(L"cbCustomRF", L"100");
  Select(L"cbMult", L"2x");
  Select(L"cbFrame", L"手动");
  (*this)[L"edFValue"].UserSetText(L"30");
  (*this)[L"btOk"].Click();
  EXPECT_EQ(form->ModalResult(), TModalResult::Ok);
  EXPECT_EQ(Text(L"CatalystAI"), "sz:1");
  EXPECT_EQ(Dword(L"OGLForceRate"), 100u);
  EXPECT_EQ(Text(L"TemporalAAMultiplier"), "sz:2");
  EXPECT_EQ(Text(L"TemporalAAFrameThreshold"), "sz:30");
  EXPECT_EQ(quality, (QualityCounters{.oglAA = 4, .oglAF = 2}));
  EXPECT_EQ(reloads, 0);

  OpenOGL();
  Select(L"cbRefreshRate", L"禁用");
  (*this)[L"btApply"].Click();
  EXPECT_EQ(Dword(L"OGLForceRate"), std::nullopt);
}

TEST_F(OGLFormTest, ShowsWhatTheOpenGLKeyHolds) {
  SetDword(L"OGLFullSceneAAScale", 5, kOpenGLKey);
  SetDword(L"OGLForceZBufferDepth", 24, kOpenGLKey);
  SetDword(L"OGLMaxAnisotropy", 4, kOpenGLKey);
  SetDword(L"OGLAnisoType", 2, kOpenGLKey);
  SetDword(L"OGLForceRate", 70);
  OpenOGL();
  EXPECT_EQ((*this)[L"cbAA"].Text(), L"4x");
  EXPECT_EQ((*this)[L"cbZBuf"].Text(), L"24 位");
  EXPECT_EQ((*this)[L"cbAF"].Text(), L"4x");
  EXPECT_TRUE((*this)[L"rbQual"].Checked());
  EXPECT_TRUE((*this)[L"rbQual"].Enabled());
  EXPECT_EQ((*this)[L"cbRefreshRate"].Text(), L"自定义");
  EXPECT_EQ((*this)[L"cbCustomRF"].ItemIndex(), -1);
  EXPECT_EQ((*this)[L"tbTP"].Position(), 0) << "absent texture values are 3, the fastest";
  EXPECT_EQ((*this)[L"tbVS"].Max(), 3);

  // Chosen, applied and shown again.
  Select(L"cbZBuf", L"16 位");
  (*this)[L"btOk"].Click();
  EXPECT_EQ(GL(L"OGLForceZBufferDepth"), 16u);
  EXPECT_EQ(Dword(L"OGLForceRate"), 70u) << "a rate the list cannot show stays";
  OpenOGL();
  EXPECT_EQ((*this)[L"cbZBuf"].Text(), L"16 位");
}

TEST_F(OGLFormTest, OkWithoutChangesWritesNothing) {
  OpenOGL();
  EXPECT_EQ(GL(L"OGLTruformMode"), 0u) << "written in as the dialog opened";
  EXPECT_EQ(GL(L"OGLEnableTripleBuffering"), 0u);
  const std::string before = Everything();
  (*this)[L"btOk"].Click();
  EXPECT_EQ(Everything(), before);
  EXPECT_EQ(tips, 0);
}

TEST_F(OGLFormTest, BadManualThresholdBlocksApplying) {
  OpenOGL();
  Select(L"cbMult", L"3x");
  Select(L"cbFrame", L"手动");
  const std::string before = Everything();
  (*this)[L"btApply"].Click();  // empty is no number either
  EXPECT_EQ(renderer.Beeps(), 1u);
  EXPECT_EQ(form->ActiveControl(), &(*this)[L"edFValue"]);
  EXPECT_EQ(Everything(), before);
}

TEST_F(OGLFormTest, ProfileSavedFromTheDialogIsTheOneThatMatches) {
  OpenOGL();
  Select(L"cbAA", L"2x");
  Select(L"cbAF", L"16x");
  (*this)[L"rbPerf"].Click();
  Select(L"cbZBuf", L"24 位");
  Select(L"cbRefreshRate", L"等同于桌面");
  Select(L"cbMult", L"2x");
  SaveAs(L"Doom");
  auto profile = Profile(L"ogl", L"Doom");
  EXPECT_EQ(ReadRegDword(*profile, L"OGLFullSceneAAScale"), 2u);
  EXPECT_EQ(ReadRegDword(*profile, L"OGLAnisoType"), 1u);
  EXPECT_EQ(ReadRegDword(*profile, L"OGLForceRate"), kDesktopRate);
  EXPECT_EQ(ReadRegString(*profile, L"TemporalAAMultiplier"), L"2");
  EXPECT_FALSE(OpenGLProfileMatches(Context(), L"Doom"));
  (*this)[L"btApply"].Click();
  EXPECT_TRUE(OpenGLProfileMatches(Context(), L"Doom"));

  SaveAs(L"Other");
  OpenOGL();
  EXPECT_EQ((*this)[L"cbTemplates"].Text(), L"Doom") << "the first matching profile";

  // Loading fills the controls only.
  Select(L"cbTemplates", L"Doom");
  ApplyOpenGLProfile(Context(), L"Doom");
  SetDword(L"OGLFullSceneAAScale", 0, kOpenGLKey);
  OpenOGL();
  Select(L"cbTemplates", L"Doom");
  const std::string before = Everything();
  (*this)[L"btLoad"].Click();
  EXPECT_EQ((*this)[L"cbAA"].Text(), L"2x");
  EXPECT_EQ((*this)[L"cbZBuf"].Text(), L"24 位");
  EXPECT_EQ(Everything(), before);
}

}  // namespace
}  // namespace corvane::driver3d::testing
