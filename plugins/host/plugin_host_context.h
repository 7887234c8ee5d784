#pragma once
// What the plug-in host works with: the libraries, the registry for the run-time
// plug-ins' enabled state, the main form's window and the service handed to plug-ins.

#include <string>

#include "platform/plugin_modules.h"
#include "platform/registry.h"
#include "platform/window_handle.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::plugins {

struct PluginHostContext {
  platform::PluginModules& modules;
  platform::Registry& registry;
  platform::WindowHandle owner = 0;  // the main form's window: plug-in windows belong to it
  HostService service = nullptr;
  std::wstring pluginFolder;         // "<program folder>plugins\"
};

// The folder the plug-ins are installed in, below the program's folder (which ends in '\').
inline std::wstring PluginFolderOf(const std::wstring& programFolder) { return programFolder + L"plugins\\"; }

}  // namespace corvane::plugins
