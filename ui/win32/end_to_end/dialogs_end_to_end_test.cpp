// corvane.exe on the simulated card, its hotkey list, hardware settings and card report
// opened from the real tray menu: a hotkey added through the dialog's own controls lands
// in the "keys" key, the report saved to a file is the one written down by hand for the
// simulated 9800 PRO, and the PCI latency typed above its range is stored as 255. Each
// dialog is captured to a bitmap for people to look at. The tests run in order and share
// one instance of the program.
//
// Arguments: corvane.exe, the screenshot folder, the expected report (UTF-8 text).

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kMainWindowClass[] = L"TfrmMainQRX";
constexpr wchar_t kMainWindowText[] = L"corvane";
constexpr wchar_t kMenuOwnerClass[] = L"CorvaneMenuOwner";
constexpr wchar_t kPopupMenuClass[] = L"#32768";
constexpr wchar_t kKeysKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\keys";
constexpr wchar_t kHardwareKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Hardware";
constexpr wchar_t kSimulatedVideoKey[] =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}";
constexpr UINT kTrayIconId = 6655;
constexpr UINT kTrayCallbackMessage = 1599;
// Where "硬件" and "热键" are in the tray menu, in presses of the down key.
constexpr int kHardwareMenu = 6;
constexpr int kHotkeysMenu = 9;

std::wstring g_corvane;
std::wstring g_shots;
std::string g_expectedReport;
HANDLE g_process = nullptr;

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring result(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
  return result;
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
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
bool MenuOpen() { return IsWindowVisible(FindWindowW(kPopupMenuClass, nullptr)) != FALSE; }

void PressKey(WORD key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
  Sleep(150);
}

// Opens the tray menu, walks down to a submenu and through it, and waits for the dialog
// with that caption.
HWND OpenFromTrayMenu(int downs, std::initializer_list<WORD> inSubmenu, const wchar_t* caption) {
  const HWND window = MainWindow();
  if (!window) return nullptr;
  SetCursorPos(760, 560);
  PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
  if (!WaitFor(MenuOpen, 10000)) return nullptr;
  Sleep(500);
  for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
  PressKey(VK_RIGHT);
  for (WORD key : inSubmenu) PressKey(key);
  PressKey(VK_RETURN);
  const HWND dialog = WaitForWindow([caption] { return FindWindowW(nullptr, caption); });
  if (!dialog && MenuOpen()) SendMessageW(FindWindowW(kMenuOwnerClass, nullptr), WM_CANCELMODE, 0, 0);
  return dialog;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (lstrcmpiW(ClassOf(child).c_str(), className) == 0) return child;
  return nullptr;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t caption[128] = {};
    GetWindowTextW(child, caption, 128);
    if (text == caption) return child;
  }
  return nullptr;
}

void Click(HWND dialog, const wchar_t* button) {
  PostMessageW(WaitForWindow([&] { return ChildWithText(dialog, button); }), BM_CLICK, 0, 0);
}

std::optional<DWORD> ReadDword(const wchar_t* path, const wchar_t* name) {
  DWORD value = 0, size = sizeof value, type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_REG_DWORD, &type, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::optional<std::wstring> ReadString(const wchar_t* path, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

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
    const DWORD imageSize = ((static_cast<DWORD>(width) * 3 + 3) & ~3u) * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(Narrow(g_shots + L"\\" + name), std::ios::binary);
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

std::wstring MachineStateFile() {
  wchar_t appData[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE)) return {};
  return std::wstring(appData) + L"\\corvane\\simulated-machine.txt";
}

// Text lines without their line ends, the byte-order mark dropped.
std::vector<std::string> Lines(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(Narrow(path), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class DialogsEndToEnd : public ::testing::Test {
 protected:
  static void TearDownTestSuite() {
    if (!g_process) return;
    if (HWND window = MainWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(g_process, 10000) != WAIT_OBJECT_0) TerminateProcess(g_process, 1);
    CloseHandle(g_process);
    g_process = nullptr;
  }
};

TEST_F(DialogsEndToEnd, StartsOnAFreshSimulatedCard) {
  ASSERT_EQ(MainWindow(), nullptr) << "corvane.exe is already running";
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSimulatedVideoKey);
  SHDeleteKeyW(HKEY_CURRENT_USER, kKeysKey);
  SHDeleteKeyW(HKEY_CURRENT_USER, kHardwareKey);  // no latency applied at start-up
  DeleteFileW(MachineStateFile().c_str());
  std::wstring commandLine = L"\"" + g_corvane + L"\" /simulate";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info));
  CloseHandle(info.hThread);
  g_process = info.hProcess;
  ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "no main window";
  Sleep(2000);  // settled: menus built, hotkeys loaded
}

