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
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "end_to_end_support.h"

namespace {

using namespace end_to_end;

constexpr wchar_t kKeysKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\keys";
constexpr wchar_t kHardwareKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Hardware";
// Where "硬件" and "热键" are in the tray menu, in presses of the down key.
constexpr int kHardwareMenu = 6;
constexpr int kHotkeysMenu = 9;

std::wstring g_corvane;
std::wstring g_shots;
std::string g_expectedReport;
HANDLE g_process = nullptr;

// Opens the tray menu, walks down to a submenu and through it, and waits for the dialog
// with that caption.
HWND OpenFromSubmenu(int downs, std::initializer_list<WORD> inSubmenu, const wchar_t* caption) {
  std::vector<WORD> keys(static_cast<size_t>(downs), VK_DOWN);
  keys.push_back(VK_RIGHT);
  keys.insert(keys.end(), inSubmenu);
  keys.push_back(VK_RETURN);
  return OpenFromTrayMenu(keys, caption);
}

void Click(HWND dialog, const wchar_t* button) {
  PostMessageW(WaitForWindow([&] { return ChildWithText(dialog, button); }), BM_CLICK, 0, 0);
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

// Where a screenshot of that name goes.
std::wstring Shot(const wchar_t* name) { return g_shots + L"\\" + name; }

class DialogsEndToEnd : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { CloseProgram(g_process, 10000); }
};

TEST_F(DialogsEndToEnd, StartsOnAFreshSimulatedCard) {
  ASSERT_EQ(MainWindow(), nullptr) << "corvane.exe is already running";
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSimulatedVideoKey);
  SHDeleteKeyW(HKEY_CURRENT_USER, kKeysKey);
  SHDeleteKeyW(HKEY_CURRENT_USER, kHardwareKey);  // no latency applied at start-up
  DeleteFileW(MachineStateFile().c_str());
  g_process = Start(g_corvane, L"/simulate").process;
  ASSERT_NE(g_process, nullptr);
  ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "no main window";
  Sleep(2000);  // settled: menus built, hotkeys loaded
}

TEST_F(DialogsEndToEnd, AHotkeyAddedInItsDialogLandsInTheKeysKey) {
  const HWND list = OpenFromSubmenu(kHotkeysMenu, {VK_DOWN}, L"热键");
  ASSERT_NE(list, nullptr) << "the hotkey list did not open from \"热键\" / \"自定义...\"";
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(Shot(L"hotkeys.bmp")));
  Click(list, L"添加(&A)");
  const HWND editor = WaitForWindow([] { return FindWindowW(nullptr, L"编辑热键属性"); });
  ASSERT_NE(editor, nullptr);

  // Ctrl+Alt+F9 in the hotkey control; the control tells its owner as typing would.
  const HWND hotkey = WaitForWindow([&] { return ChildOfClass(editor, HOTKEY_CLASSW, 0, ChildOrder::kZOrder); });
  ASSERT_NE(hotkey, nullptr);
  SendMessageW(hotkey, HKM_SETHOTKEY, MAKEWORD(VK_F9, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
  SendMessageW(editor, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hotkey), EN_CHANGE), reinterpret_cast<LPARAM>(hotkey));

  // "其它" is the last category; "屏幕截图" its second action.
  const HWND tree = ChildOfClass(editor, WC_TREEVIEWW, 0, ChildOrder::kZOrder);
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
  EXPECT_TRUE(CaptureScreen(Shot(L"edit-key.bmp")));
  Click(editor, L"确定(&O)");
  ASSERT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"编辑热键属性"); }, 10000));

  Click(list, L"确定(&O)");
  ASSERT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"热键"); }, 10000));
  const std::wstring name = L"s_" + std::to_wstring(0x4000 | 0x8000 | VK_F9);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kKeysKey, name.c_str()), std::optional<std::wstring>(L"26:"));
}

TEST_F(DialogsEndToEnd, TheSavedReportIsTheOneWrittenDownForTheSimulatedCard) {
  const HWND report = OpenFromSubmenu(kHardwareMenu, {VK_DOWN, VK_DOWN}, L"系统信息");
  ASSERT_NE(report, nullptr) << "the report did not open from \"硬件\" / \"系统信息\"";
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(Shot(L"radinfo.bmp")));

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
  const HWND dialog = OpenFromSubmenu(kHardwareMenu, {VK_DOWN}, L"硬件设置");
  ASSERT_NE(dialog, nullptr) << "the hardware settings did not open from \"硬件\" / \"常规设置...\"";
  const HWND latency = WaitForWindow([&] { return ChildOfClass(dialog, L"Edit", 0, ChildOrder::kZOrder); });
  ASSERT_NE(latency, nullptr);
  SendMessageW(latency, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"300"));
  Click(dialog, L"启动时应用硬件设置(&P)");
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(Shot(L"hardware.bmp")));
  Click(dialog, L"确定");
  ASSERT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"硬件设置"); }, 10000));
  EXPECT_TRUE(WaitFor([] { return ReadDword(HKEY_CURRENT_USER, kHardwareKey, L"PCILatency") == 255u; }, 5000));
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
