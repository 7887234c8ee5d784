#include "platform/win32/desktop_icons_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/win32/threading_win32.h"

namespace corvane::platform {
namespace {

// The desktop this test builds in a second process: a top-level "Progman" window, a
// child standing in for the shell's view, and the list view inside it.
constexpr wchar_t kHostSwitch[] = L"DesktopIconsHost.DISABLED_ServesADesktop";
const std::map<std::string, POINT> kIcons = {
    {"My Computer", {20, 10}}, {"Recycle Bin", {20, 90}}, {"Readme.txt", {140, 10}}, {"Game Shortcut", {140, 90}}};

LRESULT CALLBACK ProgmanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Runs in the second process only, until the test closes its "Progman" window.
TEST(DesktopIconsHost, DISABLED_ServesADesktop) {
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  if (auto init = reinterpret_cast<void(WINAPI*)()>(GetProcAddress(controls, "InitCommonControls"))) init();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW progmanClass{};
  progmanClass.lpfnWndProc = ProgmanProc;
  progmanClass.hInstance = instance;
  progmanClass.lpszClassName = L"Progman";
  WNDCLASSW viewClass{};
  viewClass.lpfnWndProc = DefWindowProcW;
  viewClass.hInstance = instance;
  viewClass.lpszClassName = L"SHELLDLL_DefView";
  ASSERT_TRUE(RegisterClassW(&progmanClass) && RegisterClassW(&viewClass));
  HWND progman = CreateWindowExW(0, L"Progman", L"Program Manager", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                 instance, nullptr);
  HWND shellView = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480, progman,
                                   nullptr, instance, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 640, 480,
                              shellView, nullptr, instance, nullptr);
  ASSERT_TRUE(progman && shellView && list);
  int index = 0;
  for (const auto& [text, position] : kIcons) {
    std::string name = text;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index++;
    item.pszText = name.data();
    ASSERT_GE(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)), 0);
    SendMessageA(list, LVM_SETITEMPOSITION, item.iItem, MAKELPARAM(position.x, position.y));
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

class DesktopHost {
 public:
  DesktopHost() {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    // GTEST_OUTPUT would have the host overwrite this process's report.
    SetEnvironmentVariableW(L"GTEST_OUTPUT", nullptr);
    std::wstring commandLine = L"\"" + std::wstring(exe) +
                               L"\" --gtest_brief=1 --gtest_also_run_disabled_tests --gtest_filter=" + kHostSwitch;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
      return;
    }
    process_ = UniqueHandle(started.hProcess);
    CloseHandle(started.hThread);
    // The host makes its windows one after the other: ready once the view holds every icon.
    for (int i = 0; i < 400 && !progman_; ++i) {
      HWND found = FindWindowW(L"Progman", nullptr);
      DWORD owner = 0;
      if (found) GetWindowThreadProcessId(found, &owner);
      if (owner == started.dwProcessId && HoldsEveryIcon(found)) {
        progman_ = found;
      } else {
        Sleep(25);
      }
    }
  }
  ~DesktopHost() {
    if (!process_) return;
    if (progman_) PostMessageW(progman_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
  }
  bool Ready() const { return progman_ != nullptr; }
  static bool HoldsEveryIcon(HWND progman) {
    HWND list = GetWindow(GetWindow(progman, GW_CHILD), GW_CHILD);
    return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == static_cast<LRESULT>(kIcons.size());
  }
  HWND ListView() const { return GetWindow(GetWindow(progman_, GW_CHILD), GW_CHILD); }

 private:
  UniqueHandle process_;
  HWND progman_ = nullptr;
};

// Save every icon's position by its text, move the icons, then put them back by text,
// all through the block in the host's memory.
TEST(DesktopIconsWin32, SaveMoveAndRestoreAcrossProcesses) {
  DesktopHost host;
  ASSERT_TRUE(host.Ready());
  Win32DesktopIcons desktop;
  auto view = desktop.Open();
  ASSERT_NE(view, nullptr);

  ASSERT_EQ(view->ItemCount(), static_cast<int>(kIcons.size()));
  std::map<std::wstring, IconPosition> saved;
  for (int i = 0; i < view->ItemCount(); ++i) {
    auto text = view->ItemText(i);
    auto position = view->ItemPosition(i);
    ASSERT_TRUE(text && position);
    saved[*text] = *position;
  }
  ASSERT_EQ(saved.size(), kIcons.size());
  EXPECT_EQ(saved[L"Readme.txt"], (IconPosition{140, 10}));
  EXPECT_FALSE(view->ItemText(static_cast<int>(kIcons.size())));

  for (int i = 0; i < view->ItemCount(); ++i) ASSERT_TRUE(view->SetItemPosition(i, {300 + 10 * i, 200}));
  EXPECT_EQ(view->ItemPosition(*view->FindItem(L"Readme.txt"))->x, 300 + 10 * *view->FindItem(L"Readme.txt"));

  for (const auto& [text, position] : saved) {
    auto index = view->FindItem(text);
    ASSERT_TRUE(index) << std::string(text.begin(), text.end());
    EXPECT_TRUE(view->SetItemPosition(*index, position));
  }
  for (const auto& [text, position] : saved) EXPECT_EQ(view->ItemPosition(*view->FindItem(text)), position);
  EXPECT_FALSE(view->FindItem(L"Readme"));
  EXPECT_FALSE(view->FindItem(L"Not on this desktop"));

  const uint32_t style = view->Style();
  EXPECT_EQ(style, static_cast<uint32_t>(GetWindowLongW(host.ListView(), GWL_STYLE)));
  view->SetStyle(style | kDesktopAutoArrangeStyle);
  EXPECT_TRUE(GetWindowLongW(host.ListView(), GWL_STYLE) & kDesktopAutoArrangeStyle);
  view->SetStyle(style);
  EXPECT_EQ(view->Style(), style);
}

TEST(DesktopIconsWin32, NothingWithoutADesktopView) {
  if (FindWindowW(L"Progman", nullptr)) GTEST_SKIP() << "this session has a desktop of its own";
  EXPECT_EQ(Win32DesktopIcons().Open(), nullptr);
}

}  // namespace
}  // namespace corvane::platform
