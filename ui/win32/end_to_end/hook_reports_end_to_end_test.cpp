// corvane.exe on the simulated card with this test playing the hook libraries: it writes
// reports into the program's mappings and sets the events the hooks set. A key report
// runs the action bound to the key (a program started with its parameters, which it
// records); a start report of a running game that has a profile puts the profile's
// Direct3D settings into the driver's key while the game runs, and they are back after,
// also when the program was killed meanwhile and started again.
//
// Arguments: corvane.exe, record_args.exe, a scratch folder.

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "end_to_end_support.h"

namespace {

using namespace end_to_end;

constexpr wchar_t kKeysKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\keys";
constexpr wchar_t kGameKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\Games\\HookGame";
constexpr wchar_t kD3DProfileKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\d3d\\HookGame";
// Ctrl+Shift+K as the hotkey table stores it.
constexpr uint16_t kHotkey = 0x4000 + 0x2000 + 'K';
constexpr DWORD kMappingSize = 512;

std::wstring g_corvane;
std::wstring g_recordArgs;
std::wstring g_scratch;
HANDLE g_program = nullptr;

std::string Ansi(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

void SetDriverText(const wchar_t* name, const std::wstring& text) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  WriteString(key, name, text);
  RegCloseKey(key);
}

// The hook's side of a report: the mapping written, then the event set.
bool WriteReport(const wchar_t* mappingName, const wchar_t* eventName, const void* bytes, size_t size) {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, mappingName);
  if (!mapping) return false;
  void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kMappingSize);
  if (view) {
    std::memset(view, 0, kMappingSize);
    std::memcpy(view, bytes, size);
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, eventName);
  if (!event) return false;
  SetEvent(event);
  CloseHandle(event);
  return view != nullptr;
}

std::optional<DWORD> KeyPending() {
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, L"CORVANE_KBD");
  if (!mapping) return std::nullopt;
  std::optional<DWORD> pending;
  if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kMappingSize)) {
    DWORD value = 0;
    std::memcpy(&value, view, sizeof value);
    pending = value;
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return pending;
}

// record_args.exe, running until the hold file goes.
Started StartGame(const std::wstring& holdFile) {
  HANDLE hold = CreateFileW(holdFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (hold == INVALID_HANDLE_VALUE) return {};
  CloseHandle(hold);
  SetEnvironmentVariableW(L"CORVANE_RECORD_ARGS_HOLD", holdFile.c_str());
  std::wstring commandLine = L"\"" + g_recordArgs + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const BOOL started =
      CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  SetEnvironmentVariableW(L"CORVANE_RECORD_ARGS_HOLD", nullptr);
  if (!started) return {};
  CloseHandle(info.hThread);
  return {info.hProcess, info.dwProcessId};
}

// The hook's start report for `game`; true once the program has handled it.
bool ReportGameStart(const Started& game) {
  unsigned char report[268] = {};
  const std::string file = Ansi(g_recordArgs);
  if (file.size() >= 256) return false;
  std::memcpy(report, file.data(), file.size());
  std::memcpy(report + 256, &game.id, 4);
  HANDLE handled = OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, L"QRXAppMonEvent_end");
  if (!handled) return false;
  ResetEvent(handled);
  const bool done = WriteReport(L"CORVANE_CBT", L"QRXAppMonEvent", report, sizeof report) &&
                    WaitForSingleObject(handled, 20000) == WAIT_OBJECT_0;
  CloseHandle(handled);
  return done;
}

// The game's Direct3D value in the simulated driver's key reaching `samples`.
bool WaitForSamples(const wchar_t* samples, int ms) {
  return WaitFor([&] { return ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples") == samples; }, ms);
}

// Where the program the hotkey starts records how it was started.
std::wstring RecordFile() { return g_scratch + L"\\hotkey-args.txt"; }

class HookReportsEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // What the tests find in force: the hotkey, the game profile and its 3D profile.
    WriteString(kKeysKey, (L"s_" + std::to_wstring(kHotkey)).c_str(), L"3:" + g_recordArgs + L"*hooked \"key 7\"");
    WriteString(kGameKey, L"File", g_recordArgs);
    WriteDword(kGameKey, L"UseD3D", 1);
    WriteString(kGameKey, L"D3DName", L"HookGame");
    WriteDword(kGameKey, L"RestoreD3D", 1);
    WriteString(kD3DProfileKey, L"AntiAlias", L"2");
    WriteString(kD3DProfileKey, L"AntiAliasSamples", L"4");
    // Inherited by the program, and from it by what it starts.
    DeleteFileW(RecordFile().c_str());
    SetEnvironmentVariableW(L"CORVANE_RECORD_ARGS_FILE", RecordFile().c_str());

    g_program = Start(g_corvane, L"/simulate").process;
    if (!g_program) return;
    WaitFor([] { return MainWindow() != nullptr; }, 30000);
  }
  static void TearDownTestSuite() {
    CloseProgram(g_program, 20000);
    DeleteValue(kKeysKey, (L"s_" + std::to_wstring(kHotkey)).c_str());
    SHDeleteKeyW(HKEY_CURRENT_USER, kGameKey);
    SHDeleteKeyW(HKEY_CURRENT_USER, kD3DProfileKey);
  }
};