TEST_F(DialogsEndToEnd, AHotkeyAddedInItsDialogLandsInTheKeysKey) {
  const HWND list = OpenFromTrayMenu(kHotkeysMenu, {VK_DOWN}, L"热键");
  ASSERT_NE(list, nullptr) << "the hotkey list did not open from \"热键\" / \"自定义...\"";
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(L"hotkeys.bmp"));
  Click(list, L"添加(&A)");
  const HWND editor = WaitForWindow([] { return FindWindowW(nullptr, L"编辑热键属性"); });
  ASSERT_NE(editor, nullptr);

  // Ctrl+Alt+F9 in the hotkey control; the control tells its owner as typing would.
  const HWND hotkey = WaitForWindow([&] { return ChildOfClass(editor, HOTKEY_CLASSW); });
  ASSERT_NE(hotkey, nullptr);
  SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  SendMessageW(editor, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hotkey), EN_CHANGE), reinterpret_cast<LPARAM>(hotkey));

  // "其它" is the last category; "屏幕截图" its second action.
  const HWND tree = ChildOfClass(editor, WC_TREEVIEWW);
  ASSERT_NE(tree, nullptr);
  auto next = [&](HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
  };
  HTREEITEM category = next(nullptr, TVGN_ROOT);
  for (int i = 0; i < 6 && category; ++i) category = next(category, TVGN_NEXT);
  ASSERT_NE(category, nullptr);
  const HTREEITEM screenshot = next(next(category, TVGN_CHILD), TVGN_NEXT);
  ASSERT_NE(screenshot, nullptr);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(screenshot));
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(L"edit-key.bmp"));
  Click(editor, L"确定(&O)");
  ASSERT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"编辑热键属性"); }, 10000));

  Click(list, L"确定(&O)");
  ASSERT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"热键"); }, 10000));
  const std::wstring name = L"s_" + std::to_wstring(0x4000 | 0x8000 | VK_F9);
  EXPECT_EQ(ReadString(kKeysKey, name.c_str()), std::optional<std::wstring>(L"26:"));
}

TEST_F(DialogsEndToEnd, TheSavedReportIsTheOneWrittenDownForTheSimulatedCard) {
  const HWND report = OpenFromTrayMenu(kHardwareMenu, {VK_DOWN, VK_DOWN}, L"系统信息");
  ASSERT_NE(report, nullptr) << "the report did not open from \"硬件\" / \"系统信息\"";
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(L"radinfo.bmp"));

  const std::wstring saved = g_shots + L"\\radinfo-saved.txt";
  DeleteFileW(saved.c_str());
  Click(report, L"保存(&S)");
  // The save chooser is the common dialog the report window owns.
  const HWND chooser = WaitForWindow([&] {
    for (HWND window = FindWindowW(L"#32770", nullptr); window; window = FindWindowExW(nullptr, window, L"#32770", nullptr))
      if (GetWindow(window, GW_OWNER) == report) return window;
    return HWND{};
  });
  ASSERT_NE(chooser, nullptr) << "no save chooser";
  HWND name = GetDlgItem(chooser, 0x47C);  // cmb13: the file name box
  if (name && ClassOf(name) != L"Edit") name = FindWindowExW(name, nullptr, nullptr, nullptr);
  if (name && ClassOf(name) != L"Edit") name = FindWindowExW(name, nullptr, L"Edit", nullptr);
  if (!name) name = GetDlgItem(chooser, 0x480);  // edt1
  ASSERT_NE(name, nullptr);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
  PostMessageW(chooser, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return GetFileAttributesW(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
  Sleep(500);

  const std::vector<std::string> expected = Lines(g_expectedReport);
  const std::vector<std::string> actual = Lines(ReadWholeFile(saved));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size() && i < actual.size(); ++i)
    EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
  Click(report, L"确定");
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"系统信息"); }, 10000));
}

TEST_F(DialogsEndToEnd, TheLatencyTypedAboveItsRangeIsStoredAs255) {
  const HWND dialog = OpenFromTrayMenu(kHardwareMenu, {VK_DOWN}, L"硬件设置");
  ASSERT_NE(dialog, nullptr) << "the hardware settings did not open from \"硬件\" / \"常规设置...\"";
  const HWND latency = WaitForWindow([&] { return ChildOfClass(dialog, L"Edit"); });
  ASSERT_NE(latency, nullptr);
  SendMessageW(latency, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"300"));
  Click(dialog, L"启动时应用硬件设置(&P)");
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(L"hardware.bmp"));
  Click(dialog, L"确定");
  ASSERT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"硬件设置"); }, 10000));
  EXPECT_TRUE(WaitFor([] { return ReadDword(kHardwareKey, L"PCILatency") == 255u; }, 5000));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s corvane.exe screenshot-folder expected-report.txt\n", argv[0]);
    return 2;
  }
  g_corvane = Widen(argv[1]);
  g_shots = Widen(argv[2]);
  g_expectedReport = ReadWholeFile(Widen(argv[3]));
  return RUN_ALL_TESTS();
}
