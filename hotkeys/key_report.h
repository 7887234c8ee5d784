#pragma once
// A key report as the keyboard hook leaves it in its shared mapping: a pending flag the
// program sets back to 0, and the shortcut code of the pressed keys.

#include <cstdint>

namespace corvane::hotkeys {

struct KeyReport {
  uint32_t pending = 0;  // 1 when a report waits
  uint16_t keyCode = 0;
};

}  // namespace corvane::hotkeys
