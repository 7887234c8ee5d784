#include "platform/win32/hook_libraries_win32.h"

#include <windows.h>

#include "platform/win32/ansi_text.h"

namespace corvane::platform {
namespace {

using HookProc = void(WINAPI*)();

class Win32HookLibrary final : public HookLibrary {
 public:
  explicit Win32HookLibrary(HMODULE module) : module_(module) {}
  ~Win32HookLibrary() override { FreeLibrary(module_); }
  Win32HookLibrary(const Win32HookLibrary&) = delete;
  Win32HookLibrary& operator=(const Win32HookLibrary&) = delete;

  HookEntry Entry(const char* name) override {
    // The export's own type is the contract: no parameters, no result, stdcall.
    const auto proc = reinterpret_cast<HookProc>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    if (!proc) return {};
    return [proc] { proc(); };
  }

 private:
  HMODULE module_;
};

}  // namespace

std::unique_ptr<HookLibrary> Win32HookLibraries::Load(const std::wstring& fileName) {
  // A missing library leaves its feature off without the system's error box.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryW(fileName.c_str());
  SetErrorMode(previous);
  if (!module) return nullptr;
  return std::make_unique<Win32HookLibrary>(module);
}

std::wstring Win32HookLibraries::ReportText(std::string_view bytes) { return FromAnsi(bytes); }

}  // namespace corvane::platform
