#pragma once
// Which names can stand for a stored profile of any kind.

#include <string>

namespace corvane::settings {

// A name the registry takes as one sub-key of a profile kind's key: an empty name would be
// the kind's own key, and '\' would reach into or create nested keys. Nothing is applied,
// read, matched or saved by any other name; names from the registry (game profiles,
// hotkeys, the 2D/3D switch) may be empty.
inline bool IsProfileName(const std::wstring& name) { return !name.empty() && name.find(L'\\') == std::wstring::npos; }

}  // namespace corvane::settings
