// A plug-in's information record: other people's code fills the 56 bytes with whatever it
// likes. The host probes the library as at start-up and keeps or skips it.
#include <algorithm>
#include <cstring>

#include "platform/sim/plugin_modules_sim.h"
#include "plugins/host/plugin_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  platform::SimPluginModules modules;
  platform::SimPlugin plugin;
  plugin.getPlugInfo = [data, size](PluginInfo& info) {
    std::memcpy(&info, data, std::min(size, sizeof info));
  };
  modules.Register(L"C:\\Corvane\\plugins\\fuzzed.dll", plugin);
  if (auto record = plugins::ProbePlugin(modules, L"C:\\Corvane\\plugins\\fuzzed.dll")) {
    // A kept record has a name that ended within its field.
    if (record->name.size() >= sizeof(PluginInfo{}.name)) __builtin_trap();
  }
  return 0;
}
