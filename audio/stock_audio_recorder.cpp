#include "audio/stock_audio_recorder.h"

namespace corvane::audio {

TStockAudioRecorder::TStockAudioRecorder(platform::Threading& threading, platform::WaveIn& waveIn,
                                         platform::RecordingFiles& files)
    : TWaveAudioIn(threading, waveIn), files_(files) {}

// A recording still running is finished here, so its file is complete.
TStockAudioRecorder::~TStockAudioRecorder() { Stop(); }

void TStockAudioRecorder::RecordToFile(const std::wstring& fileName) {
  if (!MayOpen()) return;
  auto file = files_.Create(fileName);
  if (!file) Fail(L"无法创建文件 " + fileName, 0);
  RecordToStream(std::move(file));
}

void TStockAudioRecorder::RecordToStream(std::unique_ptr<platform::OutputFile> stream) {
  if (!MayOpen()) return;
  ownedStream_ = std::move(stream);
  Record(*ownedStream_);
}

void TStockAudioRecorder::RecordToStream(platform::OutputFile& stream) {
  if (!MayOpen()) return;
  Record(stream);
}

// Asked again while opening (from OnFormat): nothing, and the stream in use stays.
bool TStockAudioRecorder::MayOpen() {
  if (CurrentState() == State::Opening) return false;
  if (CurrentState() != State::Closed) Fail(L"设备已经打开", 0);
  return true;
}

void TStockAudioRecorder::Record(platform::OutputFile& stream) {
  stream_ = &stream;
  try {
    Open();
  } catch (...) {
    riff_.reset();
    stream_ = nullptr;
    ownedStream_.reset();
    throw;
  }
}

void TStockAudioRecorder::BeforeStart(const WaveFormat& format) {
  if (!stream_->Truncate()) Fail(L"无法写入文件", 0);
  riff_.emplace(*stream_);
  if (!riff_->CreateRiff({'W', 'A', 'V', 'E'}) || !riff_->CreateChunk({'f', 'm', 't', ' '}) ||
      !riff_->Write(format.Bytes()) || !riff_->Ascend() || !riff_->CreateChunk({'d', 'a', 't', 'a'})) {
    Fail(L"无法写入文件", 0);
  }
}

void TStockAudioRecorder::BufferFilled(std::span<const uint8_t> sound) {
  if (sound.empty() || !riff_) return;
  if (!riff_->Write(sound)) ReportError(L"无法写入文件");
}

void TStockAudioRecorder::AfterClose() {
  if (riff_) {
    while (riff_->OpenChunks() > 0) {
      if (!riff_->Ascend()) break;
    }
  }
  riff_.reset();
  stream_ = nullptr;
  ownedStream_.reset();
}

}  // namespace corvane::audio
