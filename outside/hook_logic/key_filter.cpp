#include "outside/hook_logic/key_filter.h"

#include <algorithm>
#include <optional>

#include "hotkeys/stored_hotkey.h"

namespace corvane::outside {

uint16_t ShortcutCode(uint8_t virtualKey, Modifiers modifiers) {
  uint16_t code = virtualKey;
  if (modifiers.shift) code |= kShiftBit;
  if (modifiers.ctrl) code |= kCtrlBit;
  if (modifiers.alt) code |= kAltBit;
  return code;
}

bool IsModifierKey(uint8_t virtualKey) {
  // Shift, Ctrl, Alt and their left/right forms: part of a combination, never one alone.
  return (virtualKey >= 0x10 && virtualKey <= 0x12) || (virtualKey >= 0xA0 && virtualKey <= 0xA5);
}

KeyTable KeyTable::FromStoredValues(const std::vector<std::pair<std::wstring, std::wstring>>& values) {
  KeyTable table;
  for (const auto& [name, data] : values) {
    const std::optional<hotkeys::HotkeyEntry> entry = hotkeys::ParseStoredHotkey(name, data);
    if (!entry) continue;
    table.codes_.push_back(entry->keyCode);
    const uint8_t key = static_cast<uint8_t>(entry->keyCode & 0xFF);
    table.keys_[key >> 6] |= uint64_t{1} << (key & 63);
  }
  std::sort(table.codes_.begin(), table.codes_.end());
  table.codes_.erase(std::unique(table.codes_.begin(), table.codes_.end()), table.codes_.end());
  return table;
}

bool KeyTable::Contains(uint16_t code) const { return std::binary_search(codes_.begin(), codes_.end(), code); }

}  // namespace corvane::outside
