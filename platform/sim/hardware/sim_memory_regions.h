#pragma once
// The plain kinds of physical memory: video memory that holds what is stored in it,
// and a ROM (the video BIOS image) that ignores stores.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/sim/hardware/sim_physical_memory.h"

namespace corvane::platform::sim {

// Memory of any size, kept in 4 KB pages that are allocated when first stored to, so a
// 256 MB frame buffer costs only what the test touches. Untouched bytes read 0.
class SparseMemory final : public PhysicalRegion {
 public:
  uint32_t Load(uint32_t offset, unsigned width) override;
  bool Store(uint32_t offset, unsigned width, uint32_t value) override;
  size_t PagesInUse() const { return pages_.size(); }

 private:
  static constexpr uint32_t kPageSize = 0x1000;
  using Page = std::vector<uint8_t>;
  std::map<uint32_t, Page> pages_;  // by page number
};

// A fixed image; stores are refused.
class RomImage final : public PhysicalRegion {
 public:
  explicit RomImage(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint32_t Load(uint32_t offset, unsigned width) override;
  bool Store(uint32_t, unsigned, uint32_t) override { return false; }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace corvane::platform::sim
