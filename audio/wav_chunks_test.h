#pragma once
// Reads back a WAV file the recorder wrote, the way a player would: the RIFF header, then
// the chunks by their sizes.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace corvane::audio::test {

struct WavChunks {
  uint32_t riffSize = 0;
  std::string formType;
  std::map<std::string, std::string> chunks;  // by id, their data
};

inline uint32_t ReadDword(const std::string& bytes, size_t at) {
  return uint32_t{uint8_t(bytes[at])} | uint32_t{uint8_t(bytes[at + 1])} << 8 | uint32_t{uint8_t(bytes[at + 2])} << 16 |
         uint32_t{uint8_t(bytes[at + 3])} << 24;
}

// Nothing when the sizes do not add up to the file.
inline std::optional<WavChunks> ReadWav(const std::string& bytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) return std::nullopt;
  WavChunks wav;
  wav.riffSize = ReadDword(bytes, 4);
  if (wav.riffSize != bytes.size() - 8) return std::nullopt;
  wav.formType = bytes.substr(8, 4);
  size_t at = 12;
  while (at < bytes.size()) {
    if (at + 8 > bytes.size()) return std::nullopt;
    const uint32_t size = ReadDword(bytes, at + 4);
    if (size > bytes.size() - at - 8) return std::nullopt;
    wav.chunks[bytes.substr(at, 4)] = bytes.substr(at + 8, size);
    at += 8 + size + size % 2;
  }
  return at == bytes.size() ? std::optional(wav) : std::nullopt;
}

// The simulated device's signal from `first` on, `size` bytes.
inline std::string Signal(uint8_t first, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(static_cast<uint8_t>(first + i));
  return bytes;
}

}  // namespace corvane::audio::test
