// The choice dialog and the display-change confirmation as real windows.
#include <gtest/gtest.h>

#include <string>

#include "display/check_resolution_form.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/message_window.h"
#include "ui/select_dialog.h"
#include "ui/win32/form_renderer_win32.h"
#include "ui/win32/ui_test_support.h"

namespace corvane::ui::win32 {
namespace {

using testing::RunLater;
using testing::TextOf;

// What the keyboard puts into an edit control, without needing the focus.
void Type(HWND edit, const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

class DialogsTest : public ::testing::Test {
 protected:
  platform::MessageWindow messageWindow;
  platform::Win32Clock clock{messageWindow};
  Win32FormRenderer renderer;
  FormContext context{renderer, clock};
};

TEST_F(DialogsTest, TypingIntoTheEditableListReachesTheModel) {
  TfrmSelDP dialog(context);
  dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
  dialog.ShowList(true, true);
  dialog.SetChoices({L"游戏", L"安静"}, L"游戏");
  dialog.ValidateInput = true;
  RunLater(300, [&] {
    const HWND window = renderer.WindowOf(dialog);
    const HWND combo = renderer.ControlOf(dialog[L"cbSelect"]);
    const HWND edit = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
    ASSERT_TRUE(window && edit) << "an editable combo box has an edit part";
    EXPECT_EQ(TextOf(window), L"创建配置文件");
    EXPECT_EQ(TextOf(renderer.ControlOf(dialog[L"lbSelect"])), L"新的配置文件名");
    EXPECT_EQ(TextOf(combo), L"游戏");

    // Typing after the selected item's text: the selection goes, the text and caret stay.
    SendMessageW(edit, EM_SETSEL, 2, 2);
    Type(edit, L"X");
    EXPECT_EQ(dialog[L"cbSelect"].Text(), L"游戏X");
    EXPECT_EQ(dialog[L"cbSelect"].ItemIndex(), -1);
    Type(edit, L"Y");
    EXPECT_EQ(TextOf(combo), L"游戏XY");
    EXPECT_EQ(dialog[L"cbSelect"].Text(), L"游戏XY");

    // A pick from the list replaces the typed text, in the model and on screen.
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(dialog[L"cbSelect"].Text(), L"安静");
    EXPECT_EQ(TextOf(combo), L"安静");
    dialog[L"cbSelect"].SetText(L"由程序设置");  // from code, while showing
    EXPECT_EQ(TextOf(combo), L"由程序设置");

    // Blank text keeps the dialog open.
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(edit, L" ");
    SendMessageW(renderer.ControlOf(dialog[L"btOk"]), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog.ModalResult(), TModalResult::None);

    SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(edit, L"新配置 夜间");
    EXPECT_EQ(TextOf(combo), L"新配置 夜间");
    testing::SaveScreen(testing::ScreenshotPath(L"ui-select-list.bmp"));
    SendMessageW(renderer.ControlOf(dialog[L"btOk"]), BM_CLICK, 0, 0);
  });
  RunLater(5000, [&] { dialog.SetModalResult(TModalResult::Abort); });  // never hang

  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);
  EXPECT_EQ(dialog.Chosen(), L"新配置 夜间");
}

TEST_F(DialogsTest, NameBoxOnScreen) {
  TfrmSelDP dialog(context);
  dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
  dialog.ShowNameBox(true, L"默认配置");
  dialog.ShowList(false);
  RunLater(300, [&] {
    EXPECT_FALSE(IsWindowVisible(renderer.ControlOf(dialog[L"cbSelect"])));
    EXPECT_EQ(TextOf(renderer.ControlOf(dialog[L"edName"])), L"默认配置");
    testing::SaveScreen(testing::ScreenshotPath(L"ui-select-name.bmp"));
    SendMessageW(renderer.WindowOf(dialog), WM_COMMAND, IDOK, 0);  // Enter
  });
  RunLater(5000, [&] { dialog.SetModalResult(TModalResult::Abort); });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);
}

TEST_F(DialogsTest, DisplayChangeConfirmationOnScreen) {
  display::TfrmCheckRes dialog(context);
  RunLater(300, [&] {
    const HWND window = renderer.WindowOf(dialog);
    EXPECT_EQ(TextOf(window), L"正在检测分辨率");
    EXPECT_EQ(TextOf(renderer.ControlOf(dialog[L"lbQuestion"])), L"要保留当前设置吗?");
    EXPECT_EQ(TextOf(renderer.ControlOf(dialog[L"lbCountdown"])),
              std::to_wstring(dialog.SecondsLeft()) + L" 秒内恢复");
    testing::SaveScreen(testing::ScreenshotPath(L"display-check-res.bmp"));
    SendMessageW(renderer.ControlOf(dialog[L"btOk"]), BM_CLICK, 0, 0);
  });
  RunLater(5000, [&] { dialog.SetModalResult(TModalResult::Abort); });
  EXPECT_EQ(dialog.ShowModal(), TModalResult::Ok);

  // Left alone, the countdown ends it after ten seconds anyway.
  RunLater(300, [&] {
    if (HWND window = FindWindowW(L"CorvaneForm", L"正在检测分辨率"))
      SendMessageW(window, WM_COMMAND, IDCANCEL, 0);  // Esc
  });
  EXPECT_FALSE(display::ConfirmDisplayChangeDialog(context));
}

}  // namespace
}  // namespace corvane::ui::win32
