// corvane.exe as a user meets it, on the simulated card: it starts hidden with its icon
// in the tray, a second start only forwards a game request to it, its tray menu opens on
// a click (captured to a bitmap for people to look at), a 3D setting chosen in that menu
// reaches the driver's key and the tooltip, the overclocking dialog opened from it sets
// the clocks and saves a profile, a game profile made in its editor is in the tray menu
// and its desktop link starts the game, the Direct3D and OpenGL dialogs opened from it write
// what their controls show (and with the newer driver storage the Direct3D one is "3D
// Settings"), and closing its window ends it with the settings saved; started again, it
// runs on the simulated machine as the first run left it; the Displays dialog and a
// display profile from the tray reach the simulated driver. The tests run in order and
// share the first instance.
//
// Arguments: corvane.exe, record_args.exe, the bitmap to write.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "end_to_end_support.h"

namespace {

using namespace end_to_end;

constexpr wchar_t kGameKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Games\\Recorder";
constexpr wchar_t kTrayWindowClass[] = L"Shell_TrayWnd";
constexpr wchar_t kTrayWindowTitle[] = L"Wine System Tray";
constexpr wchar_t kTooltipClass[] = L"tooltips_class32";
constexpr wchar_t kOverProfilesKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\over";

std::wstring g_corvane;
std::wstring g_recordArgs;
std::wstring g_screenshot;
std::wstring g_recordFile;

Started g_first;
// The core clock the overclocking dialog applied, in MHz; 0 before.
long g_appliedCoreClock = 0;

// The text of the tooltip showing now, if one is. A tooltip answers WM_GETTEXT with the
// text it shows.
std::optional<std::wstring> VisibleTooltipText() {
  for (HWND tip = FindWindowExW(nullptr, nullptr, kTooltipClass, nullptr); tip;
       tip = FindWindowExW(nullptr, tip, kTooltipClass, nullptr)) {
    if (!IsWindowVisible(tip)) continue;
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    if (text[0]) return std::wstring(text);
  }
  return std::nullopt;
}

// Moves the mouse onto the first icon of Wine's tray window, as a user pointing at it.
bool PointAtTrayIcon() {
  // By its class: under a Chinese locale Wine may give the window a translated title.
  HWND tray = FindWindowW(kTrayWindowClass, nullptr);
  if (!tray) tray = FindWindowW(nullptr, kTrayWindowTitle);
  if (!tray) return false;
  POINT icon{GetSystemMetrics(SM_CXSMICON) / 2 + 3, GetSystemMetrics(SM_CYSMICON) / 2 + 3};
  ClientToScreen(tray, &icon);
  const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
  for (int step = 0; step < 2; ++step) {  // two moves: the tray sees the mouse arrive
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>((icon.x + step) * 65535 / width),
                static_cast<DWORD>(icon.y * 65535 / height), 0, 0);
    Sleep(100);
  }
  return true;
}

// Of the visible children of that class, the one highest in the window.
HWND TopmostVisibleChild(HWND parent, const wchar_t* className) {
  HWND found = nullptr;
  LONG foundTop = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiW(ClassOf(child).c_str(), className) != 0 || !IsWindowVisible(child)) continue;
    RECT bounds{};
    GetWindowRect(child, &bounds);
    if (!found || bounds.top < foundTop) {
      found = child;
      foundTop = bounds.top;
    }
  }
  return found;
}

