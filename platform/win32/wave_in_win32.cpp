#include "platform/win32/wave_in_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <deque>
#include <vector>

namespace corvane::platform {
namespace {

UINT DeviceOf(int deviceId) { return deviceId < 0 ? WAVE_MAPPER : static_cast<UINT>(deviceId); }

// waveInOpen takes the format by a non-const pointer; a copy keeps the caller's bytes safe.
std::vector<uint8_t> FormatCopy(std::span<const uint8_t> format) { return {format.begin(), format.end()}; }

class EventHandle {
 public:
  EventHandle() : handle_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~EventHandle() {
    if (handle_) CloseHandle(handle_);
  }
  EventHandle(const EventHandle&) = delete;
  EventHandle& operator=(const EventHandle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

class Win32WaveInput final : public WaveInput {
 public:
  Win32WaveInput() = default;
  ~Win32WaveInput() override {
    if (!device_) return;
    waveInReset(device_);
    for (auto& header : queued_) waveInUnprepareHeader(device_, header.get(), sizeof(WAVEHDR));
    waveInClose(device_);
  }

  uint32_t OpenDevice(int deviceId, std::span<const uint8_t> format) {
    if (!event_.Get()) return MMSYSERR_NOMEM;
    std::vector<uint8_t> bytes = FormatCopy(format);
    return waveInOpen(&device_, DeviceOf(deviceId), reinterpret_cast<LPCWAVEFORMATEX>(bytes.data()),
                      reinterpret_cast<DWORD_PTR>(event_.Get()), 0, CALLBACK_EVENT);
  }

  // Queue and WaitFilled run on one thread at a time: the opener's, then the callback thread's.
  uint32_t Queue(std::span<uint8_t> buffer) override {
    auto header = std::make_unique<WAVEHDR>();
    header->lpData = reinterpret_cast<LPSTR>(buffer.data());
    header->dwBufferLength = static_cast<DWORD>(buffer.size());
    MMRESULT result = waveInPrepareHeader(device_, header.get(), sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR) return result;
    result = waveInAddBuffer(device_, header.get(), sizeof(WAVEHDR));
    if (result != MMSYSERR_NOERROR) {
      waveInUnprepareHeader(device_, header.get(), sizeof(WAVEHDR));
      return result;
    }
    queued_.push_back(std::move(header));
    return MMSYSERR_NOERROR;
  }

  uint32_t Start() override { return waveInStart(device_); }
  uint32_t Stop() override { return waveInStop(device_); }

  std::optional<FilledBuffer> WaitFilled() override {
    for (;;) {
      if (!queued_.empty() && (queued_.front()->dwFlags & WHDR_DONE) != 0) {
        std::unique_ptr<WAVEHDR> header = std::move(queued_.front());
        queued_.pop_front();
        waveInUnprepareHeader(device_, header.get(), sizeof(WAVEHDR));
        const size_t recorded = std::min<size_t>(header->dwBytesRecorded, header->dwBufferLength);
        return FilledBuffer{reinterpret_cast<uint8_t*>(header->lpData), header->dwBufferLength, recorded};
      }
      if (queued_.empty() && reset_.load()) return std::nullopt;
      WaitForSingleObject(event_.Get(), INFINITE);
    }
  }

  void Reset() override {
    reset_.store(true);
    waveInReset(device_);  // marks every queued buffer done and signals the event
    SetEvent(event_.Get());
  }

 private:
  EventHandle event_;
  HWAVEIN device_ = nullptr;
  std::deque<std::unique_ptr<WAVEHDR>> queued_;
  std::atomic<bool> reset_{false};
};

}  // namespace

uint32_t Win32WaveIn::Query(int deviceId, std::span<const uint8_t> format) {
  std::vector<uint8_t> bytes = FormatCopy(format);
  return waveInOpen(nullptr, DeviceOf(deviceId), reinterpret_cast<LPCWAVEFORMATEX>(bytes.data()), 0, 0,
                    WAVE_FORMAT_QUERY);
}

std::unique_ptr<WaveInput> Win32WaveIn::Open(int deviceId, std::span<const uint8_t> format, uint32_t& error) {
  auto input = std::make_unique<Win32WaveInput>();
  error = input->OpenDevice(deviceId, format);
  if (error != MMSYSERR_NOERROR) return nullptr;
  return input;
}

std::wstring Win32WaveIn::ErrorText(uint32_t error) {
  wchar_t text[MAXERRORLENGTH] = {};
  if (waveInGetErrorTextW(error, text, MAXERRORLENGTH) != MMSYSERR_NOERROR) return L"错误 " + std::to_wstring(error);
  return text;
}

}  // namespace corvane::platform
