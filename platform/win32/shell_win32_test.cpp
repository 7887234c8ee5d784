#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>

#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

#ifdef CORVANE_RECORD_ARGS_EXE
// The build gives the helper's host path; Wine sees the host's root as drive Z:.
std::wstring RecordArgsExe() {
  std::wstring path = FromUtf8(CORVANE_RECORD_ARGS_EXE);
  if (!path.empty() && path.front() == L'/') path = L"Z:" + path;
  for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
  return path;
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

// A record file of our own, named in the environment the started program inherits.
class Recording {
 public:
  explicit Recording(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"corvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name + L".txt";
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"CORVANE_RECORD_ARGS_FILE", path_.c_str());
  }
  ~Recording() {
    SetEnvironmentVariableW(L"CORVANE_RECORD_ARGS_FILE", nullptr);
    DeleteFileW(path_.c_str());
  }

  // The command line and the working folder, once the program has written both.
  std::pair<std::string, std::string> Wait() const {
    std::string text;
    for (int i = 0; i < 200 && std::count(text.begin(), text.end(), '\n') < 2; ++i) {
      Sleep(50);
      if (FILE* file = _wfopen(path_.c_str(), L"rb")) {
        char buffer[4096];
        text.assign(buffer, fread(buffer, 1, sizeof buffer, file));
        fclose(file);
      }
    }
    std::istringstream lines(text);
    std::string commandLine, folder;
    std::getline(lines, commandLine);
    std::getline(lines, folder);
    return {commandLine, folder};
  }

 private:
  std::wstring path_;
};

TEST(ShellWin32, ExecuteOpensTheProgramWithParametersAndFolder) {
  Recording recording(L"execute");
  Win32Shell shell;
  const std::wstring exe = RecordArgsExe();
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder(temp);
  if (folder.back() == L'\\') folder.pop_back();
  ASSERT_TRUE(shell.Execute({0, L"open", exe, L"-profile \"Half Life\"", folder, ShowCommand::Hide}));
  auto [commandLine, workingFolder] = recording.Wait();
  EXPECT_NE(commandLine.find("-profile \"Half Life\""), std::string::npos) << commandLine;
  EXPECT_EQ(FromUtf8(workingFolder), folder);

  EXPECT_FALSE(shell.Execute({0, L"open", Folder(exe) + L"\\no-such-program.exe", L"", L"", ShowCommand::Hide}));
}

TEST(ShellWin32, StartedProcessIsWaitedForWithItsExitCode) {
  Recording recording(L"start");
  Win32Shell shell;
  auto process = shell.StartProcess(L"\"" + RecordArgsExe() + L"\" one two three", ShowCommand::Hide);
  ASSERT_NE(process, nullptr);
  EXPECT_NE(process->Id(), 0u);
  ASSERT_TRUE(process->Wait(20000));
  EXPECT_EQ(process->ExitCode(), 3u);
  EXPECT_NE(recording.Wait().first.find("one two three"), std::string::npos);
  EXPECT_EQ(shell.StartProcess(L"no-such-program-at-all.exe", ShowCommand::Hide), nullptr);
}

// The game launcher's start: the process comes back with its id and start time, so the
// launcher can watch it and tell it from a later process of the same id.
TEST(ShellWin32, ExecuteProcessGivesTheStartedProcess) {
  Recording recording(L"execute-process");
  Win32Shell shell;
  const std::wstring exe = RecordArgsExe();
  auto process = shell.ExecuteProcess({0, L"open", exe, L"one two", Folder(exe), ShowCommand::Hide});
  ASSERT_NE(process, nullptr);
  EXPECT_NE(process->Id(), 0u);
  EXPECT_NE(process->StartTime(), 0u);
  auto opened = shell.OpenProcess(process->Id());
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->StartTime(), process->StartTime());
  ASSERT_TRUE(process->Wait(20000));
  EXPECT_EQ(process->ExitCode(), 2u);
  EXPECT_EQ(shell.ExecuteProcess({0, L"open", Folder(exe) + L"\\no-such-program.exe", L"", L"", ShowCommand::Hide}),
            nullptr);
}

// The editor names a new profile after the game's version description.
TEST(ShellWin32, FileDescriptionReadsTheVersionResource) {
  Win32Shell shell;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(shell.FileDescription(self), L"") << "the test has no version resource";
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_FALSE(shell.FileDescription(std::wstring(system) + L"\\kernel32.dll").empty());
  EXPECT_EQ(shell.FileDescription(L"C:\\no\\such\\file.exe"), L"");
  EXPECT_FALSE(shell.CreateShortcut(L"C:\\no\\such\\support.dll", {}));
}

TEST(ShellWin32, RunCommandStartsACommandLine) {
  Recording recording(L"winexec");
  Win32Shell shell;
  ASSERT_TRUE(shell.RunCommand(L"\"" + RecordArgsExe() + L"\" /a", ShowCommand::Hide));
  const std::string commandLine = recording.Wait().first;
  EXPECT_NE(commandLine.find(" /a"), std::string::npos) << commandLine;
  EXPECT_FALSE(shell.RunCommand(L"no-such-program-at-all.exe /a", ShowCommand::Hide));
}
#endif

TEST(ShellWin32, ProcessesWindowsAndFolders) {
  Win32Shell shell;
  EXPECT_EQ(shell.CurrentProcessId(), GetCurrentProcessId());
  auto self = shell.OpenProcess(GetCurrentProcessId());
  ASSERT_NE(self, nullptr);
  EXPECT_FALSE(self->Wait(0));
  EXPECT_FALSE(self->ExitCode());
  EXPECT_EQ(shell.OpenProcess(0xFFFFFFF0u), nullptr);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"CorvaneShellTestClass";
  RegisterClassW(&windowClass);
  EXPECT_FALSE(shell.WindowClassExists(L"CorvaneShellTestClass"));
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(shell.WindowClassExists(L"CorvaneShellTestClass"));
  DestroyWindow(window);

  const std::wstring program = shell.ProgramFilePath();
  EXPECT_EQ(program.substr(program.size() - 4), L".exe");
  EXPECT_TRUE(shell.FileExists(program));
  EXPECT_FALSE(shell.FileExists(program + L".missing"));
  const std::wstring appData = shell.AppDataFolder();
  EXPECT_FALSE(shell.FileExists(appData)) << "a folder is not a file";
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), L'\\');
  const DWORD attributes = GetFileAttributesW(appData.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
}  // namespace corvane::platform