// The tooltip of the tray icon, read while the mouse rests on the icon.
std::optional<std::wstring> TrayTip() {
  if (!PointAtTrayIcon()) return std::nullopt;
  std::optional<std::wstring> tip;
  WaitFor([&] { return (tip = VisibleTooltipText()).has_value(); }, 10000);
  return tip;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

// Picks an entry of a drop-down list as a user would: the list's selection changes and
// its owner hears of it.
void ChooseComboItem(HWND dialog, HWND combo, int index) {
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void PressKeyIn(HWND control, WORD key, int times) {
  for (int i = 0; i < times; ++i) {
    SendMessageW(control, WM_KEYDOWN, key, 0);
    SendMessageW(control, WM_KEYUP, key, 0);
  }
}

// Opens a submenu of the tray menu (`downs` entries down) and chooses its last entry,
// "设置...".
HWND OpenSettingsDialog(int downs, const wchar_t* caption) {
  std::vector<WORD> keys(static_cast<size_t>(downs), VK_DOWN);
  keys.insert(keys.end(), {VK_RIGHT, VK_UP, VK_RETURN});
  return OpenFromTrayMenu(keys, caption);
}

std::wstring Shots() { return g_screenshot.substr(0, g_screenshot.find_last_of(L"\\/") + 1); }

class ProgramEndToEnd : public ::testing::Test {
 protected:
  static void TearDownTestSuite() {
    // A failed test must not leave the program running for the next run.
    CloseProgram(g_first.process, 10000);
    g_first = {};
  }
};

TEST_F(ProgramEndToEnd, StartsHiddenWithItsIconInTheTray) {
  ASSERT_EQ(MainWindow(), nullptr) << "corvane.exe is already running";
  // The game profile the later tests start, and where its stand-in records itself.
  const HKEY game = CreateKey(kGameKey);
  ASSERT_NE(game, nullptr);
  WriteString(game, L"File", g_recordArgs);
  WriteString(game, L"File_Params", L"alpha \"beta gamma\"");
  RegCloseKey(game);
  SetEnvironmentVariableW(L"CORVANE_RECORD_ARGS_FILE", g_recordFile.c_str());
  DeleteFileW(g_recordFile.c_str());
  // The simulated driver's keys live as long as the Wine session; an earlier run in the
  // same session must not leave its settings for this one.
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSimulatedVideoKey);
  // Recorded afresh at this start; a "/loadgame" forward further down must not lose it.
  DeleteValue(kSettingsKey, L"LastDeviceID");
  // The simulated card starts fresh too, not as an earlier run left it.
  DeleteFileW(MachineStateFile().c_str());

  g_first = Start(g_corvane, L"/simulate");
  ASSERT_NE(g_first.process, nullptr);
  ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "no main window";
  const HWND window = MainWindow();
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  EXPECT_EQ(owner, g_first.id);
  EXPECT_FALSE(IsWindowVisible(window));
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, -10);
  EXPECT_EQ(frame.right - frame.left, 1);
  EXPECT_TRUE(WaitFor([&] { return TrayIconPresent(window); }, 10000)) << "no tray icon";
  // The simulated display driver's key went into the real registry.
  HKEY driver = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, 0, KEY_READ, &driver), ERROR_SUCCESS);
  if (driver) RegCloseKey(driver);
  // Settled: announced itself for a second instance.
  EXPECT_TRUE(WaitFor([] { return ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"Proc_ID") == g_first.id; }, 5000));
  // The first refresh created the OpenGL values an installed driver is missing.
  const std::wstring openGL = std::wstring(kSimulatedDriverKey) + L"\\OpenGL";
  EXPECT_TRUE(WaitFor([&] { return ReadDword(HKEY_LOCAL_MACHINE, openGL.c_str(), L"OGLLODBias") == 3u; }, 5000));
  EXPECT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, openGL.c_str(), L"OGLTextureOpt").has_value());
}

TEST_F(ProgramEndToEnd, SecondStartWithoutParametersEndsSilently) {
  ASSERT_NE(MainWindow(), nullptr);
  Started second = Start(g_corvane, L"/simulate");
  ASSERT_NE(second.process, nullptr);
  EXPECT_EQ(WaitForExit(second.process, 30000), 0u);
  CloseHandle(second.process);
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
  EXPECT_TRUE(TrayIconPresent(MainWindow()));
  Sleep(1000);
  EXPECT_EQ(GetFileAttributesW(g_recordFile.c_str()), INVALID_FILE_ATTRIBUTES) << "a game was started";
}

TEST_F(ProgramEndToEnd, RightClickOnTheIconOpensTheTrayMenu) {
  const HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  SetCursorPos(760, 560);
  PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
  ASSERT_TRUE(WaitFor([] { return IsWindowVisible(FindWindowW(kPopupMenuClass, nullptr)) != FALSE; }, 10000))
      << "no menu";
  Sleep(700);  // painted
  EXPECT_TRUE(CaptureScreen(g_screenshot));
  // Cancelling the menu's owner ends the menu, as clicking elsewhere would.
  SendMessageW(FindWindowW(kMenuOwnerClass, nullptr), WM_CANCELMODE, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !IsWindowVisible(FindWindowW(kPopupMenuClass, nullptr)); }, 10000));
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

