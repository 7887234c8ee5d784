#pragma once
// Conversions at the binary boundaries: the program's wide strings to and from
// UTF-16LE bytes (registry, escapes) and UTF-8 (sources, logs, test output).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

// With a terminating NUL, as REG_SZ stores it.
std::vector<uint8_t> ToUtf16LeBytes(std::wstring_view text);
// Stops at the first NUL; an odd trailing byte is ignored.
std::wstring FromUtf16LeBytes(std::span<const uint8_t> bytes);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Upper-cases ASCII letters only, as the registry's name comparison does for them.
std::wstring UpperAscii(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

}  // namespace corvane::platform
