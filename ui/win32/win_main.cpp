// The Windows entry point: the real ports, the command line, then the program.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "platform/win32/fpu_control.h"
#include "platform/win32/win32_platform.h"

namespace {

std::vector<std::wstring> Parameters() {
  std::vector<std::wstring> parameters;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return parameters;
  for (int i = 1; i < count; ++i) parameters.emplace_back(arguments[i]);
  LocalFree(arguments);
  return parameters;
}

// The folder of the program file, ending in '\'.
std::wstring ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L".\\";
    if (length < path.size()) {
      std::wstring file(path.data(), length);
      return file.substr(0, file.find_last_of(L"\\/") + 1);
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  // Clock arithmetic may divide by zero; it must give infinities, not faults.
  corvane::platform::SetProcessFloatingPointControl();
  corvane::platform::Win32Platform platform;
  corvane::CommandLine commandLine(Parameters());
  corvane::ProgramEnvironment environment{platform.ports, ProgramFolder(), commandLine, GetCurrentProcessId(),
                                          commandLine.HasSwitch(L"simulate")};
  return corvane::RunProgram(environment);
}