TEST_F(ProgramEndToEnd, ForcingDirect3DAntiAliasingInTheMenuWritesTheDriverAndTheTooltip) {
  const HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples"), L"4");
  // "Direct3D" is the second entry; its first submenu is anti-aliasing, whose third entry is 4x.
  ASSERT_TRUE(ChooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN})) << "no menu";
  const bool written =
      WaitFor([] { return ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples") == L"4"; }, 10000);
  CancelTrayMenu();
  ASSERT_TRUE(written) << "the choice did not reach the driver's key";
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAlias"), L"2");

  const std::optional<std::wstring> tip = TrayTip();
  ASSERT_TRUE(tip.has_value()) << "no tooltip over the tray icon";
  Sleep(300);
  CaptureScreen(Shots() + L"tray-tip.bmp");
  EXPECT_NE(tip->find(L"D3D AA:4 AF:0"), std::wstring::npos) << Narrow(*tip);
  SetCursorPos(760, 560);
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

TEST_F(ProgramEndToEnd, TheOverclockingDialogSetsTheCoreClockAndSavesAProfile) {
  const std::wstring shots = Shots();
  ASSERT_NE(MainWindow(), nullptr);
  RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kOverProfilesKey) + L"\\E2E 400").c_str());
  // "硬件" is the sixth entry; "超频设置..." opens first in it.
  ASSERT_TRUE(ChooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}));
  const HWND dialog = WaitForWindow([] { return FindWindowW(nullptr, L"超频"); });
  if (!dialog) CancelTrayMenu();
  ASSERT_NE(dialog, nullptr) << "the overclocking dialog did not open";

  // The core slider is the upper of the two on the first page; each step right is one MHz more.
  const HWND core = WaitForWindow([&] { return TopmostVisibleChild(dialog, TRACKBAR_CLASSW); });
  ASSERT_NE(core, nullptr);
  const LRESULT before = SendMessageW(core, TBM_GETPOS, 0, 0);
  for (int step = 0; step < 20; ++step) {
    SendMessageW(core, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(core, WM_KEYUP, VK_RIGHT, 0);
  }
  ASSERT_EQ(SendMessageW(core, TBM_GETPOS, 0, 0), before + 20);
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(shots + L"overclocking.bmp"));
  SendMessageW(WaitForWindow([&] { return ChildWithText(dialog, L"应用(&A)"); }), BM_CLICK, 0, 0);
  const std::wstring clocks = std::to_wstring(before + 20) + L":";
  EXPECT_EQ(SendMessageW(core, TBM_GETPOS, 0, 0), before + 20) << "the card runs at the new clock";
  // The simulated card keeps it, as a real one would until the machine is switched off.
  EXPECT_TRUE(WaitFor(
      [&] {
        const std::optional<double> kept = CoreClockInStateFile();
        return kept && std::fabs(*kept - static_cast<double>(before + 20)) <= 0.5;
      },
      5000))
      << Narrow(MachineStateFile()) << " does not hold the new core clock";
  g_appliedCoreClock = static_cast<long>(before + 20);

  // Saved on the profiles page under a new name.
  SendMessageW(ChildOfClass(dialog, WC_TABCONTROLW), TCM_SETCURFOCUS, 4, 0);
  PostMessageW(ChildWithText(dialog, L"另存(&S)"), BM_CLICK, 0, 0);
  const HWND nameDialog = WaitForWindow([] { return FindWindowW(nullptr, L"创建配置文件"); });
  ASSERT_NE(nameDialog, nullptr);
  const HWND nameEdit = WaitForWindow([&] { return ChildOfClass(nameDialog, L"Edit"); });
  ASSERT_NE(nameEdit, nullptr);
  SendMessageW(nameEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"E2E 400"));
  PostMessageW(WaitForWindow([&] { return ChildWithText(nameDialog, L"确定(&O)"); }), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"创建配置文件"); }, 10000));
  PostMessageW(ChildWithText(dialog, L"确定(&O)"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"超频"); }, 10000));

  HKEY profile = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kOverProfilesKey) + L"\\E2E 400").c_str(), 0, KEY_READ,
                          &profile),
            ERROR_SUCCESS);
  double vpu = 0;
  DWORD size = sizeof vpu;
  RegQueryValueExW(profile, L"vpu", nullptr, nullptr, reinterpret_cast<BYTE*>(&vpu), &size);
  RegCloseKey(profile);
  EXPECT_NEAR(vpu, static_cast<double>(before + 20), 1.0);

  const std::optional<std::wstring> tip = TrayTip();
  ASSERT_TRUE(tip.has_value());
  EXPECT_NE(tip->find(L"- " + clocks), std::wstring::npos) << Narrow(*tip);

  // The hardware menu lists the new profile, checked as the clocks in force.
  ASSERT_TRUE(ChooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}));
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"tray-hardware.bmp"));
  CancelTrayMenu();
  SetCursorPos(760, 560);
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

