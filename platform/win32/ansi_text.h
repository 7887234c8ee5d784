#pragma once
// Wide text to and from the system's ANSI code page, for the calls and records that only
// take ANSI (WinExec, the first-version tray record, another process's list view).

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::platform {

// Characters the code page lacks become its default character.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view text);

// The longest prefix of `text` (in `codePage`, 0 for the ANSI code page) of at most
// `maxBytes` bytes that does not end inside a double-byte character.
std::string CutAnsi(std::string_view text, size_t maxBytes, uint32_t codePage = 0);

}  // namespace corvane::platform
