#include "audio/stock_audio_recorder.h"

#include <gtest/gtest.h>

#include "audio/wav_chunks_test.h"
#include "platform/sim/recording_files_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/sim/wave_in_sim.h"

namespace corvane::audio {
namespace {

using test::ReadWav;
using test::Signal;

// A format with `extra` bytes after the 18, as a codec's format carries them.
std::vector<uint8_t> CompressedFormat(uint16_t tag, uint16_t blockAlign, uint32_t avgBytes, uint16_t extra) {
  std::vector<uint8_t> bytes = {static_cast<uint8_t>(tag), static_cast<uint8_t>(tag >> 8), 1, 0, 0x40, 0x1F, 0, 0};
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(avgBytes >> (8 * i)));
  bytes.insert(bytes.end(), {static_cast<uint8_t>(blockAlign), static_cast<uint8_t>(blockAlign >> 8), 0, 0,
                             static_cast<uint8_t>(extra), static_cast<uint8_t>(extra >> 8)});
  for (uint16_t i = 0; i < extra; ++i) bytes.push_back(static_cast<uint8_t>(0xA0 + i));
  return bytes;
}

class StockAudioRecorderTest : public ::testing::Test {
 protected:
  std::string File(const std::wstring& name) { return *files.files.at(name); }

  platform::SimThreading threading;
  platform::SimWaveIn waveIn;
  platform::SimRecordingFiles files;
  TStockAudioRecorder recorder{threading, waveIn, files};
};

TEST_F(StockAudioRecorderTest, PcmRecordingHasItsSizesFilledInWhenStopped) {
  recorder.PCMFormat = TPCMFormat::Stereo16bit11025Hz;  // 44100 bytes a second, blocks of 4
  recorder.SetBufferLength(100);
  recorder.RecordToFile(L"a.wav");
  ASSERT_TRUE(recorder.Active());
  EXPECT_EQ(recorder.OpenFormat(), (WaveFormatHeader{1, 2, 11025, 44100, 4, 16}));
  EXPECT_EQ(waveIn.Capture(2), 2u);
  recorder.Stop();

  EXPECT_FALSE(recorder.Active());
  EXPECT_FALSE(waveIn.DeviceOpen());
  EXPECT_EQ(files.openFiles, 0);
  const auto wav = ReadWav(File(L"a.wav"));
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->formType, "WAVE");
  EXPECT_EQ(wav->chunks.at("fmt "), std::string("\x01\x00\x02\x00\x11\x2B\x00\x00\x44\xAC\x00\x00\x04\x00\x10\x00\x00\x00", 18));
  // 100 ms is 4410 bytes: rounded up to whole blocks, 4412.
  EXPECT_EQ(wav->chunks.at("data"), Signal(0, 2 * 4412));
}

TEST_F(StockAudioRecorderTest, BufferSizesAreWholeBlocksOfAtLeastTenMilliseconds) {
  struct Case {
    uint32_t lengthMs;
    uint16_t blockAlign;
    uint32_t avgBytes;
    size_t bufferBytes;
  };
  const Case cases[] = {
      {100, 65, 1625, 195},  // 162 bytes: three blocks
      {1000, 65, 1625, 1625},
      {3, 2, 16000, 160},  // raised to 10 ms
      {10, 256, 100, 256},   // less than a block still records a block
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lengthMs);
    const auto format = CompressedFormat(0x31, c.blockAlign, c.avgBytes, 2);
    recorder.PCMFormat = TPCMFormat::nonePCM;
    recorder.OnFormat = [&] { return std::span<const uint8_t>(format); };
    recorder.SetBufferLength(c.lengthMs);
    EXPECT_GE(recorder.BufferLength(), 10u);
    const uint8_t first = waveIn.SignalPosition();
    recorder.RecordToFile(L"b.wav");
    waveIn.Capture(1);
    recorder.Stop();
    const auto wav = ReadWav(File(L"b.wav"));
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->chunks.at("data"), Signal(first, c.bufferBytes));
  }
}

TEST_F(StockAudioRecorderTest, CompressedFormatsKeepTheirExtraBytesInTheFmtChunk) {
  for (uint16_t extra : {2, 3, 32}) {
    SCOPED_TRACE(extra);
    const auto format = CompressedFormat(0x31, 65, 1625, extra);
    recorder.PCMFormat = TPCMFormat::nonePCM;
    recorder.OnFormat = [&] { return std::span<const uint8_t>(format); };
    recorder.RecordToFile(L"c.wav");
    EXPECT_EQ(waveIn.lastOpenedFormat, format);
    waveIn.Capture(1);
    recorder.Stop();
    const auto wav = ReadWav(File(L"c.wav"));  // an odd chunk is padded, or the chunks after it are lost
    ASSERT_TRUE(wav);
    const std::string& fmt = wav->chunks.at("fmt ");
    EXPECT_EQ(fmt.size(), 18u + extra);
    EXPECT_EQ(fmt, std::string(format.begin(), format.end()));
    EXPECT_EQ(wav->chunks.at("data").size(), 1625u);
  }
}