TEST_F(ProgramEndToEnd, TheDirect3DDialogFromTheTrayWritesWhatItsControlsShow) {
  ASSERT_NE(MainWindow(), nullptr);
  // "Direct3D" is the second entry; "设置..." is the last of its submenu.
  const HWND dialog = OpenSettingsDialog(2, L"Direct3D");
  ASSERT_NE(dialog, nullptr) << "the Direct3D dialog did not open";
  const HWND apply = WaitForWindow([&] { return ChildWithText(dialog, L"应用(&A)"); });
  ASSERT_NE(apply, nullptr);
  EXPECT_FALSE(IsWindowEnabled(apply)) << "nothing changed yet";

  // Anisotropy (the second list) 16x with trilinear quality; texture preference (the top
  // slider) moved all the way to the left.
  ChooseComboItem(dialog, ChildOfClass(dialog, L"ComboBox", 1), 4);
  const HWND trilinear = ChildWithText(dialog, L"质量(三线性)");
  ASSERT_NE(trilinear, nullptr);
  EXPECT_TRUE(IsWindowEnabled(trilinear));
  SendMessageW(trilinear, BM_CLICK, 0, 0);
  const HWND texture = TopmostVisibleChild(dialog, TRACKBAR_CLASSW);
  ASSERT_NE(texture, nullptr);
  PressKeyIn(texture, VK_LEFT, 3);
  EXPECT_EQ(SendMessageW(texture, TBM_GETPOS, 0, 0), 0);
  EXPECT_NE(ChildWithText(dialog, L"高性能"), nullptr) << "the slider's label follows it";
  EXPECT_TRUE(IsWindowEnabled(apply));
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(Shots() + L"d3d.bmp"));

  SendMessageW(apply, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(apply));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AnisoDegree"), L"16");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AnisoType"), L"0");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"TextureOpt"), L"3");
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples"), L"4") << "kept as it was";
  PostMessageW(ChildWithText(dialog, L"确定(&O)"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"Direct3D"); }, 10000));

  const std::optional<std::wstring> tip = TrayTip();
  ASSERT_TRUE(tip.has_value());
  EXPECT_NE(tip->find(L"D3D AA:4 AF:16"), std::wstring::npos) << Narrow(*tip);
  SetCursorPos(760, 560);
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

TEST_F(ProgramEndToEnd, TheOpenGLDialogFromTheTrayWritesTheOpenGLKey) {
  ASSERT_NE(MainWindow(), nullptr);
  const std::wstring openGLKey = std::wstring(kSimulatedDriverKey) + L"\\OpenGL";

  // "OpenGL" is the fourth entry.
  const HWND dialog = OpenSettingsDialog(4, L"OpenGL");
  ASSERT_NE(dialog, nullptr) << "the OpenGL dialog did not open";
  // Anti-aliasing (the first list) 6x, Z-buffer depth (the third) 24 bits.
  ChooseComboItem(dialog, ChildOfClass(dialog, L"ComboBox", 0), 3);
  ChooseComboItem(dialog, ChildOfClass(dialog, L"ComboBox", 2), 2);
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(Shots() + L"ogl.bmp"));
  SendMessageW(ChildWithText(dialog, L"应用(&A)"), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, openGLKey.c_str(), L"OGLFullSceneAAScale"), 6u);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, openGLKey.c_str(), L"OGLForceZBufferDepth"), 24u);
  PostMessageW(ChildWithText(dialog, L"取消"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"OpenGL"); }, 10000));
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

TEST_F(ProgramEndToEnd, SecondStartWithLoadGameMakesTheFirstStartTheGame) {
  ASSERT_NE(MainWindow(), nullptr);
  // The ampersand is left out when the profile is looked up.
  Started second = Start(g_corvane, L"/loadgame Rec&order /simulate");
  ASSERT_NE(second.process, nullptr);
  EXPECT_EQ(WaitForExit(second.process, 30000), 0u);
  CloseHandle(second.process);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kSettingsKey, L"RunProfile"), L"Rec&order");

  ASSERT_TRUE(WaitFor([] { return FileExists(g_recordFile); }, 20000))
      << "the game was not started";
  std::ifstream in(Narrow(g_recordFile));
  std::string commandLine, folder;
  std::getline(in, commandLine);
  std::getline(in, folder);
  EXPECT_NE(commandLine.find("alpha \"beta gamma\""), std::string::npos) << commandLine;
  EXPECT_EQ(CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, Widen(folder.c_str()).c_str(), -1,
                           FolderOf(g_recordArgs).c_str(), -1),
            CSTR_EQUAL)
      << folder;
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

// Where the tray's game submenu lists a profile: after "管理配置", the stored profiles in
// the order the program sorts them (ASCII letters without case). Nothing when not stored.
std::optional<int> GameMenuPosition(const std::wstring& profile) {
  HKEY games = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Games", 0, KEY_READ, &games) !=
      ERROR_SUCCESS)
    return std::nullopt;
  std::vector<std::wstring> names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(games, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  RegCloseKey(games);
  auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
  std::stable_sort(names.begin(), names.end(), [&](const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](wchar_t x, wchar_t y) { return lower(x) < lower(y); });
  });
  auto found = std::find(names.begin(), names.end(), profile);
  if (found == names.end()) return std::nullopt;
  return static_cast<int>(found - names.begin()) + 1;
}

