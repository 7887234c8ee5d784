#pragma once
// Plug-in libraries on Windows: FindFirstFile over "*.dll", LoadLibrary and GetProcAddress
// by the export names, FreeLibrary when the module goes, and every export call inside a
// structured-exception guard.

#include "platform/plugin_modules.h"

namespace corvane::platform {

class Win32PluginModules final : public PluginModules {
 public:
  std::vector<std::wstring> FindLibraries(const std::wstring& folder) override;
  std::unique_ptr<PluginModule> Load(const std::wstring& path) override;
  // Code page 936, whatever the system's own ANSI code page is.
  std::wstring NameText(std::string_view bytes) override;
};

}  // namespace corvane::platform
