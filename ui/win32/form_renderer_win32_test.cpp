#include "ui/win32/form_renderer_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32/clock_win32.h"
#include "platform/win32/message_window.h"
#include "ui/about_box.h"
#include "ui/wait_form.h"
#include "ui/win32/ui_test_support.h"

namespace corvane::ui::win32 {
namespace {

using K = ComponentKind;
using testing::RunLater;
using testing::TextOf;

const ComponentDecl kCoreForm[] = {
    {K::Form, L"frmCore", L"核心频率", L"", 0, 0, 280, 130},
    {K::GroupBox, L"gbCore", L"时钟", L"", 8, 8, 264, 80},
    {.kind = K::TrackBar, .name = L"tbCore", .parent = L"gbCore", .left = 8, .top = 20, .width = 180, .height = 30,
     .min = 100, .max = 500, .position = 300, .frequency = 50},
    {K::Label, L"lbCore", L"", L"gbCore", 196, 28, 60, 16},
    {.kind = K::CheckBox, .name = L"cbAtStart", .caption = L"启动时应用", .parent = L"gbCore", .left = 8,
     .top = 56, .width = 150, .height = 18},
    {.kind = K::ComboBox, .name = L"cbProfile", .left = 8, .top = 98, .width = 100, .height = 21,
     .items = {L"安静", L"游戏"}},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定", .left = 197, .top = 96, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true},
};

class TfrmCore final : public TForm {
 public:
  explicit TfrmCore(const FormContext& context) : TForm(context, kCoreForm) {
    HandleChange(L"tbCore", &TfrmCore::tbCoreChange);
    HandleClick(L"btOk", &TfrmCore::btOkClick);
    (*this)[L"lbCore"].SetCaption(L"300 MHz");
  }
  std::function<void()> onOk;