// The game the tray or a link started wrote its command line and folder; both are checked.
void ExpectGameStartedInItsFolder(const char* parameters) {
  ASSERT_TRUE(WaitFor([] { return FileExists(g_recordFile); }, 30000))
      << "the game was not started";
  std::ifstream in(Narrow(g_recordFile));
  std::string commandLine, folder;
  std::getline(in, commandLine);
  std::getline(in, folder);
  EXPECT_NE(commandLine.find(parameters), std::string::npos) << commandLine;
  EXPECT_EQ(CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, Widen(folder.c_str()).c_str(), -1,
                           FolderOf(g_recordArgs).c_str(), -1),
            CSTR_EQUAL)
      << folder;
}

TEST_F(ProgramEndToEnd, AGameProfileMadeInTheEditorIsInTheMenuAndItsDesktopLinkStartsTheGame) {
  ASSERT_NE(MainWindow(), nullptr);
  const std::wstring key = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Games\\E2E Game";
  SHDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
  wchar_t desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::wstring link = std::wstring(desktop) + L"\\E2E Game.lnk";
  DeleteFileW(link.c_str());

  // "游戏配置" is the first entry; "管理配置" the first of its submenu.
  ASSERT_TRUE(ChooseFromTrayMenu({VK_DOWN, VK_RIGHT, VK_RETURN}));
  const HWND dialog = WaitForWindow([] { return FindWindowW(nullptr, L"游戏配置管理"); });
  if (!dialog) CancelTrayMenu();
  ASSERT_NE(dialog, nullptr) << "the game profile editor did not open";
  // Name, game and parameters are the dialog's first three edit fields.
  const HWND name = WaitForWindow([&] { return ChildOfClass(dialog, L"Edit", 0); });
  ASSERT_NE(name, nullptr);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"E2E Game"));
  SendMessageW(ChildOfClass(dialog, L"Edit", 1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(g_recordArgs.c_str()));
  SendMessageW(ChildOfClass(dialog, L"Edit", 2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from the link"));
  SendMessageW(ChildWithText(dialog, L"保存(&A)"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return ReadString(HKEY_CURRENT_USER, key.c_str(), L"File") == g_recordArgs; }, 10000));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key.c_str(), L"File_Params"), L"from the link");
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, key.c_str(), L"UseOver"), 0u);
  SendMessageW(ChildWithText(dialog, L"创建桌面快捷方式"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return FileExists(link); }, 10000))
      << "no link on the desktop";
  Sleep(300);
  EXPECT_TRUE(CaptureScreen(Shots() + L"games.bmp"));
  PostMessageW(ChildWithText(dialog, L"关闭"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"游戏配置管理"); }, 10000));

  // The tray's game submenu lists it; choosing it starts the game.
  const std::optional<int> position = GameMenuPosition(L"E2E Game");
  ASSERT_TRUE(position.has_value());
  DeleteFileW(g_recordFile.c_str());
  std::vector<WORD> keys{VK_DOWN, VK_RIGHT};
  keys.insert(keys.end(), static_cast<size_t>(*position), VK_DOWN);
  ASSERT_TRUE(ChooseFromTrayMenu({}));
  for (WORD key : keys) PressKey(key);
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(Shots() + L"tray-games.bmp"));
  PressKey(VK_RETURN);
  ExpectGameStartedInItsFolder("from the link");

  // Opening the link is a second start with "/loadgame": the first instance starts the
  // game, in its folder.
  DeleteFileW(g_recordFile.c_str());
  const HINSTANCE opened = ShellExecuteW(nullptr, L"open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  EXPECT_GT(reinterpret_cast<INT_PTR>(opened), 32);
  ExpectGameStartedInItsFolder("from the link");
  DeleteFileW(link.c_str());
  EXPECT_FALSE(WaitForExit(g_first.process, 0).has_value());
}

TEST_F(ProgramEndToEnd, CloseEndsTheProgramWithItsSettingsSaved) {
  const HWND window = MainWindow();
  ASSERT_NE(window, nullptr);
  // Written back by the settings store as the main form goes.
  DeleteValue(kSettingsKey, L"ShowDDR");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(g_first.process, 30000), 0u);
  EXPECT_EQ(MainWindow(), nullptr);
  EXPECT_FALSE(TrayIconPresent(window));
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"ShowDDR"), 0u);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"Proc_ID"), g_first.id);
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"LastDeviceID"), 0x4E48u);
  // The driver wrote its configuration records into its key as the program closed.
  HKEY driver = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, 0, KEY_READ, &driver), ERROR_SUCCESS);
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExW(driver, L"DisplayLayout", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  RegCloseKey(driver);
}

