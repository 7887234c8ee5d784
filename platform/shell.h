#pragma once
// The shell and other processes: opening files and programs, outside tools by command
// line, waiting for a process, and where this program and the user's data live.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/window_handle.h"

namespace corvane::platform {

// ShowWindow codes (SW_*) for the program being started.
namespace ShowCommand {
inline constexpr int Hide = 0;
inline constexpr int Normal = 1;
inline constexpr int Minimized = 2;
inline constexpr int Maximized = 3;
inline constexpr int NoActivate = 4;
inline constexpr int Show = 5;
inline constexpr int MinNoActive = 7;
}  // namespace ShowCommand

struct ShellExecuteRequest {
  WindowHandle owner = 0;  // parent of any message the shell shows; 0: none
  std::wstring verb;  // "open"; empty: the file's default verb
  std::wstring file;
  std::wstring parameters;
  std::wstring directory;  // empty: this process's working folder
  int show = ShowCommand::Show;
};

// A process handle; closed when destroyed. The process itself runs on.
class Process {
 public:
  virtual ~Process() = default;
  virtual uint32_t Id() const = 0;
  // True when the process has ended within the time (kWaitForever of threading.h waits for good).
  virtual bool Wait(uint32_t timeoutMs) = 0;
  // Nothing while it runs.
  virtual std::optional<uint32_t> ExitCode() const = 0;
  // When the process was created (FILETIME units); 0 when unknown. With the id it tells
  // a process apart from a later one that was given the same id.
  virtual uint64_t StartTime() const = 0;
};

// What the maker's support library's CreateShortcut takes: a link named `linkName` on the
// desktop that starts `target` with `arguments` in `folder`, showing `iconFile`'s icon.
struct ShortcutRequest {
  std::wstring linkName;
  std::wstring target;
  std::wstring arguments;
  std::wstring iconFile;
  std::wstring folder;
  bool operator==(const ShortcutRequest&) const = default;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecute; true when the shell reports success (a result above 32).
  virtual bool Execute(const ShellExecuteRequest& request) = 0;
  // ShellExecuteEx: as Execute, and the process it started. Null when it failed or when
  // the shell handed the file to a program that already runs.
  virtual std::unique_ptr<Process> ExecuteProcess(const ShellExecuteRequest& request) = 0;
  // WinExec: the command line goes through the ANSI code page. True when started.
  virtual bool RunCommand(const std::wstring& commandLine, int show) = 0;
  // CreateProcess with a new console, no inherited handles, this process's working folder
  // and the given show state. Null when it did not start.
  virtual std::unique_ptr<Process> StartProcess(const std::wstring& commandLine, int show) = 0;
  // A handle on a running process, to wait for it; null when it is gone or access is denied.
  virtual std::unique_ptr<Process> OpenProcess(uint32_t processId) = 0;
  // Lets that process take the foreground (AllowSetForegroundWindow).
  virtual bool AllowForeground(uint32_t processId) = 0;
  // A top-level window of that class exists (FindWindow with no title).
  virtual bool WindowClassExists(const std::wstring& className) = 0;
  // A file (not a folder) is at that path.
  virtual bool FileExists(const std::wstring& path) = 0;
  virtual uint32_t CurrentProcessId() = 0;
  // Full path of this program's executable.
  virtual std::wstring ProgramFilePath() = 0;
  // The "FileDescription" of a program's version information; empty when it has none.
  virtual std::wstring FileDescription(const std::wstring& path) = 0;
  // Calls CreateShortcut of the support library at `library`, with ANSI strings. False
  // when the library or its entry is missing.
  virtual bool CreateShortcut(const std::wstring& library, const ShortcutRequest& request) = 0;
  // The per-user application-data folder, without a trailing '\'; empty when unknown.
  virtual std::wstring AppDataFolder() = 0;
};

}  // namespace corvane::platform
