#include "audio/audio_recording.h"

#include <algorithm>

namespace corvane::audio {
namespace {

// Far more recordings than a folder ever holds; past it the folder is not a real one.
constexpr int kMostRecordings = 100000;

}  // namespace

std::wstring NextRecordingName(platform::RecordingFiles& files, const std::wstring& folder) {
  std::wstring prefix = folder;
  if (prefix.empty() || (prefix.back() != L'\\' && prefix.back() != L'/')) prefix += L'\\';
  prefix += L"Untitled";
  for (int n = 0; n < kMostRecordings; ++n) {
    std::wstring name = prefix + std::to_wstring(n) + L".wav";
    if (!files.Exists(name)) return name;
  }
  return {};
}

AudioRecording::AudioRecording(const AudioContext& context)
    : sar1(context.threading, context.waveIn, context.files), context_(context) {
  sar1.PCMFormat = TPCMFormat::nonePCM;
  sar1.Async = true;
  sar1.OnFormat = [this] { return std::span<const uint8_t>(format_); };
}

void AudioRecording::LoadAudioFormat() {
  formatLoaded_ = false;
  format_.clear();
  const auto bytes = context_.formatFile.Read(kFormatBufferSize);
  if (!bytes) return;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes->data());
  auto format = WaveFormat::Parse({data, bytes->size()});
  if (!format) format = FormatOf(kDefaultPcmFormat);
  format_.assign(format->Bytes().begin(), format->Bytes().end());
  formatLoaded_ = true;
}

bool AudioRecording::SaveAudioFormat() {
  if (format_.empty()) return false;
  return context_.formatFile.Replace({reinterpret_cast<const char*>(format_.data()), format_.size()});
}

bool AudioRecording::ChooseFormat(std::span<const uint8_t> format) {
  const auto parsed = WaveFormat::Parse(format);
  if (!parsed) return false;
  format_.assign(parsed->Bytes().begin(), parsed->Bytes().end());
  formatLoaded_ = true;
  return SaveAudioFormat();
}

void AudioRecording::StartRecording() {
  if (!formatLoaded_) return;
  StopRecording();  // waits until the current file is finished
  const std::wstring name = NextRecordingName(context_.files, context_.reg1.GetString(L"AudioFolder"));
  if (name.empty()) return;
  try {
    sar1.RecordToFile(name);
  } catch (const EWaveAudioError&) {
    return;  // the hotkey has no one to tell; no file stays open
  }
  currentFile_ = name;
  if (context_.reg1.GetInteger(L"AudioLimit") != 0) {
    // Whole seconds that SetTimer can wait: from one second to its longest interval.
    const int64_t seconds =
        std::clamp<int64_t>(context_.reg1.GetInteger(L"AudioSeconds"), 1, platform::kMaximumTimerIntervalMs / 1000);
    tmRecord = context_.clock.StartTimer(static_cast<uint32_t>(seconds * 1000), false, [this] { tmRecordTimer(); });
  }
}

void AudioRecording::StopRecording() {
  // A limit timer of a recording that ended must not cut short the next one.
  tmRecord.reset();
  if (sar1.Active()) sar1.Stop();
}

void AudioRecording::tmRecordTimer() {
  tmRecord.reset();
  if (sar1.Active()) sar1.Stop();
}

}  // namespace corvane::audio