// A fresh start with a colour profile chosen for start-up: the colour dialog opens on its
// values (curve captured), and the resolution menu switches the simulated desktop, whose
// unconfirmed change comes back.
TEST_F(ProgramEndToEnd, StartUpColourProfileAndAnUnconfirmedResolutionSwitch) {
  const std::wstring shots = Shots();
  ASSERT_EQ(MainWindow(), nullptr);
  const std::wstring colors = std::wstring(kSettingsKey) + L"\\Profiles\\colors";
  const HKEY profiles = CreateKey(colors.c_str());
  ASSERT_NE(profiles, nullptr);
  int32_t values[9] = {12, 0, 0, 0, 0, 60, 0, -20, 0};  // red gamma, green brightness, blue contrast
  RegSetValueExW(profiles, L"E2E 夜间", 0, REG_BINARY, reinterpret_cast<const BYTE*>(values), sizeof values);
  RegCloseKey(profiles);
  const HKEY settings = CreateKey(kSettingsKey);
  ASSERT_NE(settings, nullptr);
  WriteDword(settings, L"LoadColor", 1);
  WriteString(settings, L"LoadColorProfile", L"E2E 夜间");
  for (const wchar_t* name : {L"ROVEnabled", L"res_dont_ask_rate", L"res_dont_wait"})
    WriteDword(settings, name, 0);
  RegCloseKey(settings);
  SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSimulatedVideoKey);

  if (g_first.process) CloseHandle(g_first.process);
  g_first = Start(g_corvane, L"/simulate");
  ASSERT_NE(g_first.process, nullptr);
  ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "no main window";
  ASSERT_TRUE(WaitFor([] { return ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"Proc_ID") == g_first.id; }, 10000));

  // "颜色" is the tenth entry; "设置" opens first in it.
  ASSERT_TRUE(ChooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
                                  VK_DOWN, VK_RIGHT, VK_RETURN}));
  const HWND colorDialog = WaitForWindow([] { return FindWindowW(nullptr, L"颜色调整"); });
  if (!colorDialog) CancelTrayMenu();
  ASSERT_NE(colorDialog, nullptr) << "the colour dialog did not open";
  // The channels differ, so red's values show: gamma 12 is a factor of 3.40.
  const HWND gamma = WaitForWindow([&] { return ChildOfClass(colorDialog, TRACKBAR_CLASSW, 2); });
  ASSERT_NE(gamma, nullptr);
  EXPECT_EQ(SendMessageW(gamma, TBM_GETPOS, 0, 0), 12);
  EXPECT_NE(ChildWithText(colorDialog, L"3.40"), nullptr);
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"color.bmp"));
  PostMessageW(ChildWithText(colorDialog, L"取消"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"颜色调整"); }, 10000));

  // A left click opens the resolution menu: "32 bpp", then 800x600 below 640x480.
  ASSERT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"DefaultSettings.XResolution"), 1024u);
  SetCursorPos(760, 560);
  PostMessageW(MainWindow(), kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
  ASSERT_TRUE(WaitFor(MenuOpen, 10000)) << "no resolution menu";
  Sleep(500);
  for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN}) PressKey(key);
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"tray-resolution.bmp"));
  PressKey(VK_RETURN);
  const HWND rates = WaitForWindow([] { return FindWindowW(nullptr, L"选择刷新率"); });
  if (!rates) CancelTrayMenu();
  ASSERT_NE(rates, nullptr) << "no refresh-rate choice";
  PostMessageW(WaitForWindow([&] { return ChildWithText(rates, L"确定(&O)"); }), BM_CLICK, 0, 0);

  const HWND check = WaitForWindow([] { return FindWindowW(nullptr, L"正在检测分辨率"); });
  ASSERT_NE(check, nullptr) << "no confirmation";
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"DefaultSettings.XResolution"), 800u);
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"DefaultSettings.VRefresh"), 85u);
  PostMessageW(WaitForWindow([&] { return ChildWithText(check, L"取消"); }), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"正在检测分辨率"); }, 10000));
  EXPECT_TRUE(WaitFor(
      [] { return ReadDword(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"DefaultSettings.XResolution") == 1024u; },
      10000))
      << "the fall-back mode did not come back";
  EXPECT_EQ(ReadDword(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"DefaultSettings.BitsPerPel"), 32u);

  // "锁定刷新率" is the eighth entry; "自定义..." is second in it. The table filled, captured,
  // and left unsaved.
  ASSERT_TRUE(ChooseFromTrayMenu({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT,
                                  VK_DOWN, VK_RETURN}));
  const HWND lock = WaitForWindow([] { return FindWindowW(nullptr, L"定制锁定刷新率"); });
  if (!lock) CancelTrayMenu();
  ASSERT_NE(lock, nullptr) << "the refresh-rate lock dialog did not open";
  SendMessageW(WaitForWindow([&] { return ChildWithText(lock, L"为所有分辨率添加支持的最大刷新率"); }), BM_CLICK, 0, 0);
  EXPECT_GT(SendMessageW(ChildOfClass(lock, L"ListBox"), LB_GETCOUNT, 0, 0), 0);
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"reflock.bmp"));
  PostMessageW(ChildWithText(lock, L"取消"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"定制锁定刷新率"); }, 10000));

  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(g_first.process, 30000), 0u);
  // What this test added goes again.
  DeleteValue(kSettingsKey, L"LoadColor");
  DeleteValue(kSettingsKey, L"LoadColorProfile");
  DeleteValue(colors.c_str(), L"E2E 夜间");
}

