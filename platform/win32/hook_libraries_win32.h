#pragma once
// Hook libraries on Windows: LoadLibrary by file name, GetProcAddress by entry name,
// FreeLibrary when the library object goes.

#include "platform/hook_libraries.h"

namespace corvane::platform {

class Win32HookLibraries final : public HookLibraries {
 public:
  std::unique_ptr<HookLibrary> Load(const std::wstring& fileName) override;
  // The system's ANSI code page, which the hooks write in.
  std::wstring ReportText(std::string_view bytes) override;
};

}  // namespace corvane::platform
