#include "hotkeys/screenshot_name.h"

namespace corvane::hotkeys {

std::wstring ScreenshotFileName(const std::wstring& folder, const std::optional<TimeOfDay>& time,
                                const std::function<bool(const std::wstring&)>& fileExists) {
  // The default folder is "c:\": a second separator would make a path some programs refuse.
  std::wstring stem = folder;
  if (stem.empty() || stem.back() != L'\\') stem += L'\\';
  stem += L"Untitled";
  std::wstring suffix;
  if (time)
    suffix = L"-" + std::to_wstring(time->hour) + L"-" + std::to_wstring(time->minute) + L"-" +
             std::to_wstring(time->second);
  suffix += L".bmp";
  for (int n = 0; n <= kMaxScreenshotNumber; ++n) {
    std::wstring path = stem + std::to_wstring(n) + suffix;
    if (!fileExists || !fileExists(path)) return path;
  }
  return {};
}

}  // namespace corvane::hotkeys
