#include "plugins/host/plugin_record.h"

#include <cstring>
#include <string_view>

namespace corvane::plugins {

std::optional<PluginRecord> ReadPluginRecord(const PluginInfo& info, platform::PluginModules& modules) {
  if (info.magic != CORVANE_PLUGIN_MAGIC) return std::nullopt;
  if (info.kind != CORVANE_PLUGIN_MENU && info.kind != CORVANE_PLUGIN_RUNTIME) return std::nullopt;
  const void* end = std::memchr(info.name, 0, sizeof info.name);
  if (!end) return std::nullopt;
  const auto length = static_cast<size_t>(static_cast<const char*>(end) - info.name);
  return PluginRecord{modules.NameText(std::string_view(info.name, length)), info.kind};
}

std::optional<PluginRecord> ProbePlugin(platform::PluginModules& modules, const std::wstring& path) {
  std::unique_ptr<platform::PluginModule> module = modules.Load(path);
  if (!module) return std::nullopt;
  // Handed over as the plug-in will find it; zeros make a record it left alone unused.
  PluginInfo info{};
  if (!module->GetPlugInfo(info)) return std::nullopt;
  return ReadPluginRecord(info, modules);
}

}  // namespace corvane::plugins
