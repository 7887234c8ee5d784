#pragma once
// Key combinations as the hotkey list shows them ("Ctrl+Alt+F1") and back. Every 16-bit
// shortcut code has a text that reads back to the same code, so a row of the list never
// loses its key however odd the stored code was.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::hotkeys {

// "" for 0.
std::wstring ShortCutToText(uint16_t code);
// 0 for a text that names no key combination.
uint16_t TextToShortCut(std::wstring_view text);

}  // namespace corvane::hotkeys