TEST_F(StockAudioRecorderTest, AFormatTheDeviceCannotTakeLeavesItClosedAndNoFileOpen) {
  const std::vector<uint8_t> noBlockAlign = CompressedFormat(0x31, 0, 1625, 2);
  const std::vector<uint8_t> truncated(10, 1);
  struct Case {
    const char* what;
    std::function<void()> arrange;
  };
  const Case cases[] = {
      {"refused tag", [&] { waveIn.refusedTags = {1}; }},
      {"busy device", [&] { waveIn.busy = true; }},
      {"no block align", [&] { recorder.PCMFormat = TPCMFormat::nonePCM; recorder.OnFormat = [&] { return std::span<const uint8_t>(noBlockAlign); }; }},
      {"truncated format", [&] { recorder.PCMFormat = TPCMFormat::nonePCM; recorder.OnFormat = [&] { return std::span<const uint8_t>(truncated); }; }},
      {"file not created", [&] { files.failCreate = true; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    waveIn.refusedTags.clear();
    waveIn.busy = false;
    files.failCreate = false;
    recorder.PCMFormat = TPCMFormat::Mono16bit8000Hz;
    c.arrange();
    EXPECT_THROW(recorder.RecordToFile(L"d.wav"), EWaveAudioError);
    EXPECT_FALSE(recorder.Active());
    EXPECT_FALSE(waveIn.DeviceOpen());
    EXPECT_EQ(files.openFiles, 0);
  }
  // And it records once the cause is gone.
  files.failCreate = false;
  recorder.PCMFormat = TPCMFormat::Mono16bit8000Hz;
  recorder.RecordToFile(L"d.wav");
  EXPECT_TRUE(recorder.Active());
}

TEST_F(StockAudioRecorderTest, StartingTwiceRaisesAndKeepsTheFirstRecording) {
  recorder.RecordToFile(L"e.wav");
  try {
    recorder.RecordToFile(L"f.wav");
    FAIL() << "no error";
  } catch (const EWaveAudioError& error) {
    EXPECT_EQ(error.Message(), L"设备已经打开");
  }
  EXPECT_FALSE(files.Exists(L"f.wav"));
  waveIn.Capture(1);
  recorder.Stop();
  EXPECT_TRUE(ReadWav(File(L"e.wav")));
}

TEST_F(StockAudioRecorderTest, AFullDiskIsReportedAndTheRecordingGoesOn) {
  std::vector<std::wstring> errors;
  recorder.OnError = [&](const std::wstring& message) { errors.push_back(message); };
  recorder.SetBufferLength(100);  // 1600 bytes
  files.diskSpace = 44 + 1600 + 100;
  recorder.RecordToFile(L"g.wav");
  waveIn.Capture(2);
  recorder.Stop();
  EXPECT_FALSE(errors.empty());
  EXPECT_EQ(File(L"g.wav").size(), files.diskSpace);
  EXPECT_EQ(files.openFiles, 0);
}

TEST_F(StockAudioRecorderTest, ARecordingRunningWhenTheRecorderGoesIsFinished) {
  {
    TStockAudioRecorder second(threading, waveIn, files);
    second.SetBufferLength(10);
    second.RecordToFile(L"h.wav");
    waveIn.Capture(2);
  }
  EXPECT_FALSE(waveIn.DeviceOpen());
  const auto wav = ReadWav(File(L"h.wav"));
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->chunks.at("data"), Signal(0, 2 * 160));
}

}  // namespace
}  // namespace corvane::audio

namespace corvane::audio {
namespace {

TEST_F(StockAudioRecorderTest, PausingStopsTheDeviceWithoutEndingTheFileAndLevelsFollowEachBuffer) {
  recorder.PCMFormat = TPCMFormat::Mono8Bit8000Hz;
  recorder.SetBufferLength(10);  // 80 bytes
  std::vector<std::string> events;
  std::vector<uint32_t> levels;  // written on the callback thread, read after Stop joined it
  recorder.OnPause = [&] { events.push_back("pause"); };
  recorder.OnResume = [&] { events.push_back("resume"); };
  recorder.OnLevel = [&](uint32_t level) { levels.push_back(level); };
  recorder.Resume();  // not recording: nothing
  recorder.RecordToFile(L"p.wav");
  EXPECT_EQ(waveIn.Capture(1), 1u);
  recorder.Pause();
  recorder.Pause();
  EXPECT_TRUE(recorder.Paused() && recorder.Active());
  EXPECT_EQ(waveIn.Capture(2), 0u);
  recorder.Resume();
  EXPECT_EQ(waveIn.Capture(1), 1u);
  recorder.Pause();
  recorder.Stop();
  EXPECT_FALSE(recorder.Paused());

  EXPECT_EQ(events, (std::vector<std::string>{"pause", "resume", "pause"}));
  // Nothing lost or repeated around the pause; the two buffers reach the signal's 0, 128 away from silence.
  EXPECT_EQ(ReadWav(File(L"p.wav"))->chunks.at("data"), Signal(0, 160));
  ASSERT_GE(levels.size(), 2u);
  EXPECT_EQ(levels[0], 100u);
}

TEST(PeakLevel, PcmSamplesInPerCentOfFullScale) {
  const WaveFormatHeader mono8{kWaveFormatPcm, 1, 8000, 8000, 1, 8};
  const WaveFormatHeader mono16{kWaveFormatPcm, 1, 8000, 16000, 2, 16};
  const WaveFormatHeader adpcm{2, 1, 8000, 4096, 256, 4};
  struct Case {
    WaveFormatHeader format;
    std::vector<uint8_t> sound;
    std::optional<uint32_t> level;
  };
  const Case cases[] = {
      {mono8, {128, 128, 128}, 0u},
      {mono8, {128, 192, 100}, 50u},
      {mono8, {0}, 100u},
      {mono8, {}, std::nullopt},
      {mono16, {0x00, 0x40, 0x00, 0x00}, 50u},
      {mono16, {0x00, 0x80}, 100u},  // -32768
      {mono16, {0xFF}, std::nullopt},
      {adpcm, {0x00, 0x80}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(PeakLevel(c.format, c.sound), c.level);
}

}  // namespace
}  // namespace corvane::audio
