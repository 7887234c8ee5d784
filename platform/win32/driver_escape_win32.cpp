#include "platform/win32/driver_escape_win32.h"

#include <windows.h>

#include <climits>

namespace corvane::platform {
namespace {

class Win32DisplayContext : public DisplayContext {
 public:
  explicit Win32DisplayContext(HDC dc) : dc_(dc) {}
  ~Win32DisplayContext() override { DeleteDC(dc_); }
  Win32DisplayContext(const Win32DisplayContext&) = delete;
  Win32DisplayContext& operator=(const Win32DisplayContext&) = delete;

  int32_t Escape(std::span<const uint8_t> input, std::span<uint8_t> output) override {
    // The records are a few hundred bytes; anything that does not fit an int is a bug.
    if (input.size() > INT_MAX || output.size() > INT_MAX) return kEscapeNoContext;
    return ExtEscape(dc_, kAtiEscape, static_cast<int>(input.size()), reinterpret_cast<LPCSTR>(input.data()),
                     static_cast<int>(output.size()), reinterpret_cast<LPSTR>(output.data()));
  }

 private:
  HDC dc_;
};

// EnableExtendedDesktop takes two ints with the C calling convention.
using EnableExtendedDesktopProc = void(__cdecl*)(int, int);

}  // namespace

std::unique_ptr<DisplayContext> Win32DriverEscape::OpenContext(const std::wstring& deviceName) {
  HDC dc = CreateDCW(L"DISPLAY", deviceName.empty() ? nullptr : deviceName.c_str(), nullptr, nullptr);
  if (!dc) return nullptr;
  return std::make_unique<Win32DisplayContext>(dc);
}

Win32DriverLibrary::Win32DriverLibrary() {
  HMODULE module = LoadLibraryW(L"atipdlxx.dll");
  if (!module) return;
  module_ = module;
  getClockInfo_ = reinterpret_cast<EntryPoint>(GetProcAddress(module, "ATIDL_GetClockInfo"));
  setClockConfig_ = reinterpret_cast<EntryPoint>(GetProcAddress(module, "ATIDL_SetClockConfig"));
  enableExtendedDesktop_ = reinterpret_cast<EntryPoint>(GetProcAddress(module, "EnableExtendedDesktop"));
  writeAndReadI2c_ = reinterpret_cast<EntryPoint>(GetProcAddress(module, "ATIDL_WriteAndReadI2C"));
}

Win32DriverLibrary::~Win32DriverLibrary() {
  if (module_) FreeLibrary(static_cast<HMODULE>(module_));
}

bool Win32DriverLibrary::EnableExtendedDesktop(int32_t first, int32_t second) {
  if (!enableExtendedDesktop_) return false;
  reinterpret_cast<EnableExtendedDesktopProc>(enableExtendedDesktop_)(first, second);
  return true;
}

}  // namespace corvane::platform
