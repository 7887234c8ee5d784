#pragma once
// A simulated capture device. It records only when the test says so, and what it records
// is a known signal: the bytes 0, 1, 2 ... 255, 0, 1 ... running on across buffers and
// recordings, so a test can tell whether any byte was lost or repeated.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <vector>

#include "platform/wave_in.h"

namespace corvane::platform {

class SimWaveIn final : public WaveIn {
 public:
  uint32_t Query(int deviceId, std::span<const uint8_t> format) override;
  std::unique_ptr<WaveInput> Open(int deviceId, std::span<const uint8_t> format, uint32_t& error) override;
  std::wstring ErrorText(uint32_t error) override;

  // Fills up to `buffers` of the open device's queued buffers, oldest first; how many.
  size_t Capture(size_t buffers);
  bool DeviceOpen() const;
  // The next byte of the signal.
  uint8_t SignalPosition() const;

  // Format tags the device refuses.
  std::set<uint16_t> refusedTags;
  // Another program holds the device: opening fails as busy.
  bool busy = false;
  std::vector<uint8_t> lastOpenedFormat;
  int lastDeviceId = 0;
  int opens = 0;

 private:
  class Input;
  friend class Input;
  uint32_t Check(std::span<const uint8_t> format) const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  Input* open_ = nullptr;
  uint8_t signal_ = 0;
};

}  // namespace corvane::platform
