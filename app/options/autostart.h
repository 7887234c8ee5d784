#pragma once
// Starting with Windows: the value "Corvane" under the current user's Run key, holding
// the program's path in double quotes.

#include <string>

#include "platform/registry.h"

namespace corvane::options {

inline constexpr wchar_t kRunKey[] = L"\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"Corvane";

// True when the value starts this program: its path quoted, or as older installs wrote
// it, unquoted (exact text). A value of another type starts nothing.
bool AutostartOn(platform::Registry& registry, const std::wstring& programPath);
// On: writes the quoted path (an unquoted one is rewritten). Off: deletes the value.
void SetAutostart(platform::Registry& registry, const std::wstring& programPath, bool on);

}  // namespace corvane::options
