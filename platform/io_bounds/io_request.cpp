#include "platform/io_bounds/io_request.h"

namespace corvane::io_bounds {
namespace {

struct PortCode {
  uint32_t code;
  uint8_t width;
  bool write;
};

constexpr PortCode kPortCodes[] = {
    {control_code::ReadPort8, 1, false},  {control_code::ReadPort16, 2, false},  {control_code::ReadPort32, 4, false},
    {control_code::WritePort8, 1, true},  {control_code::WritePort16, 2, true},  {control_code::WritePort32, 4, true},
};

}  // namespace

uint32_t LoadWord(const uint8_t* bytes, uint32_t index) {
  const uint8_t* p = bytes + 4 * index;
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void StoreWord(uint8_t* bytes, uint32_t index, uint32_t value) {
  uint8_t* p = bytes + 4 * index;
  for (unsigned i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

Refusal DecodeRequest(uint32_t code, const uint8_t* input, uint32_t inputLength, uint32_t outputLength,
                      IoRequest& request) {
  request = IoRequest{};
  if (code == control_code::MapPhysical) {
    if (!input || inputLength != kMapRequestSize || outputLength != kMapReplySize) return Refusal::BadBuffers;
    request.kind = RequestKind::Map;
    request.physicalLow = LoadWord(input, 0);
    request.physicalHigh = LoadWord(input, 1);
    request.length = LoadWord(input, 2);
    return Refusal::None;
  }
  if (code == control_code::UnmapPhysical) {
    if (!input || inputLength != kUnmapRequestSize || outputLength != 0) return Refusal::BadBuffers;
    request.kind = RequestKind::Unmap;
    request.userAddress = LoadWord(input, 0);
    return Refusal::None;
  }
  for (const PortCode& port : kPortCodes) {
    if (port.code != code) continue;
    if (!input || inputLength != kPortRecordSize || outputLength != kPortRecordSize) return Refusal::BadBuffers;
    request.kind = port.write ? RequestKind::PortWrite : RequestKind::PortRead;
    request.port = LoadWord(input, 0);
    request.width = port.width;
    request.value = port.write ? LoadWord(input, 1) & WidthMask(port.width) : 0;
    return Refusal::None;
  }
  return Refusal::UnknownCode;
}

}  // namespace corvane::io_bounds
