#pragma once
// Small text and number helpers the menu captions are built with.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace corvane::menus {

// To the nearest integer, ties to even, as the FPU rounds by default.
int32_t RoundHalfEven(double value);

// Upper-cases ASCII letters only: file names are compared as the application hook reports
// them, and other characters must stay untouched.
std::wstring UpperAscii(std::wstring_view text);

// Sorted without regard to ASCII case, as the profile lists show names.
std::vector<std::wstring> SortedNames(std::vector<std::wstring> names);

// The folder part of a path, with its trailing '\' ("C:\Games\" for "C:\Games\a.exe").
std::wstring FolderOf(std::wstring_view path);

// Floats and dates are stored as the registry accessor writes them: an 8-byte REG_BINARY
// double (dates as days since 1899-12-30). Anything else reads as nothing.
std::optional<double> ReadStoredFloat(const platform::RegistryKey& key, const std::wstring& name);
bool WriteStoredFloat(platform::RegistryKey& key, const std::wstring& name, double value);

// A date as the menus show it: "yyyy-mm-dd".
std::wstring DateText(double days);

// `path` without a trailing '\', for keys built as a root path plus a sub-key name.
std::wstring ChildKey(const std::wstring& root, const std::wstring& child);

}  // namespace corvane::menus
