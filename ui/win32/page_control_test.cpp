// Page controls as real windows: hidden sheets leave the tab strip, a page control on a
// sheet shows, and what sits on a pane has the pane's colour around it.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/clock_win32.h"
#include "platform/win32/message_window.h"
#include "ui/win32/form_renderer_win32.h"
#include "ui/win32/ui_test_support.h"

namespace corvane::ui::win32 {
namespace {

using K = ComponentKind;
using testing::RunLater;

const ComponentDecl kPagesForm[] = {
    {K::Form, L"frmPages", L"页", L"", 0, 0, 400, 300},
    {.kind = K::PageControl, .name = L"pcMain", .left = 4, .top = 4, .width = 392, .height = 260},
    {K::TabSheet, L"tsA", L"甲", L"pcMain"},
    {K::GroupBox, L"gbA", L"核心", L"tsA", 8, 8, 372, 100},
    {K::Label, L"lbA", L"核心频率 : 400", L"gbA", 10, 20, 200, 13},
    {.kind = K::TrackBar, .name = L"tbA", .parent = L"gbA", .left = 10, .top = 36, .width = 350, .height = 28,
     .min = 0, .max = 10},
    {K::CheckBox, L"cbA", L"显示为 DDR", L"gbA", 10, 72, 200, 17},
    {K::TabSheet, L"tsB", L"乙", L"pcMain"},
    {.kind = K::PageControl, .name = L"pcInner", .parent = L"tsB", .left = 8, .top = 8, .width = 300, .height = 150},
    {K::TabSheet, L"tsB1", L"内一", L"pcInner"},
    {K::Label, L"lbB1", L"内一", L"tsB1", 8, 8, 150, 13},
    {K::TabSheet, L"tsB2", L"内二", L"pcInner"},
    {K::Label, L"lbB2", L"内二", L"tsB2", 8, 8, 150, 13},
    {K::TabSheet, L"tsC", L"丙", L"pcMain"},
    {K::Label, L"lbC", L"丙", L"tsC", 8, 8, 150, 13},
    {K::TabSheet, L"tsD", L"丁", L"pcMain"},
    {K::Label, L"lbD", L"丁", L"tsD", 8, 8, 150, 13},
};

class TfrmPages final : public TForm {
 public:
  explicit TfrmPages(const FormContext& context) : TForm(context, kPagesForm) {}
};

class PageControlTest : public ::testing::Test {
 protected:
  // Runs `check` with the form on screen, then closes it.
  void WhileShowing(const std::function<void()>& check) {
    RunLater(300, [&] {
      check();
      form.SetModalResult(TModalResult::Ok);
    });
    RunLater(10000, [&] { form.SetModalResult(TModalResult::Abort); });  // never hang
    EXPECT_EQ(form.ShowModal(), TModalResult::Ok);
  }
  HWND Control(const wchar_t* name) { return renderer.ControlOf(form[name]); }
  std::vector<std::wstring> Tabs(const wchar_t* pageControl) { return testing::TabCaptions(Control(pageControl)); }
  void ClickTab(const wchar_t* pageControl, int tab) { testing::ClickTab(Control(pageControl), tab); }
  bool Shown(const wchar_t* name) { return IsWindowVisible(Control(name)) != FALSE; }

  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  Win32FormRenderer renderer;
  TfrmPages form{{renderer, clock}};
};

TEST_F(PageControlTest, HiddenSheetsLeaveTheTabStripAndTheOtherTabsStillReachTheirSheets) {
  WhileShowing([&] {
    form[L"tsB"].SetVisible(false);
    form[L"tsC"].SetVisible(false);
    EXPECT_EQ(Tabs(L"pcMain"), (std::vector<std::wstring>{L"甲", L"丁"}));
    EXPECT_EQ(TabCtrl_GetCurSel(Control(L"pcMain")), 0);

    ClickTab(L"pcMain", 1);
    EXPECT_EQ(form[L"pcMain"].ActivePage(), &form[L"tsD"]);
    EXPECT_TRUE(Shown(L"lbD"));
    EXPECT_FALSE(Shown(L"lbA"));

    form[L"tsC"].SetVisible(true);
    EXPECT_EQ(Tabs(L"pcMain"), (std::vector<std::wstring>{L"甲", L"丙", L"丁"}));
    EXPECT_EQ(TabCtrl_GetCurSel(Control(L"pcMain")), 2) << "still on its sheet";
    ClickTab(L"pcMain", 1);
    EXPECT_EQ(form[L"pcMain"].ActivePage(), &form[L"tsC"]);
    EXPECT_TRUE(Shown(L"lbC"));

    // The active sheet hidden: no tab is selected and nothing of it shows.
    form[L"tsC"].SetVisible(false);
    EXPECT_EQ(TabCtrl_GetCurSel(Control(L"pcMain")), -1);
    EXPECT_FALSE(Shown(L"lbC"));
    form[L"pcMain"].SetActivePage(L"tsA");
    EXPECT_EQ(TabCtrl_GetCurSel(Control(L"pcMain")), 0);
    EXPECT_TRUE(Shown(L"lbA"));

    form[L"tsD"].SetCaption(L"戊");
    EXPECT_EQ(Tabs(L"pcMain"), (std::vector<std::wstring>{L"甲", L"戊"}));
    testing::SaveScreen(testing::ScreenshotPath(L"ui-pages-hidden.bmp"));
  });
}

// A handler that refuses the new page puts the first one back: the tab strip and the
// panes follow the model, as the Displays dialog needs while the TV output is off.
TEST_F(PageControlTest, AHandlerThatRefusesThePageLeavesTheFirstShowing) {
  int refusals = 0;
  form[L"pcMain"].OnChange = [&](TComponent& pages) {
    if (pages.ItemIndex() == 0) return;
    ++refusals;
    pages.SetItemIndex(0);
  };
  WhileShowing([&] {
    ClickTab(L"pcMain", 2);
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(form[L"pcMain"].ItemIndex(), 0);
    EXPECT_EQ(TabCtrl_GetCurSel(Control(L"pcMain")), 0);
    EXPECT_TRUE(Shown(L"lbA"));
    EXPECT_FALSE(Shown(L"lbC"));
  });
}

TEST_F(PageControlTest, APageControlOnASheetShowsAndSwitchesItsPages) {
  WhileShowing([&] {
    ClickTab(L"pcMain", 1);
    const HWND inner = Control(L"pcInner");
    ASSERT_TRUE(Shown(L"pcInner"));
    // Nothing of the outer page control lies over it: it has a part of the screen to draw.
    const HDC dc = GetDC(inner);
    RECT visible{};
    EXPECT_NE(GetClipBox(dc, &visible), NULLREGION);
    ReleaseDC(inner, dc);
    EXPECT_TRUE(Shown(L"lbB1"));

    ClickTab(L"pcInner", 1);
    EXPECT_EQ(form[L"pcInner"].ItemIndex(), 1);
    EXPECT_TRUE(Shown(L"lbB2"));
    EXPECT_FALSE(Shown(L"lbB1"));
    testing::SaveScreen(testing::ScreenshotPath(L"ui-pages-nested.bmp"));
  });
}

// The colour on screen at a point of the form's client area.
COLORREF ScreenColour(HWND form, int x, int y) {
  POINT at{x, y};
  ClientToScreen(form, &at);
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

TEST_F(PageControlTest, WhatSitsOnAPaneHasThePanesColourAroundIt) {
  WhileShowing([&] {
    const HWND window = renderer.WindowOf(form);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Client positions: the pane starts a few pixels into the page control, under the tabs;
    // the group box at (8, 8) on it; its controls 10 pixels in.
    RECT pane{0, 0, 392, 260};
    TabCtrl_AdjustRect(Control(L"pcMain"), FALSE, &pane);
    const int left = 4 + pane.left;
    const int top = 4 + pane.top;
    const COLORREF paneColour = ScreenColour(window, left + 340, top + 150);  // bare pane
    // The far end of each control, where its text does not reach; the track bar's top row,
    // above its thumb and channel.
    EXPECT_EQ(ScreenColour(window, left + 8 + 10 + 195, top + 8 + 20 + 6), paneColour) << "label";
    EXPECT_EQ(ScreenColour(window, left + 8 + 10 + 195, top + 8 + 72 + 8), paneColour) << "check box";
    int otherColour = 0;
    for (int x = 0; x < 350; ++x) otherColour += ScreenColour(window, left + 8 + 10 + x, top + 8 + 36) != paneColour;
    EXPECT_EQ(otherColour, 0) << "track bar";
    EXPECT_EQ(ScreenColour(window, 200, 282), GetSysColor(COLOR_BTNFACE)) << "the dialog keeps its colour";
    testing::SaveScreen(testing::ScreenshotPath(L"ui-pages-colours.bmp"));
  });
}

}  // namespace
}  // namespace corvane::ui::win32
