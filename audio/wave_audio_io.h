#pragma once
// The wave-in recorder's device side: opening the device in a format, the buffers in
// flight and the callback thread that takes them back from the device.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "audio/wave_format.h"
#include "platform/threading.h"
#include "platform/wave_in.h"

namespace corvane::audio {

// What the recorder raises when it cannot record; `Code` is the device's code, or 0.
class EWaveAudioError : public std::runtime_error {
 public:
  EWaveAudioError(const std::wstring& message, uint32_t code);
  const std::wstring& Message() const { return message_; }
  uint32_t Code() const { return code_; }

 private:
  std::wstring message_;
  uint32_t code_;
};

inline constexpr uint32_t kMinimumBufferLength = 10;
// A buffer larger than this is refused rather than allocated: no real format needs it.
inline constexpr uint64_t kLargestBuffer = 16u << 20;

// Bytes of a buffer of `lengthMs` in `header`'s format: whole blocks, at least one.
size_t BufferBytes(const WaveFormatHeader& header, uint32_t lengthMs);
// The loudest sample of 8- or 16-bit PCM sound, in per cent of full scale; nothing for
// other formats or no whole sample.
std::optional<uint32_t> PeakLevel(const WaveFormatHeader& header, std::span<const uint8_t> sound);

class TWaveAudioIO {
 public:
  enum class State { Closed, Opening, Recording, Closing };

  TWaveAudioIO(platform::Threading& threading, platform::WaveIn& waveIn);
  virtual ~TWaveAudioIO();
  TWaveAudioIO(const TWaveAudioIO&) = delete;
  TWaveAudioIO& operator=(const TWaveAudioIO&) = delete;

  int DeviceID = -1;  // the wave mapper
  uint32_t BufferCount = 2;
  bool Async = false;
  uint32_t BufferLength() const { return bufferLength_; }
  // Milliseconds per buffer; below 10 becomes 10.
  void SetBufferLength(uint32_t ms);

  bool Active() const { return state_ == State::Recording; }
  State CurrentState() const { return state_; }
  uint32_t LastError() const { return lastError_; }
  const WaveFormatHeader& OpenFormat() const { return openFormat_; }

  // Closes the device after every buffer came back, then finishes the output. Nothing when closed.
  void Stop();
  // The device stops and starts again; the recording stays open meanwhile. Each does
  // nothing unless recording and not paused (Pause) or paused (Resume); a device that
  // refuses raises EWaveAudioError and the state stays as it was.
  void Pause();
  void Resume();
  bool Paused() const { return paused_; }

  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;
  // On the callback thread, under the buffer-list lock.
  std::function<void(const std::wstring& message)> OnError;
  std::function<void()> OnPause;
  std::function<void()> OnResume;
  // On the callback thread, under the buffer-list lock: the loudest sample of each PCM
  // buffer, 0..100 per cent of full scale. Not called for compressed formats.
  std::function<void(uint32_t percent)> OnLevel;

 protected:
  // Opens the device in the format `ObtainFormat` gives and starts recording; raises
  // EWaveAudioError and stays closed when that fails.
  void Open();
  virtual WaveFormat ObtainFormat() = 0;
  // After the device opened, before it starts: prepare the output; raise to give up.
  virtual void BeforeStart(const WaveFormat& format) = 0;
  // On the callback thread under the lock: sound the device recorded.
  virtual void BufferFilled(std::span<const uint8_t> sound) = 0;
  // After the device closed (also when opening failed after BeforeStart).
  virtual void AfterClose() = 0;
  void ReportError(const std::wstring& message);
  [[noreturn]] void Fail(const std::wstring& message, uint32_t code);

 private:
  void CallbackLoop();
  void CloseDevice();

  platform::Threading& threading_;
  platform::WaveIn& waveIn_;
  uint32_t bufferLength_ = 1000;
  State state_ = State::Closed;
  uint32_t lastError_ = 0;
  WaveFormatHeader openFormat_;
  std::unique_ptr<platform::Lock> bufferLock_;
  std::vector<std::vector<uint8_t>> buffers_;  // under bufferLock_
  bool stopping_ = false;                      // under bufferLock_
  bool paused_ = false;
  std::unique_ptr<platform::WaveInput> device_;
  std::unique_ptr<platform::Thread> thread_;  // TWaveThread
};

class TWaveAudioIn : public TWaveAudioIO {
 public:
  using TWaveAudioIO::TWaveAudioIO;

  TPCMFormat PCMFormat = TPCMFormat::Mono16bit8000Hz;
  // Asked for the format when PCMFormat is nonePCM: a whole WAVEFORMATEX that stays the
  // caller's.
  std::function<std::span<const uint8_t>()> OnFormat;

 protected:
  WaveFormat ObtainFormat() override;
};

}  // namespace corvane::audio
