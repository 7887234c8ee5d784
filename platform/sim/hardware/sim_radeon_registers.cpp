#include "platform/sim/hardware/sim_radeon_registers.h"

#include <cstddef>
#include <numeric>
#include <utility>

namespace corvane::platform::sim {
namespace {

using namespace radeon_reg;

uint32_t WidthMask(unsigned width) { return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1; }

uint32_t Merge(uint32_t old, uint32_t value, uint32_t mask) { return (old & ~mask) | (value & mask); }

// Appends to a log that drops its older half when it reaches RadeonRegisters::kLogLimit.
template <typename Entry>
void AppendBounded(std::vector<Entry>& log, Entry entry) {
  if (log.size() >= RadeonRegisters::kLogLimit)
    log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(RadeonRegisters::kLogLimit / 2));
  log.push_back(std::move(entry));
}

}  // namespace

RadeonRegisters::RadeonRegisters() {
  // The palette starts as the identity ramp the display driver loads.
  for (uint32_t i = 0; i < kPaletteSize; ++i) palette_[i] = i * 0x010101u;
}

uint32_t RadeonRegisters::LoadDword(uint32_t dwordOffset) const {
  switch (dwordOffset) {
    case kPllIndex: return pllIndex_;
    case kPllData: return pll_[pllIndex_ & kPllIndexMask];
    case kPaletteIndex: return paletteIndex_;
    case kPaletteData: return palette_[paletteIndex_];
    default: {
      auto it = plain_.find(dwordOffset);
      return it == plain_.end() ? 0 : it->second;
    }
  }
}

void RadeonRegisters::StoreDword(uint32_t dwordOffset, uint32_t value, uint32_t mask) {
  switch (dwordOffset) {
    case kPllIndex:
      // Only the index byte is simulated; the divider-select bits above it are not.
      if (mask & 0xFF) {
        pllIndex_ = static_cast<uint8_t>(value);
        AppendBounded(pllIndexBytes_, pllIndex_);
      }
      return;
    case kPllData: {
      if (!(pllIndex_ & kPllWriteEnable)) {
        ++ignoredPllWrites_;
        return;
      }
      const uint8_t index = pllIndex_ & kPllIndexMask;
      pll_[index] = Merge(pll_[index], value, mask);
      ++pllWrites_[index];
      return;
    }
    case kPaletteIndex:
      if (mask & 0xFF) paletteIndex_ = static_cast<uint8_t>(value);
      return;
    case kPaletteData:
      palette_[paletteIndex_] = Merge(palette_[paletteIndex_], value, mask) & 0x00FFFFFF;
      return;
    default:
      plain_[dwordOffset] = Merge(LoadDword(dwordOffset), value, mask);
  }
}

uint32_t RadeonRegisters::Load(uint32_t offset, unsigned width) {
  const unsigned shift = 8 * (offset & 3);
  if ((offset & 3) + width <= 4) return (LoadDword(offset & ~3u) >> shift) & WidthMask(width);
  uint32_t value = 0;  // a misaligned access that straddles two registers
  for (unsigned i = 0; i < width; ++i) value |= Load(offset + i, 1) << (8 * i);
  return value;
}

bool RadeonRegisters::Store(uint32_t offset, unsigned width, uint32_t value) {
  AppendBounded(stores_, RegisterStore{offset, width, value & WidthMask(width)});
  ++totalStores_;
  const unsigned shift = 8 * (offset & 3);
  if ((offset & 3) + width <= 4) {
    StoreDword(offset & ~3u, value << shift, WidthMask(width) << shift);
  } else {
    for (unsigned i = 0; i < width; ++i) {
      const uint32_t at = offset + i;
      StoreDword(at & ~3u, (value >> (8 * i)) << (8 * (at & 3)), 0xFFu << (8 * (at & 3)));
    }
  }
  return true;
}

uint32_t RadeonRegisters::Register(uint32_t offset) const { return LoadDword(offset & ~3u); }

void RadeonRegisters::SetRegister(uint32_t offset, uint32_t value) {
  switch (offset & ~3u) {
    case kPllIndex: pllIndex_ = static_cast<uint8_t>(value); break;
    case kPllData: pll_[pllIndex_ & kPllIndexMask] = value; break;
    case kPaletteIndex: paletteIndex_ = static_cast<uint8_t>(value); break;
    case kPaletteData: palette_[paletteIndex_] = value & 0x00FFFFFF; break;
    default: plain_[offset & ~3u] = value;
  }
}

size_t RadeonRegisters::StoreCount(uint32_t offset) const {
  size_t count = 0;
  for (const RegisterStore& store : stores_)
    if ((store.offset & ~3u) == (offset & ~3u)) ++count;
  return count;
}

size_t RadeonRegisters::TotalPllWrites() const { return std::accumulate(pllWrites_.begin(), pllWrites_.end(), size_t{0}); }

void RadeonRegisters::ClearCounters() {
  stores_.clear();
  totalStores_ = 0;
  pllWrites_.fill(0);
  ignoredPllWrites_ = 0;
  pllIndexBytes_.clear();
}

}  // namespace corvane::platform::sim
