#pragma once
// The wave-in device through winmm: opened with an event that the device signals as each
// buffer comes back, so the recorder's own thread can wait for it.

#include "platform/wave_in.h"

namespace corvane::platform {

class Win32WaveIn final : public WaveIn {
 public:
  uint32_t Query(int deviceId, std::span<const uint8_t> format) override;
  std::unique_ptr<WaveInput> Open(int deviceId, std::span<const uint8_t> format, uint32_t& error) override;
  std::wstring ErrorText(uint32_t error) override;
};

}  // namespace corvane::platform
