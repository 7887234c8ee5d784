#pragma once
// What the hotkey actions reach outside the program's own objects: the recorder and
// mixer, the maker's monitor switch and the screen capture. The program fills these in
// for the platform it runs on; an empty member makes its action do nothing.

#include <functional>
#include <string>

#include "hotkeys/hotkey_audio.h"
#include "hotkeys/screenshot_name.h"

namespace corvane::hotkeys {

namespace MonitorPower {
inline constexpr int On = 0;
inline constexpr int Off = 1;
}  // namespace MonitorPower

struct HotkeyDevices {
  HotkeyAudio audio;
  // support.dll's TurnMonitor(mode, main window).
  std::function<void(int mode)> TurnMonitor;
  // The primary screen into a bitmap file at `path`; false when nothing was saved.
  std::function<bool(const std::wstring& path)> SaveScreenshot;
  // The local time of day, for the screenshot's name.
  std::function<TimeOfDay()> Now;
};

}  // namespace corvane::hotkeys
