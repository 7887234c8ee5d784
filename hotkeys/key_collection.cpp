#include "hotkeys/key_collection.h"

#include <optional>
#include <utility>

#include "platform/registry_values.h"

namespace corvane::hotkeys {

TKeyCollection::TKeyCollection(platform::Registry& registry, std::wstring keysPath)
    : registry_(registry), keysPath_(std::move(keysPath)) {
  LoadHotkeys();
}

void TKeyCollection::LoadHotkeys() {
  entries_.clear();
  std::unique_ptr<platform::RegistryKey> key =
      registry_.OpenKey(platform::RegistryRoot::CurrentUser, keysPath_, true);
  if (!key) return;
  for (const std::wstring& name : key->ValueNames()) {
    const std::optional<std::wstring> data = platform::ReadRegString(*key, name);
    if (!data) continue;
    if (std::optional<HotkeyEntry> entry = ParseStoredHotkey(name, *data)) entries_.push_back(std::move(*entry));
  }
}

void TKeyCollection::ExecuteHotkey(uint16_t keyCode, const HotkeyRunner& run) const {
  if (!run) return;
  // A copy: an action may reload the table under our feet.
  const std::vector<HotkeyEntry> entries = entries_;
  for (const HotkeyEntry& entry : entries)
    if (entry.keyCode == keyCode) run(entry);
}

}  // namespace corvane::hotkeys
