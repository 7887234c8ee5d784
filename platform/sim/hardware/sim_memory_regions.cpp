#include "platform/sim/hardware/sim_memory_regions.h"

namespace corvane::platform::sim {

uint32_t SparseMemory::Load(uint32_t offset, unsigned width) {
  uint32_t value = 0;
  for (unsigned i = 0; i < width; ++i) {
    const uint32_t at = offset + i;
    auto page = pages_.find(at / kPageSize);
    if (page != pages_.end()) value |= uint32_t{page->second[at % kPageSize]} << (8 * i);
  }
  return value;
}

bool SparseMemory::Store(uint32_t offset, unsigned width, uint32_t value) {
  for (unsigned i = 0; i < width; ++i) {
    const uint32_t at = offset + i;
    Page& page = pages_[at / kPageSize];
    if (page.empty()) page.resize(kPageSize);
    page[at % kPageSize] = static_cast<uint8_t>(value >> (8 * i));
  }
  return true;
}

uint32_t RomImage::Load(uint32_t offset, unsigned width) {
  uint32_t value = 0;
  for (unsigned i = 0; i < width; ++i)
    if (offset + i < bytes_.size()) value |= uint32_t{bytes_[offset + i]} << (8 * i);
  return value;
}

}  // namespace corvane::platform::sim
