#pragma once
// The shell and processes through shell32, kernel32 and user32.

#include "platform/shell.h"

namespace corvane::platform {

class Win32Shell : public Shell {
 public:
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
};

}  // namespace corvane::platform
