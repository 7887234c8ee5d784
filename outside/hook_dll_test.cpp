// The three hook libraries loaded as the program loads them, with this test standing in
// for the program: it creates the report mappings and events, installs the hook and reads
// what arrives. The keyboard and refresh-rate hooks act on this very process; the
// application hook is watched in a small OpenGL program the test starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "outside/hook_shell/import_patch.h"

namespace {

std::wstring WindowsPath(std::string path) {
  std::wstring wide(path.begin(), path.end());
  if (!wide.empty() && wide.front() == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
  return wide;
}

const std::wstring kProfiles = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\";

// A value under the program's profiles, removed again when the test ends.
class StoredValue {
 public:
  StoredValue(const std::wstring& key, std::wstring name, DWORD type, const void* data, DWORD size)
      : key_(kProfiles + key), name_(std::move(name)) {
    HKEY handle = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    RegSetValueExW(handle, name_.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
  }
  static StoredValue Hotkey(WORD code, const std::wstring& data) {
    return StoredValue(L"keys", L"s_" + std::to_wstring(code), REG_SZ, data.c_str(),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
  ~StoredValue() {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    RegDeleteValueW(handle, name_.c_str());
    RegCloseKey(handle);
  }

 private:
  std::wstring key_, name_;
};

// The program's side of a report channel: the mapping and manual-reset events it creates.
struct ProgramSide {
  ProgramSide(const wchar_t* mappingName, std::vector<const wchar_t*> eventNames) {
    mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 512, mappingName);
    view = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 512));
    for (const wchar_t* name : eventNames) events.push_back(CreateEventW(nullptr, TRUE, FALSE, name));
  }
  ~ProgramSide() {
    for (HANDLE event : events) CloseHandle(event);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
  }
  uint32_t Dword(size_t offset) const {
    uint32_t value = 0;
    std::memcpy(&value, view + offset, 4);
    return value;
  }
  HANDLE mapping = nullptr;
  BYTE* view = nullptr;
  std::vector<HANDLE> events;
};

class Library {
 public:
  explicit Library(const char* path) : module_(LoadLibraryW(WindowsPath(path).c_str())) {}
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  HMODULE get() const { return module_; }
  void Call(const char* entry) const {
    auto function = reinterpret_cast<void(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(module_, entry)));
    ASSERT_NE(function, nullptr) << entry << " exported undecorated";
    function();
  }

 private:
  HMODULE module_;
};

// --- kbdhook.dll -----------------------------------------------------------------------

std::vector<WPARAM> g_keysSeen;

LRESULT CALLBACK RecordKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) g_keysSeen.push_back(wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A focused window that records the keys it gets.
class KeyTarget {
 public:
  KeyTarget() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RecordKeys;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CorvaneKeyTarget";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window_);
    SetFocus(window_);
    g_keysSeen.clear();
  }
  ~KeyTarget() { DestroyWindow(window_); }

 private:
  HWND window_;
};

void Press(std::vector<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Runs this thread's messages (the hook is called from them) until `event` is set, for a
// bounded number of rounds.
bool PumpUntil(HANDLE event, int rounds = 40) {
  for (int round = 0; round < rounds; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) return true;
    MsgWaitForMultipleObjects(1, &event, FALSE, 50, QS_ALLINPUT);
  }
  return false;
}

constexpr WORD kCtrlShift = 0x6000;

TEST(KbdHook, ReportsStoredCombinationsAndLetsOthersThrough) {
  ProgramSide program(L"CORVANE_KBD", {L"QRXKBDMonEvent"});
  StoredValue bound = StoredValue::Hotkey(kCtrlShift + VK_F11, L"4:");
  StoredValue broken = StoredValue::Hotkey(kCtrlShift + VK_F9, L"77:");  // no such action
  Library library(CORVANE_KBDHOOK_DLL);
  ASSERT_NE(library.get(), nullptr);
  library.Call("InstallKBDHook");
  KeyTarget target;

  struct Case {
    std::vector<WORD> keys;
    bool reported;
  } cases[] = {
      {{VK_CONTROL, VK_SHIFT, VK_F11}, true},
      {{VK_CONTROL, VK_F11}, false},
      {{VK_F11}, false},
      {{VK_CONTROL, VK_SHIFT, VK_F9}, false},
  };
  for (const Case& c : cases) {
    ResetEvent(program.events[0]);
    std::memset(program.view, 0, 8);
    g_keysSeen.clear();
    Press(c.keys);
    const bool reported = PumpUntil(program.events[0], c.reported ? 40 : 4);
    const WORD key = c.keys.back();
    EXPECT_EQ(reported, c.reported) << key;
    if (c.reported) {
      EXPECT_EQ(program.Dword(0), 1u) << "pending";
      EXPECT_EQ(program.Dword(4) & 0xFFFF, kCtrlShift + key);
    }
    const bool windowGotKey = std::find(g_keysSeen.begin(), g_keysSeen.end(), key) != g_keysSeen.end();
    EXPECT_EQ(windowGotKey, !c.reported) << key;
  }
  library.Call("UninstallKBDHook");
}

