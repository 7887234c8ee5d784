// The general options of corvane.exe as a user meets them, on the simulated card: the
// dialog opens from the tray's "工具" > "常规选项..." (each page captured), the tray menu is
// drawn by the program while "使用皮肤" is on and by the system once it is off (both
// captured), and a profile backup written through "备份配置" brings a deleted profile
// back when Wine's regedit imports it, and takes away one made after the backup.
//
// Arguments: corvane.exe, the screenshot folder.

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "end_to_end_support.h"

namespace {

using namespace end_to_end;

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kFormClass[] = L"CorvaneForm";
constexpr wchar_t kOptionsCaption[] = L"常规选项";
constexpr wchar_t kOverProfiles[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\over";
// The common dialogs' file name field: Windows' combo box, or Wine's edit.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

std::wstring g_corvane;
std::wstring g_shots;
HANDLE g_process = nullptr;

HWND OptionsDialog() { return FindWindowW(kFormClass, kOptionsCaption); }

// "工具" is third from the bottom of the tray menu; "常规选项..." is its last entry.
HWND OpenOptionsFromTheTray() {
  return OpenFromTrayMenu({VK_UP, VK_UP, VK_UP, VK_RIGHT, VK_UP, VK_RETURN}, kOptionsCaption, kFormClass);
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The text of a message box's message, found among its static controls.
std::wstring MessageText(HWND box) {
  std::wstring all;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (lstrcmpiW(ClassOf(child).c_str(), L"Static") == 0) all += TextOf(child);
  return all;
}

// Shows the page as a user clicking its tab would.
void SelectPage(HWND dialog, int page) {
  HWND tabs = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
  ASSERT_NE(tabs, nullptr);
  TabCtrl_SetCurSel(tabs, page);
  NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  Sleep(300);
}

bool IsChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The tray menu as it is drawn now, captured and closed again.
bool CaptureTrayMenu(const std::wstring& name) {
  if (!OpenTrayMenu()) return false;
  PressKey(VK_DOWN);  // one item highlighted
  const bool captured = CaptureScreen(g_shots + name);
  CancelTrayMenu();
  return captured;
}

std::wstring OverProfile(const wchar_t* name) { return std::wstring(kOverProfiles) + L"\\" + name; }

void MakeProfile(const wchar_t* name) {
  const HKEY key = CreateKey(OverProfile(name).c_str());
  ASSERT_NE(key, nullptr);
  WriteDouble(key, L"vpu", 380.0);
  RegCloseKey(key);
}

bool ProfileExists(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, OverProfile(name).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Runs a program with its window hidden and waits for it; its exit code.
std::optional<DWORD> RunAndWait(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return std::nullopt;
  CloseHandle(info.hThread);
  WaitForSingleObject(info.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  return code;
}

class OptionsEndToEnd : public ::testing::Test {
 protected:
  static void TearDownTestSuite() {
    CloseProgram(g_process, 10000);
    SHDeleteKeyW(HKEY_CURRENT_USER, OverProfile(L"e2e-kept").c_str());
    SHDeleteKeyW(HKEY_CURRENT_USER, OverProfile(L"e2e-later").c_str());
  }
};

TEST_F(OptionsEndToEnd, StartsWithTheSkinnedTrayMenu) {
  ASSERT_EQ(MainWindow(), nullptr) << "corvane.exe is already running";
  WriteDword(kSettingsKey, L"use_skinned_menu", 1);
  g_process = Start(g_corvane, L"/simulate").process;
  ASSERT_NE(g_process, nullptr);
  ASSERT_NE(WaitForWindow(MainWindow, 30000), nullptr);
  Sleep(1000);
  EXPECT_TRUE(CaptureTrayMenu(L"tray-skinned.bmp"));
}

TEST_F(OptionsEndToEnd, TheDialogOpensFromTheTrayWithItsThreePages) {
  const HWND dialog = OpenOptionsFromTheTray();
  ASSERT_NE(dialog, nullptr) << "常规选项 did not open from the tray";
  const HWND skin = ChildWithText(dialog, L"使用皮肤");
  ASSERT_NE(skin, nullptr);
  EXPECT_TRUE(IsChecked(skin));
  EXPECT_NE(ChildWithText(dialog, L"确认新频率"), nullptr);
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(g_shots + L"options.bmp"));
  SelectPage(dialog, 1);
  EXPECT_TRUE(IsWindowVisible(ChildWithText(dialog, L"更改")));
  EXPECT_TRUE(CaptureScreen(g_shots + L"options-recording.bmp"));
  SelectPage(dialog, 2);
  EXPECT_TRUE(IsWindowVisible(ChildWithText(dialog, L"添加当前时间到文件名")));
  EXPECT_TRUE(CaptureScreen(g_shots + L"options-screenshots.bmp"));
  PostMessageW(ChildWithText(dialog, L"取消"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return OptionsDialog() == nullptr; }, 10000));
  EXPECT_FALSE(IsWindowVisible(MainWindow())) << "the main window is hidden again";
}

TEST_F(OptionsEndToEnd, SwitchingTheSkinOffGivesTheSystemsMenuAtOnce) {
  const HWND dialog = OpenOptionsFromTheTray();
  ASSERT_NE(dialog, nullptr);
  const HWND skin = ChildWithText(dialog, L"使用皮肤");
  ASSERT_NE(skin, nullptr);
  SendMessageW(skin, BM_CLICK, 0, 0);
  PostMessageW(ChildWithText(dialog, L"确定"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([] { return OptionsDialog() == nullptr; }, 10000));
  Sleep(500);
  EXPECT_TRUE(CaptureTrayMenu(L"tray-unskinned.bmp"));
}

TEST_F(OptionsEndToEnd, TheBackupReimportedByRegeditRestoresTheProfilesAsTheyWere) {
  MakeProfile(L"e2e-kept");
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"corvane-profiles.reg";
  DeleteFileW(file.c_str());

  const HWND dialog = OpenOptionsFromTheTray();
  ASSERT_NE(dialog, nullptr);
  PostMessageW(ChildWithText(dialog, L"备份配置"), BM_CLICK, 0, 0);
  const HWND chooser = WaitForWindow([] {
    HWND found = FindWindowW(kDialogClass, nullptr);
    return found && IsWindowVisible(found) ? found : nullptr;
  });
  ASSERT_NE(chooser, nullptr) << "no save chooser";
  Sleep(500);
  HWND name = GetDlgItem(chooser, kFileNameCombo);
  if (!name) name = GetDlgItem(chooser, kFileNameEdit);
  ASSERT_NE(name, nullptr);
  SetWindowTextW(name, file.c_str());
  PostMessageW(chooser, WM_COMMAND, IDOK, 0);

  // regedit runs; then the program says where the backup went.
  const HWND told = WaitForWindow(
      [] {
        HWND box = FindWindowW(kDialogClass, L"信息");
        return box && IsWindowVisible(box) ? box : nullptr;
      },
      60000);
  ASSERT_NE(told, nullptr) << "no message after the backup";
  EXPECT_EQ(MessageText(told), L"配置已保存到 " + file + L".");
  PostMessageW(told, WM_COMMAND, IDOK, 0);
  PostMessageW(ChildWithText(dialog, L"取消"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([] { return OptionsDialog() == nullptr; }, 10000));

  SHDeleteKeyW(HKEY_CURRENT_USER, OverProfile(L"e2e-kept").c_str());
  MakeProfile(L"e2e-later");
  ASSERT_FALSE(ProfileExists(L"e2e-kept"));
  ASSERT_TRUE(RunAndWait(L"regedit.exe /s \"" + file + L"\""));
  EXPECT_TRUE(ProfileExists(L"e2e-kept")) << "the deleted profile is back";
  EXPECT_FALSE(ProfileExists(L"e2e-later")) << "the import first deleted the profiles there were";

  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(g_process, 30000), WAIT_OBJECT_0);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s corvane.exe screenshot-folder\n", argv[0]);
    return 2;
  }
  g_corvane = Widen(argv[1]);
  g_shots = Widen(argv[2]);
  if (!g_shots.empty() && g_shots.back() != L'\\') g_shots += L'\\';
  return RUN_ALL_TESTS();
}