TEST_F(HookReportsEndToEnd, AKeyReportRunsTheBoundAction) {
  ASSERT_NE(MainWindow(), nullptr) << "corvane.exe did not start";
  const std::wstring record = RecordFile();

  unsigned char report[6] = {1, 0, 0, 0, static_cast<unsigned char>(kHotkey & 0xFF),
                             static_cast<unsigned char>(kHotkey >> 8)};
  ASSERT_TRUE(WriteReport(L"CORVANE_KBD", L"QRXKBDMonEvent", report, sizeof report));
  ASSERT_TRUE(WaitFor([&] { return FileExists(record); }, 20000)) << "the bound program was not started";
  std::ifstream in{std::filesystem::path(record)};
  std::string commandLine;
  std::getline(in, commandLine);
  EXPECT_NE(commandLine.find("hooked \"key 7\""), std::string::npos) << commandLine;
  EXPECT_EQ(KeyPending(), 0u);
}

TEST_F(HookReportsEndToEnd, AStartReportOfAProfiledGameAppliesItsProfileWhileItRuns) {
  ASSERT_NE(MainWindow(), nullptr) << "corvane.exe did not start";
  SetDriverText(L"AntiAliasSamples", L"0");
  const std::wstring hold = g_scratch + L"\\hook-game.hold";
  Started game = StartGame(hold);
  ASSERT_NE(game.process, nullptr);

  ASSERT_TRUE(ReportGameStart(game)) << "the report was not handled";
  EXPECT_TRUE(WaitForSamples(L"4", 10000)) << "the game's 3D profile is not in force";

  DeleteFileW(hold.c_str());
  EXPECT_EQ(WaitForSingleObject(game.process, 20000), WAIT_OBJECT_0);
  CloseHandle(game.process);
  EXPECT_TRUE(WaitForSamples(L"0", 20000)) << "the settings from before the game are not back";
}

// The program ends without its shut-down while the game runs (a crash, the task manager):
// started again, it finds the game's restore record, watches the game again and puts the
// settings from before the game back when it ends.
TEST_F(HookReportsEndToEnd, AProgramKilledWhileTheGameRunsRestoresWhenStartedAgain) {
  ASSERT_NE(MainWindow(), nullptr) << "corvane.exe did not start";
  SetDriverText(L"AntiAliasSamples", L"0");
  const std::wstring hold = g_scratch + L"\\killed-game.hold";
  Started game = StartGame(hold);
  ASSERT_NE(game.process, nullptr);
  ASSERT_TRUE(ReportGameStart(game)) << "the report was not handled";
  ASSERT_TRUE(WaitForSamples(L"4", 10000)) << "the game's 3D profile is not in force";

  TerminateProcess(g_program, 1);
  WaitForSingleObject(g_program, 10000);
  CloseHandle(g_program);
  g_program = Start(g_corvane, L"/simulate").process;
  ASSERT_NE(g_program, nullptr);
  ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "corvane.exe did not start again";
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples"), L"4")
      << "the game still runs: its profile stays";

  DeleteFileW(hold.c_str());
  EXPECT_EQ(WaitForSingleObject(game.process, 20000), WAIT_OBJECT_0);
  CloseHandle(game.process);
  EXPECT_TRUE(WaitForSamples(L"0", 20000)) << "the settings from before the game are not back";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s corvane.exe record_args.exe scratch-folder\n", argv[0]);
    return 2;
  }
  g_corvane = Widen(argv[1]);
  g_recordArgs = Widen(argv[2]);
  g_scratch = Widen(argv[3]);
  CreateDirectoryW(g_scratch.c_str(), nullptr);
  return RUN_ALL_TESTS();
}
