#include "platform/sim/wave_in_sim.h"

#include <string>

namespace corvane::platform {

class SimWaveIn::Input final : public WaveInput {
 public:
  explicit Input(SimWaveIn& owner) : owner_(owner) {}
  ~Input() override {
    std::lock_guard lock(owner_.mutex_);
    owner_.open_ = nullptr;
  }

  uint32_t Queue(std::span<uint8_t> buffer) override {
    std::lock_guard lock(owner_.mutex_);
    queued_.push_back({buffer.data(), buffer.size(), 0});
    return kWaveOk;
  }
  uint32_t Start() override {
    std::lock_guard lock(owner_.mutex_);
    started_ = true;
    return kWaveOk;
  }
  uint32_t Stop() override {
    std::lock_guard lock(owner_.mutex_);
    started_ = false;
    return kWaveOk;
  }
  std::optional<FilledBuffer> WaitFilled() override {
    std::unique_lock lock(owner_.mutex_);
    owner_.changed_.wait(lock, [&] { return !done_.empty() || reset_; });
    if (done_.empty()) return std::nullopt;  // reset, and every buffer is back
    const FilledBuffer filled = done_.front();
    done_.pop_front();
    return filled;
  }
  void Reset() override {
    std::lock_guard lock(owner_.mutex_);
    reset_ = true;
    started_ = false;
    for (const FilledBuffer& buffer : queued_) done_.push_back(buffer);
    queued_.clear();
    owner_.changed_.notify_all();
  }

  // Under the owner's mutex.
  size_t Fill(size_t buffers) {
    size_t filled = 0;
    while (started_ && filled < buffers && !queued_.empty()) {
      FilledBuffer buffer = queued_.front();
      queued_.pop_front();
      for (size_t i = 0; i < buffer.capacity; ++i) buffer.data[i] = owner_.signal_++;
      buffer.recorded = buffer.capacity;
      done_.push_back(buffer);
      ++filled;
    }
    owner_.changed_.notify_all();
    return filled;
  }

 private:
  SimWaveIn& owner_;
  std::deque<FilledBuffer> queued_;
  std::deque<FilledBuffer> done_;
  bool started_ = false;
  bool reset_ = false;
};

uint32_t SimWaveIn::Check(std::span<const uint8_t> format) const {
  if (format.size() < 18) return kWaveErrorBadFormat;
  const uint16_t tag = static_cast<uint16_t>(format[0] | format[1] << 8);
  if (refusedTags.contains(tag)) return kWaveErrorBadFormat;
  if (busy || open_) return kWaveErrorAllocated;
  return kWaveOk;
}

uint32_t SimWaveIn::Query(int, std::span<const uint8_t> format) {
  std::lock_guard lock(mutex_);
  return Check(format);
}

std::unique_ptr<WaveInput> SimWaveIn::Open(int deviceId, std::span<const uint8_t> format, uint32_t& error) {
  std::lock_guard lock(mutex_);
  error = Check(format);
  if (error != kWaveOk) return nullptr;
  auto input = std::make_unique<Input>(*this);
  open_ = input.get();
  lastOpenedFormat.assign(format.begin(), format.end());
  lastDeviceId = deviceId;
  ++opens;
  return input;
}

std::wstring SimWaveIn::ErrorText(uint32_t error) {
  switch (error) {
    case kWaveErrorAllocated: return L"设备正在使用";
    case kWaveErrorBadFormat: return L"不支持的格式";
    default: return L"错误 " + std::to_wstring(error);
  }
}

size_t SimWaveIn::Capture(size_t buffers) {
  std::lock_guard lock(mutex_);
  return open_ ? open_->Fill(buffers) : 0;
}

bool SimWaveIn::DeviceOpen() const {
  std::lock_guard lock(mutex_);
  return open_ != nullptr;
}

uint8_t SimWaveIn::SignalPosition() const {
  std::lock_guard lock(mutex_);
  return signal_;
}

}  // namespace corvane::platform
