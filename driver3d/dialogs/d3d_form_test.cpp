// TfrmD3D played through the component model on a simulated driver, in both storage modes.
#include "driver3d/dialogs/d3d_form.h"

#include <algorithm>
#include <functional>

#include "driver3d/dialogs/dialog_test_support.h"
#include "platform/text_encoding.h"

namespace corvane::driver3d::testing {
namespace {

using platform::MessageAnswer;
using platform::ReadRegDword;
using platform::ReadRegString;
using ui::TModalResult;

class D3DFormTest : public DialogTest {
 public:
  TfrmD3D& OpenD3D() { return Open<TfrmD3D>(); }
  // A fresh driver in the mode, the dialog open on it.
  void Fresh(bool ace) {
    form.reset();
    Reset();
    Start(ace);
    OpenD3D();
  }
  std::string Mode(bool ace) { return ace ? "bin:" : "sz:"; }
};

const bool kBothModes[] = {false, true};

// Both dialogs: every control inside its parent's client area and clear of its siblings.
// A tab sheet's area is its page control less the tabs and the border.
TEST(Settings3DLayout, EveryControlInsideItsParentAndApartFromItsSiblings) {
  using K = ui::ComponentKind;
  for (Settings3DLayout layout : {Settings3DLayout::Direct3D, Settings3DLayout::OpenGL}) {
    const std::vector<ui::ComponentDecl> table = BuildSettings3DComponents(layout);
    auto find = [&](const std::wstring& name) -> const ui::ComponentDecl& {
      return *std::find_if(table.begin(), table.end(), [&](const ui::ComponentDecl& d) { return d.name == name; });
    };
    auto area = [&](const ui::ComponentDecl& d) -> std::pair<int, int> {
      if (d.parent.empty()) return {table[0].width, table[0].height};
      const ui::ComponentDecl& parent = find(d.parent);
      if (parent.kind != K::TabSheet) return {parent.width, parent.height};
      const ui::ComponentDecl& pages = find(parent.parent);
      return {pages.width - 8, pages.height - 30};
    };
    for (size_t i = 1; i < table.size(); ++i) {
      const ui::ComponentDecl& d = table[i];
      if (d.kind == K::TabSheet) continue;
      const auto [width, height] = area(d);
      EXPECT_TRUE(d.left >= 0 && d.top >= 0 && d.left + d.width <= width && d.top + d.height <= height)
          << platform::ToUtf8(d.name);
      for (size_t j = i + 1; j < table.size(); ++j) {
        const ui::ComponentDecl& other = table[j];
        if (other.parent != d.parent || other.kind == K::TabSheet) continue;
        const bool apart = d.left + d.width <= other.left || other.left + other.width <= d.left ||
                           d.top + d.height <= other.top || other.top + other.height <= d.top;
        EXPECT_TRUE(apart) << platform::ToUtf8(d.name) << " / " << platform::ToUtf8(other.name);
      }
    }
  }
}

TEST_F(D3DFormTest, AppliesWhatTheControlsShowInTheModesStorage) {
  struct Case {
    const char* what;
    std::function<void(D3DFormTest&)> act;
    // Driver-key texts in the mode's storage unless they start with "sz:"; "" is absent.
    std::vector<std::pair<std::wstring, std::string>> expected;
  };
  const Case cases[] = {
      {"16x with trilinear quality",
       [](D3DFormTest& t) {
         t.Select(L"cbAF", L"16x");
         t[L"rbQualT"].Click();
       },
       {{L"AnisoDegree", "16"}, {L"AnisoType", "0"}}},
      {"8x performance",
       [](D3DFormTest& t) {
         t.Select(L"cbAF", L"8x");
         t[L"rbPerf"].Click();
       },
       {{L"AnisoDegree", "8"}, {L"AnisoType", "1"}}},
      {"texture slider at the right",
       [](D3DFormTest& t) {
         t[L"tbTP"].UserSetPosition(1);
         t[L"tbTP"].UserSetPosition(3);
       },
       {{L"TextureOpt", "0"}}},
      {"texture slider at the left", [](D3DFormTest& t) { t[L"tbTP"].UserSetPosition(0); }, {{L"TextureOpt", "3"}}},
      {"mipmap slider", [](D3DFormTest& t) { t[L"tbMML"].UserSetPosition(1); }, {{L"TextureLod", "2"}}},
      {"6x anti-aliasing", [](D3DFormTest& t) { t.Select(L"cbAA", L"6x"); },
       {{L"AntiAlias", "2"}, {L"AntiAliasSamples", "6"}}},
      {"anisotropy optimisation off again",
       [](D3DFormTest& t) {
         t[L"cbAnisoOpt"].Click();
         t[L"btApply"].Click();
         t[L"cbAnisoOpt"].Click();
       },
       {{L"AnisotropyOptimise", ""}}},
      {"feature boxes",
       [](D3DFormTest& t) {
         t[L"cbAlter"].Click();
         t[L"cbDXT"].Click();
       },
       {{L"PixelCenter", "1"}, {L"ExportCompressedTex", "0"}, {L"ExportBumpMappedTex", "1"}}},
      {"temporal 3x with a manual threshold",
       [](D3DFormTest& t) {
         t.Select(L"cbMult", L"3x");
         t.Select(L"cbFrame", L"手动");
         t[L"edFValue"].UserSetText(L" 45 ");
       },
       {{L"TemporalAAMultiplier", "sz:3"}, {L"TemporalAAFrameThreshold", "sz:45"}}},
      {"temporal back to its defaults",
       [](D3DFormTest& t) {
         t.Select(L"cbMult", L"2x");
         t.Select(L"cbFrame", L"手动");
         t[L"edFValue"].UserSetText(L"45");
         t[L"btDef"].Click();
       },
       {{L"TemporalAAMultiplier", "sz:0"}, {L"TemporalAAFrameThreshold", ""}}},
      {"Catalyst A.I. high", [](D3DFormTest& t) { t.Select(L"cbAI", L"高"); }, {{L"CatalystAI", "2"}}},
  };
  for (bool ace : kBothModes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (ace ? " (AceMode)" : ""));
      Fresh(ace);
      c.act(*this);
      ASSERT_TRUE((*this)[L"btApply"].Enabled());
      (*this)[L"btApply"].Click();
      EXPECT_FALSE((*this)[L"btApply"].Enabled());
      EXPECT_FALSE(form->Changed());
      for (const auto& [name, text] : c.expected) {
        const std::string want = text.empty() || text.starts_with("sz:") ? text : Mode(ace) + text;
        EXPECT_EQ(Text(name), want) << platform::ToUtf8(name);
      }
      EXPECT_GE(reloads, 1);
    }
  }
}

