#pragma once
// The shell and processes, simulated: every start is recorded and gets a process that
// runs until the test ends it. Windows "exist" once the test registers their class.
// Waits may come from another thread (a worker waiting for a game to end).

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace corvane::platform {

enum class StartKind { ShellExecute, WinExec, CreateProcess };

struct SimStart {
  StartKind kind = StartKind::ShellExecute;
  std::wstring verb;        // ShellExecute only
  std::wstring file;        // ShellExecute: the file; otherwise the whole command line
  std::wstring parameters;  // ShellExecute only
  std::wstring directory;   // ShellExecute only
  int show = 0;
  uint32_t processId = 0;   // 0 when the start failed
};

struct SimProcessTable;

class SimShell : public Shell {
 public:
  SimShell();
  ~SimShell() override;
  SimShell(const SimShell&) = delete;
  SimShell& operator=(const SimShell&) = delete;

  bool Execute(const ShellExecuteRequest& request) override;
  std::unique_ptr<Process> ExecuteProcess(const ShellExecuteRequest& request) override;
  bool RunCommand(const std::wstring& commandLine, int show) override;
  std::unique_ptr<Process> StartProcess(const std::wstring& commandLine, int show) override;
  std::unique_ptr<Process> OpenProcess(uint32_t processId) override;
  bool AllowForeground(uint32_t processId) override;
  bool WindowClassExists(const std::wstring& className) override;
  bool FileExists(const std::wstring& path) override;
  uint32_t CurrentProcessId() override;
  std::wstring ProgramFilePath() override;
  std::wstring AppDataFolder() override;
  std::wstring FileDescription(const std::wstring& path) override;
  bool CreateShortcut(const std::wstring& library, const ShortcutRequest& request) override;

  std::vector<SimStart> Starts() const;
  void ClearStarts();
  // Ends a started (or added) process; its waiters wake up. False for an unknown id.
  bool EndProcess(uint32_t processId, uint32_t exitCode = 0);
  // A process the program did not start, e.g. a game the hooks report; returns its id.
  uint32_t AddRunningProcess();
  bool IsRunning(uint32_t processId) const;
  // Starts fail while set (nothing is started; the attempt is still recorded).
  void FailStarts(bool fail);
  // Processes started from now on end at once with this code (tools run and waited for).
  void EndStartsAtOnce(bool atOnce, uint32_t exitCode = 0);

  // Files the simulated machine has (paths compare without case, as on Windows).
  void AddFile(const std::wstring& path);
  void RemoveFile(const std::wstring& path);
  void AddWindowClass(const std::wstring& className);
  void RemoveWindowClass(const std::wstring& className);
  std::vector<uint32_t> ForegroundAllowed() const;
  // A program's version description (paths compare without case).
  void SetFileDescription(const std::wstring& path, const std::wstring& description);
  struct SimShortcut {
    std::wstring library;
    ShortcutRequest request;
  };
  std::vector<SimShortcut> Shortcuts() const;

  void SetCurrentProcessId(uint32_t id);
  void SetProgramFilePath(const std::wstring& path);
  void SetAppDataFolder(const std::wstring& folder);

 private:
  uint32_t Start(SimStart start);

  std::shared_ptr<SimProcessTable> table_;  // shared with process handles
  mutable std::mutex mutex_;
  std::vector<SimStart> starts_;
  std::set<std::wstring> windowClasses_;
  std::set<std::wstring> files_;          // upper-cased  // upper-cased: class names compare without case
  std::vector<uint32_t> foregroundAllowed_;
  std::map<std::wstring, std::wstring> descriptions_;  // by upper-cased path
  std::vector<SimShortcut> shortcuts_;
  bool failStarts_ = false;
  bool endAtOnce_ = false;
  uint32_t endAtOnceCode_ = 0;
  uint32_t currentProcessId_ = 4242;
  std::wstring programFilePath_ = L"C:\\Program Files\\Corvane\\corvane.exe";
  std::wstring appDataFolder_ = L"C:\\Documents and Settings\\user\\Application Data";
};

}  // namespace corvane::platform
