// busconf keeps each register setting as a value name ("1-0-0-12-0-64") that users and
// other tools edit. A name is taken only when it parses whole, and a taken name is written
// back as the same setting.
#include <algorithm>

#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"
#include "plugins/busconf/bus_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  const std::wstring name(data, data + size);
  if (const auto setting = busconf::ParseSettingName(name)) {
    const auto again = busconf::ParseSettingName(busconf::SettingName(*setting));
    if (!again || !(*again == *setting)) __builtin_trap();
  }
  // The same text as names in the registry, one a line, read as at start and at resume.
  platform::SimRegistry registry;
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, busconf::kSettingsKey, true);
  size_t start = 0;
  while (start <= name.size()) {
    const size_t end = std::min(name.find(L'\n', start), name.size());
    platform::WriteRegString(*key, name.substr(start, end - start), L"");
    start = end + 1;
  }
  for (const busconf::BusSetting& setting : busconf::ReadSettings(registry))
    if (!busconf::ParseSettingName(busconf::SettingName(setting))) __builtin_trap();
  return 0;
}
