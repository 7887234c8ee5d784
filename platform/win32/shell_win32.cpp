#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
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

  uint64_t StartTime() const override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(handle_.Get(), &created, &exited, &kernel, &user)) return 0;
    return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }

 private:
  UniqueHandle handle_;
  uint32_t id_;
};

// XP before its first service pack lacks GetProcessId: the id is then unknown (0).
uint32_t ProcessIdOf(HANDLE process) {
  using GetProcessIdFunction = DWORD(WINAPI*)(HANDLE);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return 0;
  auto getProcessId = reinterpret_cast<GetProcessIdFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetProcessId")));
  return getProcessId ? getProcessId(process) : 0;
}

// A library loaded for one call.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
  ~LoadedLibrary() {
    if (module_) FreeLibrary(module_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;
  HMODULE Get() const { return module_; }

 private:
  HMODULE module_;
};

// The version resource's text value `name` in its first translation.
std::wstring VersionText(const std::vector<uint8_t>& block, const wchar_t* name) {
  struct Translation {
    WORD language;
    WORD codePage;
  };
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &found, &length) || found == nullptr ||
      length < sizeof(Translation))
    return {};
  const Translation first = *static_cast<const Translation*>(found);
  wchar_t path[64];
  swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", first.language, first.codePage, name);
  if (!VerQueryValueW(block.data(), path, &found, &length) || found == nullptr || length == 0) return {};
  // The length counts characters, the terminating one among them; it is not trusted to be there.
  const wchar_t* text = static_cast<const wchar_t*>(found);
  std::wstring value(text, length);
  const size_t end = value.find(L'\0');
  if (end != std::wstring::npos) value.resize(end);
  return value;
}

}  // namespace

std::unique_ptr<Process> Win32Shell::ExecuteProcess(const ShellExecuteRequest& request) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = reinterpret_cast<HWND>(request.owner);
  info.lpVerb = TextOrNull(request.verb);
  info.lpFile = request.file.c_str();
  info.lpParameters = TextOrNull(request.parameters);
  info.lpDirectory = TextOrNull(request.directory);
  info.nShow = request.show;
  if (!ShellExecuteExW(&info) || info.hProcess == nullptr) return nullptr;
  UniqueHandle process(info.hProcess);
  const uint32_t id = ProcessIdOf(process.Get());
  return std::make_unique<Win32Process>(std::move(process), id);
}

std::wstring Win32Shell::FileDescription(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<uint8_t> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return {};
  return VersionText(block, L"FileDescription");
}

bool Win32Shell::CreateShortcut(const std::wstring& library, const ShortcutRequest& request) {
  using CreateShortcutFunction = BOOL(WINAPI*)(const char*, const char*, const char*, const char*, const char*);
  LoadedLibrary support(library);
  if (support.Get() == nullptr) return false;
  auto create = reinterpret_cast<CreateShortcutFunction>(
      reinterpret_cast<void*>(GetProcAddress(support.Get(), "CreateShortcut")));
  if (create == nullptr) return false;
  const std::string linkName = ToAnsi(request.linkName);
  const std::string target = ToAnsi(request.target);
  const std::string arguments = ToAnsi(request.arguments);
  const std::string iconFile = ToAnsi(request.iconFile);
  const std::string folder = ToAnsi(request.folder);
  create(linkName.c_str(), target.c_str(), arguments.c_str(), iconFile.c_str(), folder.c_str());
  return true;
}

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
