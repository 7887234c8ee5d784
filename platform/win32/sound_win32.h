#pragma once
// Notification sounds through winmm's sndPlaySound, asynchronously.

#include "platform/sound.h"

namespace corvane::platform {

class Win32Sounds final : public Sounds {
 public:
  void PlayAsync(const std::wstring& file) override;
};

}  // namespace corvane::platform
