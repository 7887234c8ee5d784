#pragma once
// What the hotkeys need of the recorder and the master mixer line. The main form fills it
// in from its audio objects; a member left empty makes its action do nothing.

#include <functional>

namespace corvane::hotkeys {

struct HotkeyAudio {
  std::function<void()> StartRecording;
  std::function<void()> StopRecording;
  std::function<bool()> Recording;
  // Master volume one step up (at most 100) or down (at least 0).
  std::function<void()> VolumeUp;
  std::function<void()> VolumeDown;
  std::function<void()> ToggleMute;
};

}  // namespace corvane::hotkeys
