#pragma once
// The three system-wide hook libraries: loaded by file name, their install and uninstall
// entries (exported, stdcall, no parameters, no result) looked up by name. The libraries
// report through named mappings and events (named_objects.h), not through this port.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace corvane::platform {

using HookEntry = std::function<void()>;

// One loaded library; unloaded when destroyed. Its entries must not be called after that.
class HookLibrary {
 public:
  virtual ~HookLibrary() = default;
  // Empty when the library does not export `name`.
  virtual HookEntry Entry(const char* name) = 0;
};

class HookLibraries {
 public:
  virtual ~HookLibraries() = default;
  // By file name in the normal search order (the program's folder first); null when it
  // does not load.
  virtual std::unique_ptr<HookLibrary> Load(const std::wstring& fileName) = 0;
  // The text of a report (the application's executable) in the hooks' ANSI code page.
  virtual std::wstring ReportText(std::string_view bytes) = 0;
};

}  // namespace corvane::platform
