#pragma once
// Plug-in libraries: finding them in a folder, loading one, and calling its exports. Every
// call into a plug-in runs inside a guard, so that a fault or an exception raised by the
// plug-in's code comes back as a failed call instead of ending the program.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_handle.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::platform {

enum class PluginExport { GetPlugInfo, ExecPlugin, DonePlugin, SuspendRestore, ConfigPlugin };

// One loaded library; unloaded when destroyed. A call answers true when the export exists
// and returned; false when it is missing or raised (its work is then abandoned).
class PluginModule {
 public:
  virtual ~PluginModule() = default;
  virtual bool Has(PluginExport which) const = 0;
  // The record is handed over uninitialised, as the binary interface has it.
  virtual bool GetPlugInfo(PluginInfo& info) = 0;
  virtual bool ExecPlugin(WindowHandle owner, HostService service) = 0;
  // done_plugin, suspend_restore or config_plugin (the exports without arguments).
  virtual bool Call(PluginExport which) = 0;
};

class PluginModules {
 public:
  virtual ~PluginModules() = default;
  // The file names (no folder) of every "*.dll" in the folder, whatever their attributes;
  // empty when the folder is missing.
  virtual std::vector<std::wstring> FindLibraries(const std::wstring& folder) = 0;
  // Null when the library does not load.
  virtual std::unique_ptr<PluginModule> Load(const std::wstring& path) = 0;
  // A plug-in's name field (code page 936 on Windows) as wide text.
  virtual std::wstring NameText(std::string_view bytes) = 0;
};

}  // namespace corvane::platform
