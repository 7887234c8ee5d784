#pragma once
// Decimal numbers as the driver's text settings, typed rates and mode names hold them,
// and the blanks a typed or stored text may carry around them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::settings {

// Without leading and trailing blanks and control characters: a stray tab or line end is
// no part of a setting or a typed number.
inline std::wstring TrimBlanks(std::wstring_view text) {
  auto blank = [](wchar_t c) { return static_cast<uint32_t>(c) <= 0x20; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return std::wstring(text.substr(first, last - first));
}

// Plain decimal digits, at most `maxDigits` (at most nine, which always fit 32 bits);
// nothing for an empty text, a sign, a blank or anything else.
inline std::optional<uint32_t> ParseDecimal(std::wstring_view text, size_t maxDigits = 9) {
  if (text.empty() || text.size() > maxDigits || maxDigits > 9) return std::nullopt;
  uint32_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - L'0');
  }
  return value;
}

// The same for a 16-bit field: a mode's width, height, depth or rate.
inline std::optional<uint16_t> ParseDecimal16(std::wstring_view text) {
  const std::optional<uint32_t> value = ParseDecimal(text, 5);
  if (!value || *value > 0xFFFF) return std::nullopt;
  return static_cast<uint16_t>(*value);
}

}  // namespace corvane::settings