 private:
  void tbCoreChange(TComponent& sender) {
    (*this)[L"lbCore"].SetCaption(std::to_wstring(sender.Position()) + L" MHz");
    // Changes made by a handler show on screen too.
    (*this)[L"cbAtStart"].SetEnabled(sender.Position() < 450);
  }
  void btOkClick(TComponent&) {
    if (onOk) onOk();
  }
};

class Win32FormRendererTest : public ::testing::Test {
 protected:
  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  Win32FormRenderer renderer;
  FormContext context{renderer, clock};
};

TEST_F(Win32FormRendererTest, RealMessagesDriveTheModelAndModelChangesReachTheControls) {
  TfrmCore form(context);
  bool checked = false;
  RunLater(300, [&] {
    const HWND window = renderer.WindowOf(form);
    const HWND trackBar = renderer.ControlOf(form[L"tbCore"]);
    const HWND label = renderer.ControlOf(form[L"lbCore"]);
    const HWND atStart = renderer.ControlOf(form[L"cbAtStart"]);
    const HWND profile = renderer.ControlOf(form[L"cbProfile"]);
    ASSERT_TRUE(window && trackBar && label && atStart && profile);
    EXPECT_EQ(TextOf(window), L"核心频率");
    EXPECT_EQ(SendMessageW(trackBar, TBM_GETPOS, 0, 0), 300);
    EXPECT_EQ(TextOf(label), L"300 MHz");
    EXPECT_TRUE(IsWindowEnabled(window));

    SendMessageW(trackBar, TBM_SETPOS, TRUE, 470);
    SendMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 470), reinterpret_cast<LPARAM>(trackBar));
    EXPECT_EQ(form[L"tbCore"].Position(), 470);
    EXPECT_EQ(TextOf(label), L"470 MHz");
    EXPECT_FALSE(IsWindowEnabled(atStart));

    SendMessageW(trackBar, TBM_SETPOS, TRUE, 200);
    SendMessageW(window, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(trackBar));
    SendMessageW(atStart, BM_CLICK, 0, 0);
    EXPECT_TRUE(form[L"cbAtStart"].Checked());
    EXPECT_EQ(SendMessageW(atStart, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageW(profile, CB_SETCURSEL, 1, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(profile), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(profile));
    EXPECT_EQ(form[L"cbProfile"].Text(), L"游戏");

    form[L"tbCore"].SetPosition(250);  // from code, while showing
    EXPECT_EQ(SendMessageW(trackBar, TBM_GETPOS, 0, 0), 250);
    checked = true;
    testing::SaveScreen(testing::ScreenshotPath(L"ui-form.bmp"));
    SendMessageW(renderer.ControlOf(form[L"btOk"]), BM_CLICK, 0, 0);
  });
  RunLater(5000, [&] { form.SetModalResult(TModalResult::Abort); });  // never hang

  EXPECT_EQ(form.ShowModal(), TModalResult::Ok);
  EXPECT_TRUE(checked);
  EXPECT_EQ(form[L"tbCore"].Position(), 250);
  EXPECT_EQ(renderer.WindowOf(form), nullptr) << "the window goes with the loop";
}

TEST_F(Win32FormRendererTest, OwnerIsDisabledWhileTheFormRunsAndEscCloses) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  TfrmCore form(context);
  bool ownerDisabled = false;
  RunLater(200, [&] {
    ownerDisabled = !IsWindowEnabled(owner);
    // What IsDialogMessage makes of Esc.
    SendMessageW(renderer.WindowOf(form), WM_COMMAND, IDCANCEL, 0);
  });
  RunLater(5000, [&] { form.SetModalResult(TModalResult::Abort); });
  EXPECT_EQ(form.ShowModal(), TModalResult::Cancel);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST_F(Win32FormRendererTest, AHandlersExceptionLeavesShowModal) {
  TfrmCore form(context);
  form.onOk = [] { throw std::runtime_error("handler failed"); };
  RunLater(200, [&] { SendMessageW(renderer.ControlOf(form[L"btOk"]), BM_CLICK, 0, 0); });
  RunLater(5000, [&] { form.SetModalResult(TModalResult::Abort); });
  EXPECT_THROW(form.ShowModal(), std::runtime_error);
  EXPECT_EQ(renderer.WindowOf(form), nullptr);
}

TEST_F(Win32FormRendererTest, AboutBoxAndWaitFormOnScreen) {
  TfrmWait wait(context, L"正在读取显卡信息...");
  {
    WaitingWhile busy(wait);
    const HWND waitWindow = renderer.WindowOf(wait);
    ASSERT_NE(waitWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(waitWindow));
    EXPECT_EQ(GetWindowLongPtrW(waitWindow, GWL_STYLE) & WS_CAPTION, 0) << "borderless";
    EXPECT_EQ(TextOf(renderer.ControlOf(wait[L"lbMessage"])), L"正在读取显卡信息...");
    testing::SaveScreen(testing::ScreenshotPath(L"ui-wait.bmp"));
  }
  EXPECT_EQ(renderer.WindowOf(wait), nullptr);

  TfrmAbout about(context, {.version = L"0.9.1", .branded = true, .brandText = L"超频爱好者版",
                            .linkAddress = L"http://corvane.example/", .linkCaption = L"访问主页",
                            .simulatedHardware = true});
  RECT client{};
  RunLater(300, [&] {
    GetClientRect(renderer.WindowOf(about), &client);
    EXPECT_EQ(TextOf(renderer.ControlOf(about[L"lkBrand"])), L"访问主页");
    testing::SaveScreen(testing::ScreenshotPath(L"ui-about.bmp"));
    SendMessageW(renderer.WindowOf(about), WM_CLOSE, 0, 0);
  });
  RunLater(5000, [&] { about.SetModalResult(TModalResult::Abort); });
  EXPECT_EQ(about.ShowModal(), TModalResult::Cancel);
  EXPECT_EQ(client.bottom, about.ClientHeight());
  EXPECT_EQ(client.right, about.ClientWidth());
}

// The lamp's colour where the glint does not reach, as drawn on screen now.
COLORREF LampColour(HWND led) {
  UpdateWindow(led);
  RECT bounds{};
  GetClientRect(led, &bounds);
  HDC dc = GetDC(led);
  const COLORREF colour = GetPixel(dc, bounds.right * 2 / 3, bounds.bottom * 2 / 3);
  ReleaseDC(led, dc);
  return colour;
}

TEST_F(Win32FormRendererTest, LedLampsAreDrawnLitOrDarkAsTheModelHasThem) {
  const ComponentDecl table[] = {
      {K::Form, L"frmLamps", L"指示灯", L"", 0, 0, 120, 50},
      {.kind = K::Led, .name = L"ledOn", .left = 10, .top = 10, .width = 24, .height = 24, .checked = true},
      {.kind = K::Led, .name = L"ledOff", .left = 60, .top = 10, .width = 24, .height = 24, .enabled = false,
       .color = LedColor::Red},
  };
  TForm form(context, table);
  RunLater(300, [&] {
    const HWND on = renderer.ControlOf(form[L"ledOn"]);
    const HWND off = renderer.ControlOf(form[L"ledOff"]);
    ASSERT_TRUE(on && off);
    EXPECT_GE(GetGValue(LampColour(on)), 0xC0);
    EXPECT_LT(GetRValue(LampColour(off)), 0x60) << "an unlit lamp is dark";
    testing::SaveScreen(testing::ScreenshotPath(L"ui-led.bmp"));
    form[L"ledOff"].SetChecked(true);
    form[L"ledOff"].SetEnabled(true);
    EXPECT_GE(GetRValue(LampColour(off)), 0xC0) << "lit from the model";
    form[L"ledOn"].SetChecked(false);
    EXPECT_LT(GetGValue(LampColour(on)), 0x60);
    form.SetModalResult(TModalResult::Ok);
  });
  RunLater(5000, [&] { form.SetModalResult(TModalResult::Abort); });
  EXPECT_EQ(form.ShowModal(), TModalResult::Ok);
}

TEST_F(Win32FormRendererTest, ADigitsOnlyEditTakesTheFocusTheModelGivesIt) {
  const ComponentDecl table[] = {
      {K::Form, L"frmThreshold", L"阈值", L"", 0, 0, 200, 80},
      {.kind = K::Edit, .name = L"edFValue", .left = 8, .top = 8, .width = 60, .height = 21, .numbersOnly = true},
      {K::Edit, L"edName", L"", L"", 8, 36, 120, 21},
  };
  struct TfrmThreshold final : TForm {
    TfrmThreshold(const FormContext& context, std::span<const ComponentDecl> table) : TForm(context, table) {}
  } form(context, table);
  RunLater(300, [&] {
    const HWND digits = renderer.ControlOf(form[L"edFValue"]);
    const HWND name = renderer.ControlOf(form[L"edName"]);
    EXPECT_NE(GetWindowLongPtrW(digits, GWL_STYLE) & ES_NUMBER, 0);
    EXPECT_EQ(GetWindowLongPtrW(name, GWL_STYLE) & ES_NUMBER, 0);
    form[L"edName"].SetFocus();
    EXPECT_EQ(GetFocus(), name);
    form[L"edFValue"].SetFocus();
    EXPECT_EQ(GetFocus(), digits);
    EXPECT_EQ(form.ActiveControl(), &form[L"edFValue"]);
    form.Beep();  // the system's sound; nothing to see
    form.SetModalResult(TModalResult::Ok);
  });
  RunLater(5000, [&] { form.SetModalResult(TModalResult::Abort); });
  EXPECT_EQ(form.ShowModal(), TModalResult::Ok);
}

}  // namespace
}  // namespace corvane::ui::win32
