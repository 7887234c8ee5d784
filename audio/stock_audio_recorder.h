#pragma once
// The recorder that writes what the device records into a RIFF WAVE file: "fmt " holds
// the whole format, "data" the sound; both sizes are filled in when recording stops.

#include <memory>
#include <optional>
#include <string>

#include "audio/riff_writer.h"
#include "audio/wave_audio_io.h"
#include "platform/recording_files.h"

namespace corvane::audio {

class TStockAudioRecorder : public TWaveAudioIn {
 public:
  TStockAudioRecorder(platform::Threading& threading, platform::WaveIn& waveIn, platform::RecordingFiles& files);
  ~TStockAudioRecorder() override;

  // Creates the file (replacing one that is there) and records into it; the recorder owns it.
  void RecordToFile(const std::wstring& fileName);
  // Records into the caller's stream, which is cut to nothing first. An owned stream is
  // freed when recording stops or fails.
  void RecordToStream(std::unique_ptr<platform::OutputFile> stream);
  void RecordToStream(platform::OutputFile& stream);

 protected:
  void BeforeStart(const WaveFormat& format) override;
  void BufferFilled(std::span<const uint8_t> sound) override;
  void AfterClose() override;

 private:
  bool MayOpen();
  void Record(platform::OutputFile& stream);

  platform::RecordingFiles& files_;
  std::unique_ptr<platform::OutputFile> ownedStream_;
  platform::OutputFile* stream_ = nullptr;
  std::optional<RiffWriter> riff_;
};

}  // namespace corvane::audio