TEST(KbdHook, PicksUpAnEditedTableWithoutReinstalling) {
  ProgramSide program(L"CORVANE_KBD", {L"QRXKBDMonEvent"});
  Library library(CORVANE_KBDHOOK_DLL);
  library.Call("InstallKBDHook");
  KeyTarget target;
  StoredValue added = StoredValue::Hotkey(kCtrlShift + VK_F10, L"5:");
  // The change arrives through the registry's notification on another thread: the
  // combination is sent until it is reported, a bounded number of times.
  bool reported = false;
  for (int attempt = 0; attempt < 20 && !reported; ++attempt) {
    Press({VK_CONTROL, VK_SHIFT, VK_F10});
    reported = PumpUntil(program.events[0], 5);
  }
  EXPECT_TRUE(reported);
  EXPECT_EQ(program.Dword(4) & 0xFFFF, kCtrlShift + VK_F10);
  library.Call("UninstallKBDHook");
}

// --- rovhook.dll -----------------------------------------------------------------------

// What reached the system's mode-change call: this test's own import of it is redirected
// here before the hook library redirects it again, so the library passes its request on
// to this recorder.
std::vector<DEVMODEW> g_modeRequests;
LONG g_modeAnswer = DISP_CHANGE_SUCCESSFUL;
void* volatile g_systemChange = nullptr;

LONG WINAPI RecordModeChange(LPCWSTR, DEVMODEW* mode, HWND, DWORD, LPVOID) {
  if (mode) g_modeRequests.push_back(*mode);
  return mode && mode->dmDisplayFrequency == 72 ? g_modeAnswer : DISP_CHANGE_SUCCESSFUL;
}

DEVMODEW Mode(DWORD width, DWORD height, DWORD bits, DWORD rate, DWORD fields) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = bits;
  mode.dmDisplayFrequency = rate;
  mode.dmFields = fields;
  return mode;
}

void TouchWindows() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(window);
}

