#include "platform/win32/user_interaction_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/message_window_test.h"

namespace corvane::platform {
namespace {

// What a worker saw of the box before it answered it.
struct Seen {
  bool ready = false;  // on screen, the focus on a button
  std::wstring text;
  std::vector<int> buttons;  // control ids, in window order
  int defaultButton = 0;     // the one styled BS_DEFPUSHBUTTON
  HICON icon = nullptr;
  HWND owner = nullptr;
};

// Finds the box by its caption and answers it: `press` 0 is Enter, which presses the
// default button; otherwise that button is clicked.
Seen AnswerBox(const std::wstring& caption, int press) {
  Seen seen;
  HWND box = nullptr;
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  for (int i = 0; i < 1000 && !seen.ready; ++i, Sleep(10)) {
    if (!box) box = FindWindowW(L"#32770", caption.c_str());
    // As a user would, wait until the box is on screen with the focus on a button: under
    // Wine, Enter posted to a box still being set up was sometimes lost.
    seen.ready = box && IsWindowVisible(box) && GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui) &&
                 IsChild(box, gui.hwndFocus);
  }
  if (!box) return seen;
  seen.owner = GetWindow(box, GW_OWNER);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t kind[16] = {}, text[64] = {};
    GetClassNameW(child, kind, 16);
    GetWindowTextW(child, text, 64);
    if (lstrcmpiW(kind, L"Button") == 0) {
      seen.buttons.push_back(GetDlgCtrlID(child));
      if ((GetWindowLongW(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) seen.defaultButton = GetDlgCtrlID(child);
    } else if (auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0))) {
      seen.icon = icon;
    } else if (text[0]) {
      seen.text = text;
    }
  }
  if (!seen.ready && !seen.buttons.empty()) press = seen.buttons.front();  // fail, but do not hang
  if (press == 0) {
    PostMessageW(gui.hwndFocus, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(gui.hwndFocus, WM_KEYUP, VK_RETURN, 0);
  } else {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, press)));
  }
  return seen;
}

Seen Ask(const MessageBoxRequest& request, int press, MessageAnswer& answer) {
  Seen seen;
  testing::WorkerThread presser([&] { seen = AnswerBox(request.caption, press); });
  answer = Win32UserInteraction().ShowMessage(request);
  return seen;
}

TEST(UserInteractionWin32, BoxShowsWhatWasAskedAndGivesTheButtonPressed) {
  using B = MessageButtons;
  using I = MessageIcon;
  struct Case {
    B buttons;
    int defaultButton;
    I icon;
    LPCWSTR systemIcon;
    std::vector<int> ids;
    int defaultId;
    int press;  // 0: Enter
  } cases[] = {
      {B::YesNoCancel, 1, I::Question, IDI_QUESTION, {IDYES, IDNO, IDCANCEL}, IDNO, 0},
      {B::AbortRetryIgnore, 2, I::Warning, IDI_EXCLAMATION, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE, 0},
      {B::OkCancel, 0, I::Error, IDI_HAND, {IDOK, IDCANCEL}, IDOK, IDCANCEL},
      {B::RetryCancel, 1, I::Information, IDI_ASTERISK, {IDRETRY, IDCANCEL}, IDCANCEL, IDRETRY},
      {B::YesNo, 5, I::None, nullptr, {IDYES, IDNO}, IDYES, 0},  // out of range: the first
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const std::wstring caption = L"Corvane 确认 " + std::to_wstring(GetCurrentProcessId()) + L"." +
                                 std::to_wstring(&c - cases);
    MessageAnswer answer{};
    const Seen seen = Ask({caption, L"要应用新的频率吗？", c.icon, c.buttons, c.defaultButton}, c.press, answer);
    ASSERT_TRUE(seen.ready);
    EXPECT_EQ(answer, static_cast<MessageAnswer>(c.press ? c.press : c.defaultId));
    EXPECT_EQ(seen.text, L"要应用新的频率吗？");
    EXPECT_EQ(seen.buttons, c.ids);
    EXPECT_EQ(seen.defaultButton, c.defaultId);
    EXPECT_EQ(seen.icon, c.systemIcon ? LoadIconW(nullptr, c.systemIcon) : nullptr);
    EXPECT_EQ(seen.owner, nullptr);
  }
}

TEST(UserInteractionWin32, ActiveWindowOfTheThreadOwnsTheBox) {
  HWND form = CreateWindowExW(0, L"STATIC", L"Corvane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_TRUE(form);
  SetForegroundWindow(form);
  SetActiveWindow(form);
  MessageAnswer answer{};
  const Seen seen = Ask({L"Corvane owned " + std::to_wstring(GetCurrentProcessId()), L"?"}, 0, answer);
  DestroyWindow(form);
  ASSERT_TRUE(seen.ready);
  EXPECT_EQ(answer, MessageAnswer::Ok);
  EXPECT_EQ(seen.owner, form);
}

// Finds the file chooser by its title; types `file` into its name box and opens it, or
// cancels when there is no file.
bool AnswerChooser(const std::wstring& title, const std::wstring* file) {
  HWND dialog = nullptr;
  for (int i = 0; i < 1000 && !(dialog && IsWindowVisible(dialog)); ++i, Sleep(10))
    dialog = FindWindowW(L"#32770", title.c_str());
  if (!dialog) return false;
  if (!file) return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  // The name box is edt1 in some versions of the dialog and cmb13 in others.
  for (int box : {edt1, cmb13}) SendMessageW(dialog, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>(file->c_str()));
  return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

TEST(UserInteractionWin32, FileChooserGivesTheFileChosenOrNothing) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring name = L"corvane-chooser-" + std::to_wstring(GetCurrentProcessId()) + L".wav";
  const std::wstring path = folder + name;
  HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);

  OpenFileRequest request;
  request.filter = L"Wave Files (*.wav)|*.wav";
  request.title = L"Corvane 选择 " + std::to_wstring(GetCurrentProcessId());
  request.initialFolder = folder;
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);

  bool answered = false;
  std::optional<std::wstring> chosen;
  {
    testing::WorkerThread user([&] { answered = AnswerChooser(request.title, &name); });
    chosen = Win32UserInteraction().ChooseOpenFile(request);
  }
  EXPECT_TRUE(answered);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(lstrcmpiW(chosen->c_str(), path.c_str()), 0) << std::string(chosen->begin(), chosen->end());
  wchar_t after[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, after);
  EXPECT_EQ(std::wstring(after), std::wstring(before));

  {
    testing::WorkerThread user([&] { answered = AnswerChooser(request.title, nullptr); });
    chosen = Win32UserInteraction().ChooseOpenFile(request);
  }
  EXPECT_TRUE(answered);
  EXPECT_FALSE(chosen.has_value());
  DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace corvane::platform