TEST_F(D3DFormTest, VerticalSyncAndTheOpenGLPageFollowTheStorageMode) {
  for (bool ace : kBothModes) {
    SCOPED_TRACE(ace ? "AceMode" : "REG_SZ mode");
    Fresh(ace);
    EXPECT_EQ(form->Caption(), ace ? L"3D Settings" : L"Direct3D");
    EXPECT_EQ((*this)[L"tbVS"].Max(), ace ? 3 : 2);
    EXPECT_EQ((*this)[L"tsOpenGL"].Visible(), ace);
    EXPECT_EQ((*this)[L"tsGeneral"].ImageIndex(), ace ? 6 : -1);
    EXPECT_EQ((*this)[L"tsExtra"].ImageIndex(), ace ? 6 : -1);
    (*this)[L"tbVS"].UserSetPosition(1);
    EXPECT_EQ((*this)[L"lbVSValue"].Caption(), ace ? L"默认关闭" : L"应用程序首选项");
    (*this)[L"btApply"].Click();
    EXPECT_EQ(Text(ace ? L"VSyncControl" : L"VSync"), Mode(ace) + "1");
    if (ace) {
      // The OpenGL page's values are written with the rest.
      Select(L"cbZBuf", L"24 位");
      (*this)[L"cbTriple"].Click();
      (*this)[L"btApply"].Click();
      EXPECT_EQ(Text(L"ForceZBufferDepth"), "bin:24");
      EXPECT_EQ(Text(L"EnableTripleBuffering"), "bin:1");
      OpenD3D();
      EXPECT_EQ((*this)[L"cbZBuf"].Text(), L"24 位");
      EXPECT_TRUE((*this)[L"cbTriple"].Checked());
    }
  }
}

