#pragma once
// Small text and number helpers the menu captions are built with.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace corvane::menus {

// Upper-cases ASCII letters only: file names are compared as the application hook reports
// them, and other characters must stay untouched.
std::wstring UpperAscii(std::wstring_view text);

// Sorted without regard to ASCII case, as the profile lists show names.
std::vector<std::wstring> SortedNames(std::vector<std::wstring> names);

// The folder part of a path, with its trailing '\' ("C:\Games\" for "C:\Games\a.exe").
std::wstring FolderOf(std::wstring_view path);

// A date as the menus show it: "yyyy-mm-dd".
std::wstring DateText(double days);

// `path` without a trailing '\', for keys built as a root path plus a sub-key name.
std::wstring ChildKey(const std::wstring& root, const std::wstring& child);

}  // namespace corvane::menus