// With the newer driver storage the Direct3D dialog is "3D Settings" with a third page.
// Runs after the first instance has ended: the storage is read at start-up.
TEST_F(ProgramEndToEnd, WithTheNewerDriverStorageTheDialogIsThe3DSettings) {
  ASSERT_EQ(MainWindow(), nullptr);
  HKEY driver = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, 0, KEY_SET_VALUE, &driver), ERROR_SUCCESS);
  WriteString(driver, L"ACE", L"1");
  if (g_first.process) CloseHandle(g_first.process);
  g_first = Start(g_corvane, L"/simulate");
  ASSERT_NE(g_first.process, nullptr);
  const bool started = WaitFor([] { return MainWindow() != nullptr && TrayIconPresent(MainWindow()); }, 30000);
  HWND dialog = started ? OpenSettingsDialog(2, L"3D Settings") : nullptr;
  EXPECT_NE(dialog, nullptr) << "the 3D Settings dialog did not open";
  if (dialog) {
    const HWND tabs = ChildOfClass(dialog, WC_TABCONTROLW);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    Sleep(300);
    EXPECT_TRUE(CaptureScreen(Shots() + L"d3d-acemode.bmp"));
    PostMessageW(ChildWithText(dialog, L"取消"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([] { return !FindWindowW(nullptr, L"3D Settings"); }, 10000));
  }
  RegDeleteValueW(driver, L"ACE");
  RegCloseKey(driver);
  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(g_first.process, 30000), 0u);
}

TEST_F(ProgramEndToEnd, StartedAgainTheCardStillRunsTheClockTheDialogApplied) {
  ASSERT_NE(g_appliedCoreClock, 0) << "the overclocking dialog applied no clock";
  ASSERT_EQ(MainWindow(), nullptr);
  Started again = Start(g_corvane, L"/simulate");
  ASSERT_NE(again.process, nullptr);
  const bool started = WaitFor([] { return MainWindow() != nullptr && TrayIconPresent(MainWindow()); }, 30000);
  const std::optional<std::wstring> tip = started ? TrayTip() : std::nullopt;
  SetCursorPos(760, 560);
  if (HWND window = MainWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(again.process, 30000), 0u);
  if (!WaitForExit(again.process, 0)) TerminateProcess(again.process, 1);
  CloseHandle(again.process);
  ASSERT_TRUE(started) << "no main window with its tray icon";
  ASSERT_TRUE(tip.has_value()) << "no tooltip over the tray icon";
  EXPECT_NE(tip->find(L"- " + std::to_wstring(g_appliedCoreClock) + L":"), std::wstring::npos) << Narrow(*tip);
}

// The display mask of controller `index` as the state file keeps the simulated driver's
// ("controller 1 1280 1024 60 2"), or nothing.
std::optional<unsigned long> ControllerDisplaysInStateFile(int index) {
  std::istringstream in(ReadWholeFile(MachineStateFile()));
  // Built piece by piece: GCC 12 warns falsely (-Wrestrict) on "a" + b + "c".
  std::string prefix = "controller ";
  prefix += std::to_string(index);
  prefix += ' ';
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(prefix, 0) != 0) continue;
    const size_t last = line.find_last_of(' ');
    return std::strtoul(line.c_str() + last + 1, nullptr, 16);
  }
  return std::nullopt;
}

bool ControllersAre(unsigned long first, unsigned long second) {
  return WaitFor([&] { return ControllerDisplaysInStateFile(0) == first && ControllerDisplaysInStateFile(1) == second; },
                 10000);
}

// "显示" is the twelfth entry of the tray menu.
constexpr int kDisplayMenuDowns = 12;

std::vector<WORD> DisplayMenuKeys(std::initializer_list<WORD> inSubmenu) {
  std::vector<WORD> keys(kDisplayMenuDowns, VK_DOWN);
  keys.push_back(VK_RIGHT);
  keys.insert(keys.end(), inSubmenu);
  return keys;
}

bool ChooseFromDisplayMenu(std::initializer_list<WORD> inSubmenu) {
  return ChooseFromTrayMenu(DisplayMenuKeys(inSubmenu));
}

