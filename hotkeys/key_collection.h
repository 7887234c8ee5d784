#pragma once
// TKeyCollection: the hotkey table as the registry holds it, and the run of every entry
// bound to a pressed key. The main form owns one from start-up to FormClose.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "hotkeys/stored_hotkey.h"
#include "platform/registry.h"

namespace corvane::hotkeys {

using HotkeyRunner = std::function<void(const HotkeyEntry&)>;

class TKeyCollection {
 public:
  // `keysPath`: the "keys" profile key below HKEY_CURRENT_USER. Loads the table.
  TKeyCollection(platform::Registry& registry, std::wstring keysPath);

  // The table again from the registry, in the registry's order; the key is created when
  // missing. Values that do not parse are left out.
  void LoadHotkeys();
  // Runs every entry bound to `keyCode`, in table order.
  void ExecuteHotkey(uint16_t keyCode, const HotkeyRunner& run) const;

  const std::vector<HotkeyEntry>& Entries() const { return entries_; }

 private:
  platform::Registry& registry_;
  std::wstring keysPath_;
  std::vector<HotkeyEntry> entries_;
};

}  // namespace corvane::hotkeys
