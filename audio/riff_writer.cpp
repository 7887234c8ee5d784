#include "audio/riff_writer.h"

namespace corvane::audio {
namespace {

// The largest file whose sizes a RIFF header can hold, with room for the headers' padding.
constexpr uint32_t kLargestFile = 0xFFFFFFF0;

std::array<uint8_t, 4> LittleEndian(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value >> 16),
          static_cast<uint8_t>(value >> 24)};
}

std::span<const uint8_t> BytesOf(const FourCC& id) { return {reinterpret_cast<const uint8_t*>(id.data()), id.size()}; }

}  // namespace

bool RiffWriter::PutHeader(FourCC id) {
  if (!file_.Write(BytesOf(id)) || !file_.Write(LittleEndian(0))) return false;
  dataStarts_.push_back(file_.Position());
  return true;
}

bool RiffWriter::CreateRiff(FourCC formType) {
  return PutHeader({'R', 'I', 'F', 'F'}) && file_.Write(BytesOf(formType));
}

bool RiffWriter::CreateChunk(FourCC id) { return PutHeader(id); }

bool RiffWriter::Write(std::span<const uint8_t> bytes) {
  if (bytes.size() > kLargestFile - file_.Position()) return false;
  return file_.Write(bytes);
}

bool RiffWriter::Ascend() {
  if (dataStarts_.empty()) return false;
  const uint32_t start = dataStarts_.back();
  dataStarts_.pop_back();
  uint32_t end = file_.Position();
  const uint32_t size = end - start;
  if (size % 2 != 0) {
    static constexpr uint8_t kPad[1] = {0};
    if (!file_.Write(kPad)) return false;
    ++end;
  }
  return file_.Seek(start - 4) && file_.Write(LittleEndian(size)) && file_.Seek(end);
}

}  // namespace corvane::audio