// The Displays dialog shows the simulated monitors and TV; a layout applied there, and a
// display profile applied from the tray menu, reach the simulated driver's controllers.
TEST_F(ProgramEndToEnd, TheDisplaysDialogAndADisplayProfileReachTheSimulatedControllers) {
  const std::wstring shots = Shots();
  ASSERT_EQ(MainWindow(), nullptr);
  const std::wstring profile = std::wstring(kSettingsKey) + L"\\Profiles\\Display\\E2E 双屏";
  const HKEY key = CreateKey(profile.c_str());
  ASSERT_NE(key, nullptr);
  const DWORD first = 1, dvi = 2;
  WriteDword(key, L"c0_ed", first);
  WriteDword(key, L"c1_ed", dvi);
  RegCloseKey(key);

  if (g_first.process) CloseHandle(g_first.process);
  g_first = Start(g_corvane, L"/simulate");
  ASSERT_NE(g_first.process, nullptr);
  ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "no main window";
  ASSERT_TRUE(WaitFor([] { return ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"Proc_ID") == g_first.id; }, 10000));

  // "默认单一显示" first: the first monitor alone, whatever earlier runs left.
  ASSERT_TRUE(ChooseFromDisplayMenu({VK_UP, VK_UP, VK_RETURN}));
  EXPECT_TRUE(ControllersAre(1, 0)) << "the single display did not reach the driver";

  ASSERT_TRUE(ChooseFromDisplayMenu({VK_RETURN}));
  const HWND dialog = WaitForWindow([] { return FindWindowW(L"CorvaneForm", L"显示"); });
  if (!dialog) CancelTrayMenu();
  ASSERT_NE(dialog, nullptr) << "the Displays dialog did not open";
  EXPECT_NE(ChildWithText(dialog, L"最大水平分辨率 1600"), nullptr);
  EXPECT_NE(ChildWithText(dialog, L"已连接.", 2), nullptr) << "two monitors and a TV are connected";
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"displays.bmp"));

  // The DVI monitor switched on and applied; then the TV as the clone.
  SendMessageW(ChildWithText(dialog, L"电源", 1), BM_CLICK, 0, 0);
  SendMessageW(ChildWithText(dialog, L"应用(&A)"), BM_CLICK, 0, 0);
  EXPECT_TRUE(ControllersAre(1, 2)) << "the layout applied in the dialog did not reach the driver";
  SendMessageW(ChildWithText(dialog, L"电源", 2), BM_CLICK, 0, 0);
  SendMessageW(ChildWithText(dialog, L"应用(&A)"), BM_CLICK, 0, 0);
  EXPECT_TRUE(ControllersAre(1, 8));

  // With the TV output active its page opens.
  SendMessageW(ChildOfClass(dialog, WC_TABCONTROLW), TCM_SETCURFOCUS, 1, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(ChildWithText(dialog, L"覆盖扫描")) != FALSE; }, 5000));
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"displays-tv.bmp"));
  SendMessageW(ChildOfClass(dialog, WC_TABCONTROLW), TCM_SETCURFOCUS, 0, 0);

  PostMessageW(ChildWithText(dialog, L"高级选项"), BM_CLICK, 0, 0);
  const HWND prop = WaitForWindow([] { return FindWindowW(L"CorvaneForm", L"显示属性"); });
  ASSERT_NE(prop, nullptr) << "the monitor's properties did not open";
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"display-prop.bmp"));
  PostMessageW(ChildWithText(prop, L"取消"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(L"CorvaneForm", L"显示属性"); }, 10000));
  PostMessageW(ChildWithText(dialog, L"确定(&O)"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(L"CorvaneForm", L"显示"); }, 10000));

  // The profile is the last item of "显示".
  ASSERT_TRUE(ChooseFromDisplayMenu({VK_UP, VK_RETURN}));
  EXPECT_TRUE(ControllersAre(1, 2)) << "the display profile did not reach the driver";

  // "覆盖调整..." is second in "显示".
  ASSERT_TRUE(ChooseFromDisplayMenu({VK_DOWN, VK_RETURN}));
  const HWND overlay = WaitForWindow([] { return FindWindowW(L"CorvaneForm", L"覆盖调整"); });
  if (!overlay) CancelTrayMenu();
  ASSERT_NE(overlay, nullptr) << "the overlay dialog did not open";
  EXPECT_NE(ChildWithText(overlay, L"250"), nullptr) << "the gamma row shows the driver's maximum";
  Sleep(500);
  EXPECT_TRUE(CaptureScreen(shots + L"overlay.bmp"));
  PostMessageW(ChildWithText(overlay, L"取消"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return !FindWindowW(L"CorvaneForm", L"覆盖调整"); }, 10000));

  PostMessageW(MainWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForExit(g_first.process, 30000), 0u);
  SHDeleteKeyW(HKEY_CURRENT_USER, profile.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s corvane.exe record_args.exe screenshot.bmp\n", argv[0]);
    return 2;
  }
  g_corvane = Widen(argv[1]);
  g_recordArgs = Widen(argv[2]);
  g_screenshot = Widen(argv[3]);
  g_recordFile = g_screenshot + L".args.txt";
  return RUN_ALL_TESTS();
}