TEST(RovHook, ALockedResolutionReachesTheSystemWithTheLockedRate) {
  const DWORD locked = 72;
  StoredValue lock(L"ROV", L"640x480x32", REG_DWORD, &locked, sizeof locked);
  const corvane::outside::ImportHook recorder{"user32.dll", "ChangeDisplaySettingsExW",
                                              reinterpret_cast<void*>(&RecordModeChange), &g_systemChange};
  ASSERT_GT(corvane::outside::PatchLoadedModules(nullptr, &recorder, 1), 0);
  Library library(CORVANE_ROVHOOK_DLL);
  ASSERT_NE(library.get(), nullptr);
  library.Call("InstallROVHook");
  TouchWindows();  // the hook's first call in this process

  constexpr DWORD all = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  struct Case {
    DEVMODEW asked;
    LONG answer;
    std::vector<DWORD> ratesSent;
  } cases[] = {
      {Mode(640, 480, 32, 60, all | DM_DISPLAYFREQUENCY), DISP_CHANGE_SUCCESSFUL, {72}},
      {Mode(640, 480, 32, 0, all), DISP_CHANGE_SUCCESSFUL, {72}},
      {Mode(800, 600, 32, 60, all | DM_DISPLAYFREQUENCY), DISP_CHANGE_SUCCESSFUL, {60}},
      // A locked rate the display refuses: the program still gets the mode it asked for.
      {Mode(640, 480, 32, 60, all | DM_DISPLAYFREQUENCY), DISP_CHANGE_BADMODE, {72, 60}},
  };
  for (const Case& c : cases) {
    g_modeRequests.clear();
    g_modeAnswer = c.answer;
    DEVMODEW asked = c.asked;
    EXPECT_EQ(ChangeDisplaySettingsExW(nullptr, &asked, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
    std::vector<DWORD> sent;
    for (const DEVMODEW& request : g_modeRequests) {
      sent.push_back(request.dmDisplayFrequency);
      EXPECT_TRUE(request.dmFields & DM_DISPLAYFREQUENCY || request.dmDisplayFrequency == 0);
    }
    EXPECT_EQ(sent, c.ratesSent) << c.asked.dmPelsWidth;
    EXPECT_EQ(asked.dmDisplayFrequency, c.asked.dmDisplayFrequency) << "the program's own record is untouched";
  }

  library.Call("UninstallROVHook");
  g_modeRequests.clear();
  DEVMODEW asked = Mode(640, 480, 32, 60, all | DM_DISPLAYFREQUENCY);
  ChangeDisplaySettingsExW(nullptr, &asked, nullptr, CDS_TEST, nullptr);
  ASSERT_EQ(g_modeRequests.size(), 1u);
  EXPECT_EQ(g_modeRequests[0].dmDisplayFrequency, 60u) << "no lock once uninstalled";
}

// --- raphook.dll -----------------------------------------------------------------------

struct AppReportSeen {
  std::string executable;
  uint32_t processId, uses3D, deviceReport;
};

PROCESS_INFORMATION StartProbe() {
  std::wstring command = L"\"" + WindowsPath(CORVANE_GL_PROBE_EXE) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  return process;
}

TEST(RapHook, AProgramThatCreatesAnOpenGLContextIsReportedTwice) {
  ProgramSide program(L"CORVANE_CBT", {L"QRXAppMonEvent", L"QRXAppMonEvent_end"});
  Library library(CORVANE_RAPHOOK_DLL);
  ASSERT_NE(library.get(), nullptr);
  library.Call("InstallAPPHook");
  PROCESS_INFORMATION probe = StartProbe();
  ASSERT_NE(probe.hProcess, nullptr);

  std::vector<AppReportSeen> reports;
  for (int round = 0; round < 40 && (reports.empty() || !reports.back().deviceReport); ++round) {
    if (!PumpUntil(program.events[0], 10)) continue;
    ResetEvent(program.events[0]);
    const AppReportSeen seen{std::string(reinterpret_cast<const char*>(program.view), strnlen(
                                 reinterpret_cast<const char*>(program.view), 256)),
                             program.Dword(256), program.Dword(260), program.Dword(264)};
    if (seen.processId == probe.dwProcessId) reports.push_back(seen);
    SetEvent(program.events[1]);
  }
  library.Call("UninstallAPPHook");
  EXPECT_EQ(WaitForSingleObject(probe.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(probe.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u) << "the probe created its context";
  CloseHandle(probe.hThread);
  CloseHandle(probe.hProcess);

  ASSERT_EQ(reports.size(), 2u);
  std::string executable = reports[0].executable;
  for (char& c : executable) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(executable.ends_with("\\GL_PROBE.EXE")) << reports[0].executable;
  EXPECT_EQ(reports[0].uses3D, 1u) << "opengl32 is loaded";
  EXPECT_EQ(reports[0].deviceReport, 0u);
  EXPECT_EQ(reports[1].deviceReport, 1u);
}

TEST(RapHook, AProgramThatNeverAnswersDoesNotHoldTheWatchedProgram) {
  ProgramSide program(L"CORVANE_CBT", {L"QRXAppMonEvent", L"QRXAppMonEvent_end"});
  Library library(CORVANE_RAPHOOK_DLL);
  library.Call("InstallAPPHook");
  PROCESS_INFORMATION probe = StartProbe();
  ASSERT_NE(probe.hProcess, nullptr);
  // Nobody sets "QRXAppMonEvent_end"; the probe still runs to its end.
  EXPECT_EQ(WaitForSingleObject(probe.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exitCode = 99;
  GetExitCodeProcess(probe.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(probe.hThread);
  CloseHandle(probe.hProcess);
  library.Call("UninstallAPPHook");
}

}  // namespace
