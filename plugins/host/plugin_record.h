#pragma once
// The information record a plug-in fills, read with the checks the host owes a record
// from outside the process, and the probe that loads a library only to read it.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/plugin_modules.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::plugins {

struct PluginRecord {
  std::wstring name;
  uint8_t kind = CORVANE_PLUGIN_MENU;
};

// Nothing for a wrong magic, a name with no terminating zero within its field, or a kind
// other than menu and run-time: such a plug-in is not used.
std::optional<PluginRecord> ReadPluginRecord(const PluginInfo& info, platform::PluginModules& modules);

// Loads the library, asks for its record and unloads it again. Nothing for a library that
// does not load, has no get_plug_info, raises in it or gives a record that is not used.
std::optional<PluginRecord> ProbePlugin(platform::PluginModules& modules, const std::wstring& path);

}  // namespace corvane::plugins
