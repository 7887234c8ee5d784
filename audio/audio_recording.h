#pragma once
// The main form's recording: the format it keeps in "audio.dat", the start and stop
// hotkeys, the Untitled<N>.wav file names and the optional time limit.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "audio/stock_audio_recorder.h"
#include "platform/clock.h"
#include "platform/recording_files.h"
#include "platform/threading.h"
#include "platform/wave_in.h"
#include "platform/whole_file.h"
#include "settings/reg_values.h"

namespace corvane::audio {

struct AudioContext {
  platform::Threading& threading;
  platform::Clock& clock;
  platform::WaveIn& waveIn;
  platform::RecordingFiles& files;
  platform::WholeFile& formatFile;  // "audio.dat" in the user data folder
  settings::TRegValues& reg1;
};

// The name of the next recording in `folder`: the first Untitled<N>.wav not there.
// Empty when every name up to a bound is taken.
std::wstring NextRecordingName(platform::RecordingFiles& files, const std::wstring& folder);

class AudioRecording {
 public:
  explicit AudioRecording(const AudioContext& context);

  // At start-up: the format from "audio.dat" when it is there. A damaged file gives the
  // recorder's default format rather than bytes the device would be handed unchecked.
  void LoadAudioFormat();
  // False when "audio.dat" could not be written.
  bool SaveAudioFormat();
  // The options dialog chose a format: kept and saved. False when it is not a usable format.
  bool ChooseFormat(std::span<const uint8_t> format);

  void StartRecording();
  void StopRecording();
  void tmRecordTimer();

  bool FormatLoaded() const { return formatLoaded_; }
  std::span<const uint8_t> Format() const { return format_; }
  bool Recording() const { return sar1.Active(); }
  const std::wstring& CurrentFile() const { return currentFile_; }
  bool LimitTimerRunning() const { return tmRecord != nullptr; }

  TStockAudioRecorder sar1;

 private:
  AudioContext context_;
  std::vector<uint8_t> format_;  // one whole WAVEFORMATEX
  bool formatLoaded_ = false;
  std::wstring currentFile_;
  std::unique_ptr<platform::Timer> tmRecord;
};

}  // namespace corvane::audio
