// corvane.exe started again with a profile switch while it runs on the simulated card: the
// running instance puts the profile in force ("/d3d" reaches the driver's key, "/over" the
// simulated card's clocks, seen in the simulated machine's state file), and a name that
// does not exist ends the second start with exit code 2 and a line on its output.
//
// Arguments: corvane.exe.

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr wchar_t kMainWindowClass[] = L"TfrmMainQRX";
constexpr wchar_t kMainWindowText[] = L"corvane";
constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillon\\Corvane";
constexpr wchar_t kD3DProfileKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\d3d\\Switched";
constexpr wchar_t kOverProfileKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\over\\Switched";
constexpr wchar_t kSimulatedVideoKey[] =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}";
constexpr wchar_t kSimulatedDriverKey[] =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}\\0000";
constexpr DWORD kNoSuchProfile = 2;

std::wstring g_corvane;

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring result(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
  return result;
}

struct Started {
  HANDLE process = nullptr;
  DWORD id = 0;
};

// corvane.exe with `arguments`; its standard output into `output` when one is given.
Started Start(const std::wstring& arguments, HANDLE output = nullptr) {
  std::wstring commandLine = L"\"" + g_corvane + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                      &info))
    return {};
  CloseHandle(info.hThread);
  return {info.hProcess, info.dwProcessId};
}

std::optional<DWORD> WaitForExit(HANDLE process, DWORD ms) {
  if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return code;
}

// The exit code of a start that only hands its request on.
std::optional<DWORD> RunToEnd(const std::wstring& arguments, HANDLE output = nullptr) {
  const Started started = Start(arguments, output);
  if (!started.process) return std::nullopt;
  const std::optional<DWORD> code = WaitForExit(started.process, 30000);
  CloseHandle(started.process);
  return code;
}

template <typename Condition>
bool WaitFor(Condition condition, int ms) {
  for (int waited = 0; waited < ms; waited += 100) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

HWND MainWindow() { return FindWindowW(kMainWindowClass, kMainWindowText); }

std::optional<std::wstring> ReadString(HKEY root, const wchar_t* path, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::wstring(value);
}

std::optional<DWORD> ReadDword(HKEY root, const wchar_t* path, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return value;
}

HKEY CreateKey(const wchar_t* path) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  return key;
}

void WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// A clock as overclocking profiles keep it: an eight-byte double.
void WriteDouble(HKEY key, const wchar_t* name, double value) {
  RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::wstring MachineStateFile() {
  wchar_t appData[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE)) return {};
  return std::wstring(appData) + L"\\corvane\\simulated-machine.txt";
}

std::string ReadWholeFile(const std::wstring& path) {
  std::string text;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

// The core clock the state file names ("core 400.50 MHz"), or nothing.
std::optional<double> CoreClockInStateFile() {
  std::istringstream in(ReadWholeFile(MachineStateFile()));
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("pll 0A ", 0) != 0) continue;
    const size_t at = line.find("core ");
    if (at != std::string::npos) return std::strtod(line.c_str() + at + 5, nullptr);
  }
  return std::nullopt;
}

class ProfileSwitches : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSimulatedVideoKey);
    DeleteFileW(MachineStateFile().c_str());
    first_ = Start(L"/simulate");
  }
  static void TearDownTestSuite() {
    if (HWND window = MainWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (first_.process) {
      WaitForExit(first_.process, 30000);
      CloseHandle(first_.process);
    }
    SHDeleteKeyW(HKEY_CURRENT_USER, kD3DProfileKey);
    SHDeleteKeyW(HKEY_CURRENT_USER, kOverProfileKey);
  }
  void SetUp() override {
    ASSERT_NE(first_.process, nullptr);
    ASSERT_TRUE(WaitFor([] { return MainWindow() != nullptr; }, 30000)) << "no main window";
    ASSERT_TRUE(WaitFor([] { return ReadDword(HKEY_CURRENT_USER, kSettingsKey, L"Proc_ID") == first_.id; }, 10000));
  }

  static inline Started first_;
};

TEST_F(ProfileSwitches, Direct3DProfileReachesTheDriverKeyOfTheRunningInstance) {
  HKEY profile = CreateKey(kD3DProfileKey);
  ASSERT_NE(profile, nullptr);
  WriteString(profile, L"AntiAlias", L"2");
  WriteString(profile, L"AntiAliasSamples", L"6");
  WriteString(profile, L"AnisoDegree", L"8");
  RegCloseKey(profile);

  EXPECT_EQ(RunToEnd(L"/d3d Switched"), 0u);
  EXPECT_TRUE(WaitFor(
      [] { return ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples") == std::wstring(L"6"); },
      10000));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AnisoDegree"), std::wstring(L"8"));
}

TEST_F(ProfileSwitches, OverclockingProfileSetsTheSimulatedCardsClocks) {
  HKEY profile = CreateKey(kOverProfileKey);
  ASSERT_NE(profile, nullptr);
  WriteDouble(profile, L"vpu", 400.0);
  WriteDouble(profile, L"mem", 340.0);
  RegCloseKey(profile);

  EXPECT_EQ(RunToEnd(L"/over \"Switched\""), 0u);
  EXPECT_TRUE(WaitFor(
      [] {
        const std::optional<double> core = CoreClockInStateFile();
        return core && std::fabs(*core - 400.0) <= 1.0;
      },
      10000))
      << "the state file does not hold the profile's core clock";
}

TEST_F(ProfileSwitches, AMissingNameEndsWithExitCodeTwoAndALineOnTheOutput) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"corvane-switch-output.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(output, INVALID_HANDLE_VALUE);
  const std::optional<std::wstring> before = ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples");

  EXPECT_EQ(RunToEnd(L"/d3d Nobody", output), kNoSuchProfile);
  EXPECT_EQ(RunToEnd(L"/color Nobody"), kNoSuchProfile);
  CloseHandle(output);
  EXPECT_NE(ReadWholeFile(path).find("\"Nobody\""), std::string::npos) << ReadWholeFile(path);
  DeleteFileW(path.c_str());
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kSimulatedDriverKey, L"AntiAliasSamples"), before);
  EXPECT_NE(MainWindow(), nullptr) << "the running instance runs on";
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s corvane.exe\n", argv[0]);
    return 2;
  }
  g_corvane = Widen(argv[1]);
  return RUN_ALL_TESTS();
}
