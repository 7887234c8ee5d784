#pragma once
// A program folder of simulated plug-in libraries and the host context over it.

#include <map>
#include <string>

#include "platform/registry_values.h"
#include "platform/sim/plugin_modules_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "plugins/host/plugin_host_context.h"
#include "settings/global.h"

namespace corvane::plugins::testing {

inline constexpr platform::WindowHandle kOwner = 0x3C0;
inline const std::wstring kFolder = L"C:\\Corvane\\plugins\\";

inline void CORVANE_PLUGIN_CALL NoService(uint32_t, const void*, void*) {}

struct PluginRig {
  platform::SimPluginModules modules;
  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  PluginHostContext context{modules, registry, kOwner, &NoService, kFolder};

  // A plug-in with every export of its kind; each export only counts its calls.
  platform::SimPlugin& Add(const std::wstring& file, const std::string& name, uint8_t kind) {
    platform::SimPlugin plugin;
    plugin.getPlugInfo = platform::SimPlugin::Record(name, kind);
    plugin.execPlugin = [](platform::WindowHandle, HostService) {};
    if (kind == CORVANE_PLUGIN_RUNTIME) {
      plugin.donePlugin = [] {};
      plugin.suspendRestore = [] {};
      plugin.configPlugin = [] {};
    }
    return Put(file, std::move(plugin));
  }
  platform::SimPlugin& Put(const std::wstring& file, platform::SimPlugin plugin) {
    plugins[file] = std::move(plugin);
    modules.Register(kFolder + file, plugins[file]);
    return plugins[file];
  }
  // Registers again what a test changed in a plug-in it added.
  void Update(const std::wstring& file) { modules.Register(kFolder + file, plugins[file]); }

  std::optional<uint32_t> Enabled(const std::wstring& file) {
    auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"rtpl\\" + file, false);
    if (!key) return std::nullopt;
    return platform::ReadRegDword(*key, L"enabled");
  }
  void SetEnabled(const std::wstring& file, uint32_t value) {
    auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"rtpl\\" + file, true);
    platform::WriteRegDword(*key, L"enabled", value);
  }
  size_t Calls(const std::wstring& file, platform::PluginExport which) const {
    return modules.CallCount(file, which);
  }

  std::map<std::wstring, platform::SimPlugin> plugins;
};

}  // namespace corvane::plugins::testing
