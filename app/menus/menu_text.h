#pragma once
// Small text and number helpers the menu captions are built with, and profile items.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "ui/menu.h"

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

// One item a profile under `menu`, captioned with its name as it is (no accelerators: "&"
// shows), that applies the stored name itself when clicked.
void AddProfileItems(ui::TMenuItem& menu, const std::vector<std::wstring>& names,
                     const std::function<void(const std::wstring& name)>& apply);

// `path` without a trailing '\', for keys built as a root path plus a sub-key name.
std::wstring ChildKey(const std::wstring& root, const std::wstring& child);

}  // namespace corvane::menus
