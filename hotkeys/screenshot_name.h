#pragma once
// Where a screenshot goes: the first free "Untitled<n>[-h-m-s].bmp" in the chosen folder.

#include <functional>
#include <optional>
#include <string>

namespace corvane::hotkeys {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A folder that never frees a name still ends the search.
inline constexpr int kMaxScreenshotNumber = 100000;

// `folder` + "\Untitled" + n + suffix + ".bmp" for the first n = 0, 1, ... whose file
// does not exist; the suffix is "-h-m-s" of `time` when given. Empty when every number up
// to kMaxScreenshotNumber is taken.
std::wstring ScreenshotFileName(const std::wstring& folder, const std::optional<TimeOfDay>& time,
                                const std::function<bool(const std::wstring&)>& fileExists);

}  // namespace corvane::hotkeys
