#include "audio/wave_audio_io.h"

#include <algorithm>

namespace corvane::audio {

EWaveAudioError::EWaveAudioError(const std::wstring& message, uint32_t code)
    : std::runtime_error("wave audio error"), message_(message), code_(code) {}

size_t BufferBytes(const WaveFormatHeader& header, uint32_t lengthMs) {
  const uint64_t bytes = uint64_t{lengthMs} * header.avgBytesPerSec / 1000;
  const uint64_t blocks = (bytes + header.blockAlign - 1) / header.blockAlign;
  return static_cast<size_t>(std::max<uint64_t>(blocks, 1) * header.blockAlign);
}

TWaveAudioIO::TWaveAudioIO(platform::Threading& threading, platform::WaveIn& waveIn)
    : threading_(threading), waveIn_(waveIn), bufferLock_(threading.NewLock()) {}

TWaveAudioIO::~TWaveAudioIO() {
  // The derived part is gone by now; it stops its own recording in its destructor.
  CloseDevice();
}

std::optional<uint32_t> PeakLevel(const WaveFormatHeader& header, std::span<const uint8_t> sound) {
  if (header.formatTag != kWaveFormatPcm) return std::nullopt;
  uint32_t peak = 0;
  if (header.bitsPerSample == 8) {
    if (sound.empty()) return std::nullopt;
    // Unsigned, silence at 128.
    for (uint8_t sample : sound) peak = std::max<uint32_t>(peak, sample >= 128 ? sample - 128u : 128u - sample);
    return (peak * 100 + 64) / 128;
  }
  if (header.bitsPerSample == 16) {
    if (sound.size() < 2) return std::nullopt;
    for (size_t i = 0; i + 1 < sound.size(); i += 2) {
      const auto sample = static_cast<int16_t>(sound[i] | sound[i + 1] << 8);
      peak = std::max<uint32_t>(peak, static_cast<uint32_t>(sample < 0 ? -int32_t{sample} : int32_t{sample}));
    }
    return (peak * 100 + 16384) / 32768;
  }
  return std::nullopt;
}

void TWaveAudioIO::SetBufferLength(uint32_t ms) { bufferLength_ = std::max(ms, kMinimumBufferLength); }

void TWaveAudioIO::ReportError(const std::wstring& message) {
  if (OnError) OnError(message);
}

void TWaveAudioIO::Fail(const std::wstring& message, uint32_t code) {
  lastError_ = code;
  throw EWaveAudioError(message, code);
}

void TWaveAudioIO::Open() {
  if (state_ == State::Opening) return;
  if (state_ != State::Closed) Fail(L"设备已经打开", 0);
  state_ = State::Opening;
  try {
    const WaveFormat format = ObtainFormat();
    if (BufferBytes(format.Header(), bufferLength_) > kLargestBuffer) {
      Fail(waveIn_.ErrorText(platform::kWaveErrorBadFormat), platform::kWaveErrorBadFormat);
    }
    if (const uint32_t refused = waveIn_.Query(DeviceID, format.Bytes()); refused != platform::kWaveOk) {
      Fail(waveIn_.ErrorText(refused), refused);
    }
    openFormat_ = format.Header();
    uint32_t error = platform::kWaveOk;
    device_ = waveIn_.Open(DeviceID, format.Bytes(), error);
    if (!device_) Fail(waveIn_.ErrorText(error), error);
    stopping_ = false;
    try {
      BeforeStart(format);
      const size_t bytes = BufferBytes(openFormat_, bufferLength_);
      buffers_.assign(std::max<uint32_t>(BufferCount, 1), std::vector<uint8_t>(bytes));
      for (auto& buffer : buffers_) {
        if (const uint32_t queued = device_->Queue(buffer); queued != platform::kWaveOk) {
          Fail(waveIn_.ErrorText(queued), queued);
        }
      }
      thread_ = threading_.StartThread([this] { CallbackLoop(); });
      if (!thread_) Fail(L"无法创建线程", 0);
      if (const uint32_t started = device_->Start(); started != platform::kWaveOk) Fail(waveIn_.ErrorText(started), started);
    } catch (...) {
      CloseDevice();
      AfterClose();
      throw;
    }
  } catch (...) {
    state_ = State::Closed;
    throw;
  }
  state_ = State::Recording;
  if (OnActivate) OnActivate();
}

void TWaveAudioIO::CallbackLoop() {
  while (const auto filled = device_->WaitFilled()) {
    platform::LockGuard guard(*bufferLock_);
    const std::span<const uint8_t> sound{filled->data, filled->recorded};
    BufferFilled(sound);
    if (OnLevel) {
      if (const std::optional<uint32_t> level = PeakLevel(openFormat_, sound)) OnLevel(*level);
    }
    if (stopping_) continue;
    if (const uint32_t queued = device_->Queue({filled->data, filled->capacity}); queued != platform::kWaveOk) {
      ReportError(waveIn_.ErrorText(queued));
    }
  }
}

void TWaveAudioIO::CloseDevice() {
  if (!device_) return;
  {
    platform::LockGuard guard(*bufferLock_);
    stopping_ = true;
  }
  device_->Reset();
  thread_.reset();  // joins once every buffer is back
  device_.reset();
  platform::LockGuard guard(*bufferLock_);
  buffers_.clear();
}

void TWaveAudioIO::Pause() {
  if (state_ != State::Recording || paused_) return;
  if (const uint32_t stopped = device_->Stop(); stopped != platform::kWaveOk) Fail(waveIn_.ErrorText(stopped), stopped);
  paused_ = true;
  if (OnPause) OnPause();
}

void TWaveAudioIO::Resume() {
  if (state_ != State::Recording || !paused_) return;
  if (const uint32_t started = device_->Start(); started != platform::kWaveOk) Fail(waveIn_.ErrorText(started), started);
  paused_ = false;
  if (OnResume) OnResume();
}

void TWaveAudioIO::Stop() {
  if (state_ != State::Recording) return;
  paused_ = false;
  state_ = State::Closing;
  CloseDevice();
  AfterClose();
  state_ = State::Closed;
  if (OnDeactivate) OnDeactivate();
}

WaveFormat TWaveAudioIn::ObtainFormat() {
  if (auto format = FormatOf(PCMFormat)) return *format;
  if (!OnFormat) Fail(L"没有录音格式", 0);
  auto format = WaveFormat::Parse(OnFormat());
  if (!format) Fail(L"不支持的录音格式", platform::kWaveErrorBadFormat);
  return *format;
}

}  // namespace corvane::audio
