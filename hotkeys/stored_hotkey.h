#pragma once
// One hotkey as the editor stores it: the value name "s_" + key code in decimal, the data
// "action:argument". Other programs can write that key too, so anything malformed is
// refused here rather than trusted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::hotkeys {

inline constexpr int kHotkeyActionCount = 28;
// The driver of the action never sees more of the argument than this.
inline constexpr size_t kMaxHotkeyArgument = 255;

struct HotkeyEntry {
  uint16_t keyCode = 0;
  int action = 0;
  std::wstring argument;
  bool operator==(const HotkeyEntry&) const = default;
};

// The entry of one stored value; nothing when the name is not "s_" + a 16-bit decimal
// code, or the data has no decimal action 0..27 before its first ':'. A longer argument is
// cut to kMaxHotkeyArgument characters.
std::optional<HotkeyEntry> ParseStoredHotkey(std::wstring_view valueName, std::wstring_view data);

}  // namespace corvane::hotkeys
