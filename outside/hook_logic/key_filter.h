#pragma once
// What the keyboard hook does with each keystroke: a combination that is in the stored
// hotkey table is reported to the program and kept from the foreground window (its key-up
// too); everything else goes on untouched. The hook sits in front of every keystroke of the
// session, so the common case - a key no hotkey uses - is answered from one bit.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvane::outside {

inline constexpr uint16_t kShiftBit = 0x2000;
inline constexpr uint16_t kCtrlBit = 0x4000;
inline constexpr uint16_t kAltBit = 0x8000;

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// The shortcut code the hotkey table stores: virtual key in the low byte plus the modifier bits.
uint16_t ShortcutCode(uint8_t virtualKey, Modifiers modifiers);

// The key codes of the stored table ("s_<code>" values under the program's keys key).
class KeyTable {
 public:
  KeyTable() = default;
  // From the value names and string data as read from the registry; entries the program
  // would not run (malformed name or action) bind nothing.
  static KeyTable FromStoredValues(const std::vector<std::pair<std::wstring, std::wstring>>& values);

  bool UsesKey(uint8_t virtualKey) const { return (keys_[virtualKey >> 6] >> (virtualKey & 63)) & 1; }
  bool Contains(uint16_t code) const;
  size_t size() const { return codes_.size(); }

 private:
  std::array<uint64_t, 4> keys_{};
  std::vector<uint16_t> codes_;  // sorted, unique
};

enum class KeyVerdict { Pass, Report, Swallow };

struct KeyDecision {
  KeyVerdict verdict = KeyVerdict::Pass;
  uint16_t code = 0;  // with Report
};

bool IsModifierKey(uint8_t virtualKey);

// Remembers which keys had their key-down reported, so their key-up is kept back as well.
class KeyFilter {
 public:
  // `readModifiers` is asked only for a key the table uses.
  template <class ReadModifiers>
  KeyDecision Decide(const KeyTable& table, uint8_t virtualKey, bool down, ReadModifiers&& readModifiers) {
    if (!down) return TakeKeyUp(virtualKey);
    if (!table.UsesKey(virtualKey) || IsModifierKey(virtualKey)) return {};
    const uint16_t code = ShortcutCode(virtualKey, readModifiers());
    if (!table.Contains(code)) return {};
    held_[virtualKey >> 6] |= uint64_t{1} << (virtualKey & 63);
    return {KeyVerdict::Report, code};
  }

  // The key-down reported last went to the window after all (nobody took the report):
  // its key-up goes there too.
  void Forget(uint8_t virtualKey) { held_[virtualKey >> 6] &= ~(uint64_t{1} << (virtualKey & 63)); }

 private:
  KeyDecision TakeKeyUp(uint8_t virtualKey) {
    uint64_t& word = held_[virtualKey >> 6];
    const uint64_t bit = uint64_t{1} << (virtualKey & 63);
    if (!(word & bit)) return {};
    word &= ~bit;
    return {KeyVerdict::Swallow, 0};
  }

  std::array<uint64_t, 4> held_{};
};

}  // namespace corvane::outside
