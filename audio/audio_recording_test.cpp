#include "audio/audio_recording.h"

#include <gtest/gtest.h>

#include "audio/wav_chunks_test.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/recording_files_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/sim/wave_in_sim.h"
#include "platform/sim/whole_file_sim.h"
#include "settings/program_settings.h"

namespace corvane::audio {
namespace {

using test::ReadWav;
using test::Signal;

const std::string kPcm8k16Mono("\x01\x00\x01\x00\x40\x1F\x00\x00\x80\x3E\x00\x00\x02\x00\x10\x00\x00\x00", 18);

class AudioRecordingTest : public ::testing::Test {
 protected:
  AudioRecordingTest() {
    reg1->SetValue(L"AudioFolder", std::wstring(L"d:\\rec"));
    formatFile.contents = kPcm8k16Mono;
  }
  AudioRecording& Loaded() {
    recording.LoadAudioFormat();
    recording.sar1.SetBufferLength(10);  // 160 bytes
    return recording;
  }

  platform::SimThreading threading;
  platform::SimClock clock;
  platform::SimWaveIn waveIn;
  platform::SimRecordingFiles files;
  platform::SimWholeFile formatFile;
  platform::SimRegistry registry;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  AudioRecording recording{{threading, clock, waveIn, files, formatFile, *reg1}};
};

TEST(NextRecordingName, TakesTheFirstUntitledNumberNotThere) {
  struct Case {
    std::vector<std::wstring> present;
    std::wstring folder;
    std::wstring expected;
  };
  const Case cases[] = {
      {{}, L"d:\\rec", L"d:\\rec\\Untitled0.wav"},
      {{L"d:\\rec\\Untitled0.wav", L"d:\\rec\\Untitled1.wav"}, L"d:\\rec", L"d:\\rec\\Untitled2.wav"},
      {{L"d:\\rec\\Untitled1.wav"}, L"d:\\rec", L"d:\\rec\\Untitled0.wav"},
      {{L"c:\\Untitled0.wav"}, L"c:\\", L"c:\\Untitled1.wav"},  // the default folder ends in a backslash
  };
  for (const Case& c : cases) {
    platform::SimRecordingFiles files;
    for (const auto& name : c.present) files.files[name] = std::make_shared<std::string>();
    EXPECT_EQ(NextRecordingName(files, c.folder), c.expected);
  }
}

TEST_F(AudioRecordingTest, StartingWhileRecordingFinishesTheFirstFileAndOpensTheNext) {
  Loaded().StartRecording();
  ASSERT_TRUE(recording.Recording());
  EXPECT_EQ(recording.CurrentFile(), L"d:\\rec\\Untitled0.wav");
  waveIn.Capture(2);
  recording.StartRecording();
  EXPECT_TRUE(recording.Recording());
  EXPECT_EQ(recording.CurrentFile(), L"d:\\rec\\Untitled1.wav");
  EXPECT_EQ(files.openFiles, 1);

  const auto first = ReadWav(*files.files.at(L"d:\\rec\\Untitled0.wav"));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->chunks.at("fmt "), kPcm8k16Mono);
  EXPECT_EQ(first->chunks.at("data"), Signal(0, 320));

  waveIn.Capture(1);
  recording.StopRecording();
  const auto second = ReadWav(*files.files.at(L"d:\\rec\\Untitled1.wav"));
  ASSERT_TRUE(second);
  EXPECT_EQ(second->chunks.at("data"), Signal(64, 160));  // the signal runs on where it left off
}

TEST_F(AudioRecordingTest, TheTimeLimitStopsTheRecordingOnlyWhenSet) {
  reg1->SetValue(L"AudioLimit", int32_t{1});
  reg1->SetValue(L"AudioSeconds", int32_t{60});
  Loaded().StartRecording();
  clock.Advance(59999);
  EXPECT_TRUE(recording.Recording());
  clock.Advance(1);
  EXPECT_FALSE(recording.Recording());
  EXPECT_TRUE(ReadWav(*files.files.at(L"d:\\rec\\Untitled0.wav")));

  reg1->SetValue(L"AudioLimit", int32_t{0});
  recording.StartRecording();
  clock.Advance(3600 * 1000);
  EXPECT_TRUE(recording.Recording());
}

TEST_F(AudioRecordingTest, AStoppedRecordingsTimerDoesNotCutTheNextOneShort) {
  reg1->SetValue(L"AudioLimit", int32_t{1});
  reg1->SetValue(L"AudioSeconds", int32_t{60});
  Loaded().StartRecording();
  clock.Advance(30000);
  recording.StopRecording();
  reg1->SetValue(L"AudioLimit", int32_t{0});
  recording.StartRecording();
  clock.Advance(30000);
  EXPECT_TRUE(recording.Recording());
}

TEST_F(AudioRecordingTest, WithoutAFormatOrWithARefusedOneTheHotkeyDoesNothing) {
  formatFile.contents.reset();
  recording.LoadAudioFormat();
  EXPECT_FALSE(recording.FormatLoaded());
  recording.StartRecording();
  EXPECT_FALSE(recording.Recording());
  EXPECT_TRUE(files.files.empty());

  formatFile.contents = kPcm8k16Mono;
  waveIn.refusedTags = {1};
  Loaded().StartRecording();  // the recorder's error goes no further
  EXPECT_FALSE(recording.Recording());
  EXPECT_EQ(files.openFiles, 0);
}

TEST_F(AudioRecordingTest, ADamagedFormatFileGivesTheDefaultFormat) {
  std::string extraBeyondTheEnd = kPcm8k16Mono;
  extraBeyondTheEnd[16] = 100;
  std::string noBlockAlign = kPcm8k16Mono;
  noBlockAlign[12] = 0;
  // Extra bytes said to run on past the end of a large file.
  const std::string cutOff = kPcm8k16Mono.substr(0, 16) + "\x40\x9C" + std::string(20000, 'x');
  // A data rate of 1.6 GB/s: the recorder would size its buffers by it.
  std::string absurdRate = kPcm8k16Mono;
  absurdRate.replace(8, 4, "\x5e\x23\x5e\x5e");
  const std::string damaged[] = {"",           "RIFF",       kPcm8k16Mono.substr(0, 17), extraBeyondTheEnd, noBlockAlign,
                                 absurdRate, cutOff};
  for (const std::string& contents : damaged) {
    SCOPED_TRACE(contents.size());
    formatFile.contents = contents;
    recording.LoadAudioFormat();
    EXPECT_TRUE(recording.FormatLoaded());
    const auto format = recording.Format();
    EXPECT_EQ(std::string(format.begin(), format.end()), kPcm8k16Mono);
  }
}

TEST_F(AudioRecordingTest, TheFormatFileHoldsExactlyTheFormatAndItsExtraBytes) {
  std::string compressed = kPcm8k16Mono;
  compressed[0] = 0x31;
  compressed[16] = 2;
  compressed += "\x40\x01";
  formatFile.contents = compressed + "trailing bytes";
  recording.LoadAudioFormat();
  ASSERT_TRUE(recording.FormatLoaded());
  ASSERT_TRUE(recording.SaveAudioFormat());
  EXPECT_EQ(formatFile.contents, compressed);

  const std::string chosen = kPcm8k16Mono;
  EXPECT_TRUE(recording.ChooseFormat({reinterpret_cast<const uint8_t*>(chosen.data()), chosen.size()}));
  EXPECT_EQ(formatFile.contents, chosen);
  EXPECT_FALSE(recording.ChooseFormat({}));
  EXPECT_EQ(formatFile.contents, chosen);
}

}  // namespace
}  // namespace corvane::audio
