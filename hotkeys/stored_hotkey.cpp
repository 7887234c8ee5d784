#include "hotkeys/stored_hotkey.h"

namespace corvane::hotkeys {
namespace {

constexpr std::wstring_view kValuePrefix = L"s_";

// Plain decimal digits only, at most `limit`; no sign, no spaces, no empty text.
std::optional<uint32_t> ParseDecimal(std::wstring_view text, uint32_t limit) {
  if (text.empty()) return std::nullopt;
  uint32_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - L'0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<HotkeyEntry> ParseStoredHotkey(std::wstring_view valueName, std::wstring_view data) {
  if (!valueName.starts_with(kValuePrefix)) return std::nullopt;
  const std::optional<uint32_t> keyCode = ParseDecimal(valueName.substr(kValuePrefix.size()), 0xFFFF);
  if (!keyCode) return std::nullopt;
  const size_t colon = data.find(L':');
  if (colon == std::wstring_view::npos) return std::nullopt;
  const std::optional<uint32_t> action = ParseDecimal(data.substr(0, colon), kHotkeyActionCount - 1);
  if (!action) return std::nullopt;
  HotkeyEntry entry;
  entry.keyCode = static_cast<uint16_t>(*keyCode);
  entry.action = static_cast<int>(*action);
  entry.argument = std::wstring(data.substr(colon + 1, kMaxHotkeyArgument));
  return entry;
}

}  // namespace corvane::hotkeys