TEST_F(D3DFormTest, ShowsWhatTheDriverHolds) {
  struct Case {
    const char* what;
    std::function<void(D3DFormTest&)> store;
    std::function<void(D3DFormTest&)> check;
  };
  const Case cases[] = {
      {"a forced rate not in the list",
       [](D3DFormTest& t) { t.SetDword(L"ForceRefreshRate", 70, kDirectDraw); },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"cbRefreshRate"].Text(), L"自定义");
         EXPECT_EQ(t[L"cbCustomRF"].ItemIndex(), -1);
         EXPECT_TRUE(t[L"cbCustomRF"].Enabled());
       }},
      {"the desktop's rate",
       [](D3DFormTest& t) { t.SetDword(L"ForceRefreshRate", kDesktopRate, kDirectDraw); },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"cbRefreshRate"].Text(), L"等同于桌面");
         EXPECT_FALSE(t[L"cbCustomRF"].Enabled());
       }},
      {"a listed custom rate", [](D3DFormTest& t) { t.SetDword(L"ForceRefreshRate", 85, kDirectDraw); },
       [](D3DFormTest& t) { EXPECT_EQ(t[L"cbCustomRF"].Text(), L"85"); }},
      {"five samples",
       [](D3DFormTest& t) {
         t.SetText(L"AntiAlias", L"2");
         t.SetText(L"AntiAliasSamples", L"5");
       },
       [](D3DFormTest& t) { EXPECT_EQ(t[L"cbAA"].Text(), L"4x"); }},
      {"8x performance",
       [](D3DFormTest& t) {
         t.SetText(L"AnisoDegree", L"8");
         t.SetText(L"AnisoType", L"1");
       },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"cbAF"].Text(), L"8x");
         EXPECT_TRUE(t[L"rbPerf"].Checked());
         EXPECT_TRUE(t[L"rbPerf"].Enabled());
         EXPECT_FALSE(t[L"rbQual"].Checked());
       }},
      {"an unknown anisotropy type checks no button", [](D3DFormTest& t) { t.SetText(L"AnisoType", L"7"); },
       [](D3DFormTest& t) {
         EXPECT_FALSE(t[L"rbPerf"].Checked() || t[L"rbQual"].Checked() || t[L"rbQualT"].Checked());
         EXPECT_FALSE(t[L"rbPerf"].Enabled());
       }},
      {"texture at its best", [](D3DFormTest& t) { t.SetText(L"TextureOpt", L"0"); },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"tbTP"].Position(), 3);
         EXPECT_EQ(t[L"lbTPValue"].Caption(), L"高质量");
       }},
      {"temporal 2x with a threshold",
       [](D3DFormTest& t) {
         t.SetText(L"TemporalAAMultiplier", L"2x");
         t.SetText(L"TemporalAAFrameThreshold", L"40");
       },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"cbMult"].Text(), L"2x");
         EXPECT_EQ(t[L"cbFrame"].Text(), L"手动");
         EXPECT_EQ(t[L"edFValue"].Text(), L"40");
         EXPECT_TRUE(t[L"edFValue"].Enabled());
       }},
      {"an unknown multiplier is off",
       [](D3DFormTest& t) {
         t.SetText(L"TemporalAAMultiplier", L"5");
         t.SetText(L"TemporalAAFrameThreshold", L"40");
       },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"cbMult"].Text(), L"禁用");
         EXPECT_EQ(t[L"cbFrame"].Text(), L"默认");
         EXPECT_EQ(t[L"edFValue"].Text(), L"");
         EXPECT_FALSE(t[L"cbFrame"].Enabled());
       }},
      {"garbage in the driver key",
       [](D3DFormTest& t) {
         t.Put(L"TextureOpt", RegType::Dword, {1, 2, 3, 4});
         t.SetText(L"CatalystAI", L"9");
       },
       [](D3DFormTest& t) {
         EXPECT_EQ(t[L"tbTP"].Position(), 3);
         EXPECT_EQ(t[L"cbAI"].ItemIndex(), -1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    form.reset();
    Reset();
    Start(false);
    c.store(*this);
    OpenD3D();
    c.check(*this);
  }
}

TEST_F(D3DFormTest, ValuesTheControlsCannotShowSurviveApplying) {
  Fresh(false);
  SetDword(L"ForceRefreshRate", 70, kDirectDraw);
  SetText(L"CatalystAI", L"9");
  SetText(L"AntiAlias", L"2");
  SetText(L"AntiAliasSamples", L"12");
  OpenD3D();
  (*this)[L"tbTP"].UserSetPosition(0);
  (*this)[L"btApply"].Click();
  EXPECT_EQ(Dword(L"ForceRefreshRate", kDirectDraw), 70u);
  EXPECT_EQ(Text(L"CatalystAI"), "sz:9");
  EXPECT_EQ(Text(L"AntiAliasSamples"), "sz:12");
  EXPECT_EQ(Text(L"TextureOpt"), "sz:3");
}

TEST_F(D3DFormTest, OkWithoutChangesWritesNothingAndDoesNotReload) {
  for (bool ace : kBothModes) {
    SCOPED_TRACE(ace ? "AceMode" : "REG_SZ mode");
    Fresh(ace);
    const std::string before = Everything();
    EXPECT_FALSE((*this)[L"btApply"].Enabled());
    (*this)[L"btOk"].Click();
    EXPECT_EQ(form->ModalResult(), TModalResult::Ok);
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(tips, 0);

    // Changed and applied: OK has nothing left to write.
    OpenD3D();
    (*this)[L"cbTriOpt"].Click();
    (*this)[L"btApply"].Click();
    const std::string applied = Everything();
    (*this)[L"btOk"].Click();
    EXPECT_EQ(Everything(), applied);
    EXPECT_EQ(reloads, 1);
  }
}

TEST_F(D3DFormTest, CancelWritesNothing) {
  Fresh(false);
  const std::string before = Everything();
  (*this)[L"cbTriOpt"].Click();
  (*this)[L"btCancel"].Click();
  EXPECT_EQ(form->ModalResult(), TModalResult::Cancel);
  EXPECT_EQ(Everything(), before);
}

TEST_F(D3DFormTest, BadManualThresholdBlocksApplyOkAndSave) {
  Fresh(false);
  Select(L"cbMult", L"2x");
  Select(L"cbFrame", L"手动");
  (*this)[L"edFValue"].UserSetText(L"4a");
  Page(L"tsGeneral");
  const std::string before = Everything();

  (*this)[L"btApply"].Click();
  EXPECT_EQ(renderer.Beeps(), 1u);
  EXPECT_EQ((*this)[L"pcMain"].ActivePage()->Name(), L"tsExtra");
  EXPECT_EQ(form->ActiveControl(), &(*this)[L"edFValue"]);
  EXPECT_TRUE((*this)[L"btApply"].Enabled());

  Page(L"tsGeneral");
  (*this)[L"btOk"].Click();
  EXPECT_EQ(form->ModalResult(), TModalResult::None) << "the dialog stays open";
  EXPECT_EQ(renderer.Beeps(), 2u);

  (*this)[L"btSave"].Click();  // no name dialog: the renderer has no script for one
  EXPECT_EQ(renderer.Beeps(), 3u);
  EXPECT_EQ(Everything(), before);
  EXPECT_EQ(reloads, 0);

  (*this)[L"edFValue"].UserSetText(L"50");
  (*this)[L"btOk"].Click();
  EXPECT_EQ(form->ModalResult(), TModalResult::Ok);
  EXPECT_EQ(Text(L"TemporalAAFrameThreshold"), "sz:50");
}

TEST_F(D3DFormTest, ProfileSavedFromTheDialogHoldsItsValuesAndMatchesOnceApplied) {
  for (bool ace : kBothModes) {
    SCOPED_TRACE(ace ? "AceMode" : "REG_SZ mode");
    Fresh(ace);
    Select(L"cbAA", L"4x");
    Select(L"cbAF", L"16x");
    Select(L"cbRefreshRate", L"自定义");
    EXPECT_EQ((*this)[L"cbCustomRF"].Text(), L"60") << "the first rate once chosen";
    Select(L"cbCustomRF", L"100");
    Select(L"cbMult", L"3x");
    if (ace) Select(L"cbZBuf", L"16 位");
    SaveAs(L"Quake");

    // The dialog's values, not yet the driver's.
    auto profile = Profile(L"d3d", L"Quake");
    EXPECT_EQ(ReadRegString(*profile, L"AntiAliasSamples"), L"4");
    EXPECT_EQ(ReadRegString(*profile, L"AnisoDegree"), L"16");
    EXPECT_EQ(ReadRegString(*profile, L"TemporalAAMultiplier"), L"3");
    EXPECT_EQ(ReadRegDword(*profile, L"ForceRefreshRate"), 100u);
    EXPECT_EQ(ReadRegString(*profile, L"ForceZBufferDepth").has_value(), ace);
    EXPECT_EQ(Text(L"AntiAliasSamples"), "");
    EXPECT_FALSE(D3DProfileMatches(Context(), L"Quake"));
    EXPECT_EQ((*this)[L"cbTemplates"].Text(), L"Quake");
    EXPECT_TRUE((*this)[L"btLoad"].Enabled());

    (*this)[L"btApply"].Click();
    EXPECT_TRUE(D3DProfileMatches(Context(), L"Quake"));
    // A second dialog finds it.
    OpenD3D();
    EXPECT_EQ((*this)[L"cbTemplates"].Text(), L"Quake");
  }
}

TEST_F(D3DFormTest, ProfileBoxLoadsIntoTheControlsOnlyAndAsksBeforeOverwritingOrDeleting) {
  Fresh(false);
  Select(L"cbAA", L"6x");
  SaveAs(L"Six");
  (*this)[L"btCancel"].Click();
  OpenD3D();
  EXPECT_EQ((*this)[L"cbTemplates"].ItemIndex(), -1) << "the driver does not hold 6x";
  EXPECT_FALSE((*this)[L"btLoad"].Enabled());

  (*this)[L"cbTemplates"].UserSelect(0);
  const std::string before = Everything();
  (*this)[L"btLoad"].Click();
  EXPECT_EQ((*this)[L"cbAA"].Text(), L"6x");
  EXPECT_EQ(Everything(), before);
  EXPECT_TRUE((*this)[L"btApply"].Enabled());

  // Overwriting asks; Cancel keeps the stored profile.
  Select(L"cbAA", L"2x");
  user.Answer(MessageAnswer::Cancel);
  SaveAs(L"Six");
  EXPECT_EQ(user.History().back().request.text, L"覆盖配置文件 Six ?");
  EXPECT_EQ(user.History().back().request.caption, L"警告!");
  EXPECT_EQ(ReadRegString(*Profile(L"d3d", L"Six"), L"AntiAliasSamples"), L"6");
  user.Answer(MessageAnswer::Ok);
  SaveAs(L"Six");
  EXPECT_EQ(ReadRegString(*Profile(L"d3d", L"Six"), L"AntiAliasSamples"), L"2");

  // A name the registry would take as a path is cleaned.
  SaveAs(L"a\\b");
  EXPECT_TRUE(ProfileExists(L"d3d", L"a_b"));

  Select(L"cbTemplates", L"Six");
  user.Answer(MessageAnswer::Cancel);
  (*this)[L"btDelete"].Click();
  EXPECT_EQ(user.History().back().request.text, L"删除选择的配置吗?");
  EXPECT_EQ(user.History().back().request.defaultButton, 1);
  EXPECT_TRUE(ProfileExists(L"d3d", L"Six"));
  user.Answer(MessageAnswer::Ok);
  (*this)[L"btDelete"].Click();
  EXPECT_FALSE(ProfileExists(L"d3d", L"Six"));
  EXPECT_EQ((*this)[L"cbTemplates"].Items(), std::vector<std::wstring>{L"a_b"});
  EXPECT_FALSE((*this)[L"btDelete"].Enabled());
}

TEST_F(D3DFormTest, AppliedValuesReachTheTooltipCounters) {
  Fresh(false);
  Select(L"cbAA", L"4x");
  Select(L"cbAF", L"8x");
  (*this)[L"btOk"].Click();
  EXPECT_EQ(quality, (QualityCounters{.d3dAA = 4, .d3dAF = 8}));
  EXPECT_EQ(tips, 1);
  EXPECT_EQ(reloads, 1);
}

}  // namespace
}  // namespace corvane::driver3d::testing
