#pragma once
// Plug-in libraries for tests: each "DLL" is a set of callables registered under a full
// path. A missing callable is a missing export; a callable that throws stands for a
// plug-in that raises or faults. The simulated name field is UTF-8 text, where Windows has
// code page 936. Every export call is recorded.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/plugin_modules.h"

namespace corvane::platform {

struct SimPlugin {
  bool loads = true;
  std::function<void(PluginInfo& info)> getPlugInfo;
  std::function<void(WindowHandle owner, HostService service)> execPlugin;
  std::function<void()> donePlugin;
  std::function<void()> suspendRestore;
  std::function<void()> configPlugin;

  // A well-behaved get_plug_info: the magic, the name (UTF-8, zero padded) and the kind.
  static std::function<void(PluginInfo&)> Record(const std::string& name, uint8_t kind);
};

struct SimPluginCall {
  std::wstring path;
  PluginExport which;
  bool raised = false;
  bool operator==(const SimPluginCall&) const = default;
};

class SimPluginModules final : public PluginModules {
 public:
  void Register(const std::wstring& path, SimPlugin plugin);

  std::vector<std::wstring> FindLibraries(const std::wstring& folder) override;
  std::unique_ptr<PluginModule> Load(const std::wstring& path) override;
  std::wstring NameText(std::string_view bytes) override;

  const std::vector<SimPluginCall>& Calls() const { return calls_; }
  // How many of `which` went to the library of that file name (no folder).
  size_t CallCount(const std::wstring& fileName, PluginExport which) const;
  // Libraries loaded now; and every load, the failed ones included.
  size_t LoadedNow() const { return loadedNow_; }
  size_t Loads() const { return loads_; }

 private:
  class Module;
  // Keyed by the upper-cased path: Windows' file names ignore case.
  std::map<std::wstring, std::pair<std::wstring, SimPlugin>> plugins_;
  std::vector<SimPluginCall> calls_;
  size_t loadedNow_ = 0;
  size_t loads_ = 0;
};

}  // namespace corvane::platform
