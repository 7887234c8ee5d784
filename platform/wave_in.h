#pragma once
// The sound card's wave-in device: a format check, and an open device that fills the
// buffers queued on it, in the order they were queued.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace corvane::platform {

// The device's codes (MMSYSERR_*, WAVERR_*): 0 is success.
inline constexpr uint32_t kWaveOk = 0;
inline constexpr uint32_t kWaveErrorAllocated = 4;    // MMSYSERR_ALLOCATED: the device is busy
inline constexpr uint32_t kWaveErrorBadFormat = 32;   // WAVERR_BADFORMAT
inline constexpr uint32_t kWaveErrorNoDriver = 6;     // MMSYSERR_NODRIVER

// A buffer the device gave back: `recorded` of its `capacity` bytes hold sound.
struct FilledBuffer {
  uint8_t* data = nullptr;
  size_t capacity = 0;
  size_t recorded = 0;
};

class WaveInput {
 public:
  // Stops the device, takes back every buffer and closes it.
  virtual ~WaveInput() = default;
  // The buffer must stay alive until it comes back from WaitFilled or the device closes.
  virtual uint32_t Queue(std::span<uint8_t> buffer) = 0;
  virtual uint32_t Start() = 0;
  // Stops recording (waveInStop): the buffer being filled comes back with what it holds,
  // the others stay queued until Start.
  virtual uint32_t Stop() = 0;
  // Blocks until the oldest queued buffer is back. After Reset every queued buffer comes
  // back (partly filled) and then nothing, which tells the waiting thread to end.
  virtual std::optional<FilledBuffer> WaitFilled() = 0;
  // Any thread: stops recording and returns the queued buffers to WaitFilled.
  virtual void Reset() = 0;
};

class WaveIn {
 public:
  virtual ~WaveIn() = default;
  // `format` is a whole WAVEFORMATEX (18 bytes and its extra bytes). -1 is the wave mapper.
  virtual uint32_t Query(int deviceId, std::span<const uint8_t> format) = 0;
  // Null with `error` set when the device cannot be opened.
  virtual std::unique_ptr<WaveInput> Open(int deviceId, std::span<const uint8_t> format, uint32_t& error) = 0;
  virtual std::wstring ErrorText(uint32_t error) = 0;
};

}  // namespace corvane::platform
