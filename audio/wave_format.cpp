#include "audio/wave_format.h"

namespace corvane::audio {
namespace {

uint16_t Word(std::span<const uint8_t> bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }

uint32_t Dword(std::span<const uint8_t> bytes, size_t at) { return Word(bytes, at) | uint32_t{Word(bytes, at + 2)} << 16; }

void PutWord(std::vector<uint8_t>& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(std::vector<uint8_t>& bytes, uint32_t value) {
  PutWord(bytes, static_cast<uint16_t>(value));
  PutWord(bytes, static_cast<uint16_t>(value >> 16));
}

}  // namespace

std::optional<WaveFormat> WaveFormat::Parse(std::span<const uint8_t> bytes) {
  if (bytes.size() < kWaveFormatExSize) return std::nullopt;
  const size_t size = kWaveFormatExSize + Word(bytes, 16);
  if (size > bytes.size()) return std::nullopt;
  const WaveFormatHeader header{Word(bytes, 0), Word(bytes, 2), Dword(bytes, 4), Dword(bytes, 8), Word(bytes, 12),
                                Word(bytes, 14)};
  if (header.channels == 0 || header.blockAlign == 0 || header.avgBytesPerSec == 0) return std::nullopt;
  if (header.avgBytesPerSec > kMaxCaptureBytesPerSec) return std::nullopt;
  return WaveFormat(std::vector<uint8_t>(bytes.begin(), bytes.begin() + size), header);
}

WaveFormat WaveFormat::Pcm(uint16_t channels, uint32_t samplesPerSec, uint16_t bitsPerSample) {
  const uint16_t blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
  const WaveFormatHeader header{kWaveFormatPcm, channels, samplesPerSec, blockAlign * samplesPerSec, blockAlign,
                                bitsPerSample};
  std::vector<uint8_t> bytes;
  PutWord(bytes, header.formatTag);
  PutWord(bytes, header.channels);
  PutDword(bytes, header.samplesPerSec);
  PutDword(bytes, header.avgBytesPerSec);
  PutWord(bytes, header.blockAlign);
  PutWord(bytes, header.bitsPerSample);
  PutWord(bytes, 0);
  return WaveFormat(std::move(bytes), header);
}

std::optional<WaveFormat> FormatOf(TPCMFormat format) {
  if (format == TPCMFormat::nonePCM) return std::nullopt;
  static constexpr uint32_t kRates[] = {8000, 11025, 22050, 44100, 48000};
  const int index = static_cast<int>(format) - 1;
  const int combination = index % 4;  // mono 8, stereo 8, mono 16, stereo 16
  const uint16_t channels = combination % 2 == 0 ? 1 : 2;
  const uint16_t bits = combination < 2 ? 8 : 16;
  return WaveFormat::Pcm(channels, kRates[index / 4], bits);
}

}  // namespace corvane::audio
