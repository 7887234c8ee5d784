// "audio.dat" as any program or a damaged disk leaves it: read at start-up, then handed
// to the device and written into the "fmt " chunk of the next recording.
#include <string>

#include "audio/audio_recording.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/recording_files_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/sim/wave_in_sim.h"
#include "platform/sim/whole_file_sim.h"
#include "settings/program_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  platform::SimThreading threading;
  platform::SimClock clock;
  platform::SimWaveIn waveIn;
  platform::SimRecordingFiles files;
  platform::SimWholeFile formatFile;
  platform::SimRegistry registry;
  auto reg1 = settings::CreateProgramSettings(registry);
  formatFile.contents = std::string(reinterpret_cast<const char*>(data), size);

  audio::AudioRecording recording({threading, clock, waveIn, files, formatFile, *reg1});
  recording.LoadAudioFormat();
  if (!recording.FormatLoaded()) __builtin_trap();  // a file that is there always gives a format
  const auto format = recording.Format();
  if (format.size() < audio::kWaveFormatExSize || format.size() > size + audio::kWaveFormatExSize) __builtin_trap();

  recording.sar1.SetBufferLength(10);
  recording.StartRecording();
  waveIn.Capture(1);
  recording.StopRecording();
  if (files.openFiles != 0) __builtin_trap();
  return 0;
}
