// corvane.exe started again with a profile switch while it runs on the simulated card: the
// running instance puts the profile in force ("/d3d" reaches the driver's key, "/over" the
// simulated card's clocks, seen in the simulated machine's state file), and a name that
// does not exist ends the second start with exit code 2 and a line on its output.
//
// Arguments: corvane.exe.

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "end_to_end_support.h"

namespace {

using namespace end_to_end;

constexpr wchar_t kD3DProfileKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\d3d\\Switched";
constexpr wchar_t kOverProfileKey[] = L"SOFTWARE\\Quillon\\Corvane\\Profiles\\over\\Switched";
constexpr DWORD kNoSuchProfile = 2;

std::wstring g_corvane;

// The exit code of a start that only hands its request on.
std::optional<DWORD> RunToEnd(const std::wstring& arguments, HANDLE output = nullptr) {
  const Started started = Start(g_corvane, arguments, output);
  if (!started.process) return std::nullopt;
  const std::optional<DWORD> code = WaitForExit(started.process, 30000);
  CloseHandle(started.process);
  return code;
}

class ProfileSwitches : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, kSimulatedVideoKey);
    DeleteFileW(MachineStateFile().c_str());
    first_ = Start(g_corvane, L"/simulate");
  }
  static void TearDownTestSuite() {
    CloseProgram(first_.process, 30000);
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
