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
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainWindowClass[] = L"TfrmMainQRX";
constexpr wchar_t kMainWindowText[] = L"corvane";
constexpr wchar_t kMenuOwnerClass[] = L"CorvaneMenuOwner";
constexpr wchar_t kPopupMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kFormClass[] = L"CorvaneForm";
constexpr wchar_t kOptionsCaption[] = L"常规选项";
constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillon\\Corvane";
constexpr wchar_t kOverProfiles[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\over";
constexpr UINT kTrayIconId = 6655;
constexpr UINT kTrayCallbackMessage = 1599;
// The common dialogs' file name field: Windows' combo box, or Wine's edit.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

std::wstring g_corvane;
std::wstring g_shots;
HANDLE g_process = nullptr;

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring result(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
  return result;
}

template <typename Condition>
bool WaitFor(Condition condition, int ms) {
  for (int waited = 0; waited < ms; waited += 100) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

template <typename Find>
HWND WaitForWindow(Find find, int ms = 10000) {
  HWND found = nullptr;
  WaitFor([&] { return (found = find()) != nullptr; }, ms);
  return found;
}

HWND MainWindow() { return FindWindowW(kMainWindowClass, kMainWindowText); }
HWND OptionsDialog() { return FindWindowW(kFormClass, kOptionsCaption); }
bool MenuOpen() { return IsWindowVisible(FindWindowW(kPopupMenuClass, nullptr)) != FALSE; }

void PressKey(WORD key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
  Sleep(150);
}

bool OpenTrayMenu() {
  const HWND window = MainWindow();
  if (!window) return false;
  SetCursorPos(760, 560);
  PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
  if (!WaitFor(MenuOpen, 10000)) return false;
  Sleep(500);
  return true;
}

void CancelTrayMenu() {
  if (MenuOpen()) SendMessageW(FindWindowW(kMenuOwnerClass, nullptr), WM_CANCELMODE, 0, 0);
  WaitFor([] { return !MenuOpen(); }, 5000);
}

// "工具" is third from the bottom of the tray menu; "常规选项..." is its last entry.
HWND OpenOptionsFromTheTray() {
  if (!OpenTrayMenu()) return nullptr;
  for (WORD key : {VK_UP, VK_UP, VK_UP, VK_RIGHT, VK_UP, VK_RETURN}) PressKey(key);
  const HWND dialog = WaitForWindow(OptionsDialog);
  if (!dialog) CancelTrayMenu();
  return dialog;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t caption[128] = {};
    GetWindowTextW(child, caption, 128);
    if (text == caption) return child;
  }
  return nullptr;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The text of a message box's message, found among its static controls.
std::wstring MessageText(HWND box) {
  std::wstring all;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Static") == 0) all += TextOf(child);
  }
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

// The whole screen as a 24-bit bitmap file.
bool CaptureScreen(const std::wstring& name) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out((g_shots + name).c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    ok = ok && out.good();
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

// The tray menu as it is drawn now, captured and closed again.
bool CaptureTrayMenu(const std::wstring& name) {
  if (!OpenTrayMenu()) return false;
  PressKey(VK_DOWN);  // one item highlighted
  const bool captured = CaptureScreen(name);
  CancelTrayMenu();
  return captured;
}

void WriteSetting(const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

std::wstring OverProfile(const wchar_t* name) { return std::wstring(kOverProfiles) + L"\\" + name; }

void MakeProfile(const wchar_t* name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, OverProfile(name).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const double vpu = 380.0;
  RegSetValueExW(key, L"vpu", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&vpu), sizeof vpu);
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
    if (g_process && WaitForSingleObject(g_process, 0) != WAIT_OBJECT_0) {
      if (HWND window = MainWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(g_process, 10000) != WAIT_OBJECT_0) TerminateProcess(g_process, 1);
    }
    if (g_process) CloseHandle(g_process);
    g_process = nullptr;
    SHDeleteKeyW(HKEY_CURRENT_USER, OverProfile(L"e2e-kept").c_str());
    SHDeleteKeyW(HKEY_CURRENT_USER, OverProfile(L"e2e-later").c_str());
  }
};

TEST_F(OptionsEndToEnd, StartsWithTheSkinnedTrayMenu) {
  ASSERT_EQ(MainWindow(), nullptr) << "corvane.exe is already running";
  WriteSetting(L"use_skinned_menu", 1);
  std::wstring commandLine = L"\"" + g_corvane + L"\" /simulate";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  CloseHandle(info.hThread);
  g_process = info.hProcess;
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
  EXPECT_TRUE(CaptureScreen(L"options.bmp"));
  SelectPage(dialog, 1);
  EXPECT_TRUE(IsWindowVisible(ChildWithText(dialog, L"更改")));
  EXPECT_TRUE(CaptureScreen(L"options-recording.bmp"));
  SelectPage(dialog, 2);
  EXPECT_TRUE(IsWindowVisible(ChildWithText(dialog, L"添加当前时间到文件名")));
  EXPECT_TRUE(CaptureScreen(L"options-screenshots.bmp"));
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
