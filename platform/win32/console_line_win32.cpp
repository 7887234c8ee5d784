#include "platform/win32/console_line_win32.h"

#include <windows.h>

#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

// Joining the starting process's console: looked up at run time, as kernel32 of the
// oldest systems the program runs on lacks it.
bool AttachParentConsole() {
  using AttachConsoleFunction = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  FARPROC entry = kernel ? GetProcAddress(kernel, "AttachConsole") : nullptr;
  if (!entry) return false;
  return reinterpret_cast<AttachConsoleFunction>(reinterpret_cast<void*>(entry))(static_cast<DWORD>(-1)) != FALSE;
}

void WriteTo(HANDLE out, const std::wstring& line) {
  DWORD mode = 0;
  DWORD written = 0;
  if (GetConsoleMode(out, &mode)) {
    const std::wstring text = line + L"\r\n";
    WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string text = ToUtf8(line) + "\r\n";
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteConsoleLine(const std::wstring& line) {
  HANDLE given = GetStdHandle(STD_OUTPUT_HANDLE);
  if (given && given != INVALID_HANDLE_VALUE) {
    WriteTo(given, line);
    return;
  }
  if (!AttachParentConsole()) return;
  HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (console != INVALID_HANDLE_VALUE) {
    WriteTo(console, line);
    CloseHandle(console);
  }
  FreeConsole();
}

}  // namespace corvane::platform
