#pragma once
// The driver escape channel through gdi32 (CreateDC, ExtEscape, DeleteDC) and the
// companion library atipdlxx.dll through LoadLibrary/GetProcAddress.

#include "platform/driver_escape.h"

namespace corvane::platform {

class Win32DriverEscape : public DriverEscape {
 public:
  std::unique_ptr<DisplayContext> OpenContext(const std::wstring& deviceName) override;
};

class Win32DriverLibrary : public DriverLibrary {
 public:
  // Loads atipdlxx.dll and resolves its entry points; a missing library is not an error.
  Win32DriverLibrary();
  ~Win32DriverLibrary() override;
  Win32DriverLibrary(const Win32DriverLibrary&) = delete;
  Win32DriverLibrary& operator=(const Win32DriverLibrary&) = delete;

  bool Loaded() const override { return module_ != nullptr; }
  bool EnableExtendedDesktop(int32_t first, int32_t second) override;

 private:
  using EntryPoint = void (*)();
  void* module_ = nullptr;  // HMODULE
  // Resolved as the driver's control panel does, though only the extended-desktop switch
  // is called.
  EntryPoint getClockInfo_ = nullptr;
  EntryPoint setClockConfig_ = nullptr;
  EntryPoint enableExtendedDesktop_ = nullptr;
  EntryPoint writeAndReadI2c_ = nullptr;
};

}  // namespace corvane::platform
