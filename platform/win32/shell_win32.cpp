#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/threading_win32.h"

namespace corvane::platform {
namespace {

const wchar_t* TextOrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

class Win32Process : public Process {
 public:
  Win32Process(UniqueHandle handle, uint32_t id) : handle_(std::move(handle)), id_(id) {}

  uint32_t Id() const override { return id_; }
  bool Wait(uint32_t timeoutMs) override { return WaitForSingleObject(handle_.Get(), timeoutMs) == WAIT_OBJECT_0; }

  std::optional<uint32_t> ExitCode() const override {
    // A process may end with the code STILL_ACTIVE itself, so ask the handle whether it ran out.
    if (WaitForSingleObject(handle_.Get(), 0) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(handle_.Get(), &code)) return std::nullopt;
    return code;
  }

 private:
  UniqueHandle handle_;
  uint32_t id_;
};

}  // namespace

bool Win32Shell::Execute(const ShellExecuteRequest& request) {
  const HINSTANCE result =
      ShellExecuteW(reinterpret_cast<HWND>(request.owner), TextOrNull(request.verb), request.file.c_str(),
                    TextOrNull(request.parameters), TextOrNull(request.directory), request.show);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::RunCommand(const std::wstring& commandLine, int show) {
  const std::string ansi = ToAnsi(commandLine);
  return WinExec(ansi.c_str(), static_cast<UINT>(show)) > 31;
}

std::unique_ptr<Process> Win32Shell::StartProcess(const std::wstring& commandLine, int show) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &started)) {
    return nullptr;
  }
  CloseHandle(started.hThread);
  return std::make_unique<Win32Process>(UniqueHandle(started.hProcess), started.dwProcessId);
}

std::unique_ptr<Process> Win32Shell::OpenProcess(uint32_t processId) {
  // PROCESS_ALL_ACCESS as XP defines it: the larger Vista value is refused there.
  UniqueHandle handle(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
  if (!handle) return nullptr;
  return std::make_unique<Win32Process>(std::move(handle), processId);
}

bool Win32Shell::AllowForeground(uint32_t processId) { return AllowSetForegroundWindow(processId) != FALSE; }

bool Win32Shell::WindowClassExists(const std::wstring& className) {
  return FindWindowW(className.c_str(), nullptr) != nullptr;
}

bool Win32Shell::FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

uint32_t Win32Shell::CurrentProcessId() { return GetCurrentProcessId(); }

std::wstring Win32Shell::ProgramFilePath() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return std::wstring(path.data(), length);
    path.resize(path.size() * 2);
  }
}

std::wstring Win32Shell::AppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE)) return {};
  std::wstring folder(path);
  while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
  return folder;
}

}  // namespace corvane::platform
