#pragma once
// The audio mixer through winmm; its change notifications arrive at the UI thread's
// message window.

#include "platform/mixer.h"
#include "platform/win32/message_window.h"

namespace corvane::platform {

class Win32Mixers final : public Mixers {
 public:
  // `window` must outlive the devices opened here.
  explicit Win32Mixers(MessageWindow& window) : window_(window) {}
  std::unique_ptr<MixerDevice> Open(uint32_t mixerId, std::function<void(MixerChange)> onChange) override;

 private:
  MessageWindow& window_;
};

}  // namespace corvane::platform
