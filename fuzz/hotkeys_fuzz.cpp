// The hotkey table as other programs may leave it: any value names, any data. Input: the
// value name, a NUL, then the data, each byte one character, several values separated by
// a second NUL. The program loads the table at start-up and runs entries on key presses.
#include <cstdint>
#include <string>
#include <vector>

#include "hotkeys/hotkey_actions.h"
#include "hotkeys/key_collection.h"
#include "hotkeys/stored_hotkey.h"
#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  std::vector<std::wstring> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      parts.emplace_back();
    } else {
      // Bytes above 0x7F stand for characters anywhere in the BMP.
      parts.back() += data[i] < 0x80 ? static_cast<wchar_t>(data[i]) : static_cast<wchar_t>(data[i] * 0x97);
    }
  }
  const std::wstring keysPath = L"\\SOFTWARE\\Quillon\\Corvane\\Profiles\\keys";
  platform::SimRegistry registry;
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, keysPath, true);
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (auto entry = hotkeys::ParseStoredHotkey(parts[i], parts[i + 1])) {
      if (entry->argument.size() > hotkeys::kMaxHotkeyArgument) __builtin_trap();
      if (entry->action < 0 || entry->action >= hotkeys::kHotkeyActionCount) __builtin_trap();
    }
    platform::WriteRegString(*key, parts[i], parts[i + 1]);
  }
  hotkeys::TKeyCollection keys(registry, keysPath);
  const hotkeys::HotkeyOperations none;
  for (const hotkeys::HotkeyEntry& entry : keys.Entries()) {
    hotkeys::StartProgramRequest(entry.argument, 0);
    keys.ExecuteHotkey(entry.keyCode, [&none](const hotkeys::HotkeyEntry& e) { RunHotkeyAction(e, none); });
  }
  return 0;
}
