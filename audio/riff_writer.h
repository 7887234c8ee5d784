#pragma once
// RIFF chunks written into a file as multimedia file I/O writes them: a chunk is created
// with its size left 0, and ascending out of it fills the size in (and pads an odd chunk).

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/recording_files.h"

namespace corvane::audio {

using FourCC = std::array<char, 4>;

class RiffWriter {
 public:
  explicit RiffWriter(platform::OutputFile& file) : file_(file) {}

  // A "RIFF" chunk of the given form type.
  bool CreateRiff(FourCC formType);
  bool CreateChunk(FourCC id);
  // Into the innermost open chunk; false on a short write, or when the chunk would grow
  // past what its 32-bit size can say (nothing is written then).
  bool Write(std::span<const uint8_t> bytes);
  // Out of the innermost open chunk, its size filled in.
  bool Ascend();
  size_t OpenChunks() const { return dataStarts_.size(); }

 private:
  bool PutHeader(FourCC id);
  platform::OutputFile& file_;
  std::vector<uint32_t> dataStarts_;
};

}  // namespace corvane::audio
