#pragma once
// The register aperture of the simulated Radeon: plain registers, the PLL registers
// behind the index/data pair at 0x08/0x0C, the 256-entry palette behind 0xB0/0xB4, and
// counters of every store so tests can prove what was (or was not) written.
//
// PLL: a byte stored at 0x08 selects PLL register (byte & 0x3F) and, with bit 0x80,
// enables PLL writes; bit 0x40 is reserved and ignored, as the card does. The byte is
// kept as written (loads at 0x08 give it back, PllIndexBytes lists every one), so a
// test sees an index the program failed to mask. Loads at 0x0C..0x0F read the selected
// PLL register; a store there changes it only while the write-enable bit is set
// (otherwise it is ignored and counted in IgnoredPllWrites).
// Palette: a store at 0xB0 selects entry (value & 0xFF) for both loads and stores at
// 0xB4; entries hold 24 bits (0x00RRGGBB), the top byte of a store is dropped.
// Everything else is a plain 32-bit register that holds what is stored in it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/sim/hardware/sim_physical_memory.h"

namespace corvane::platform::sim {

namespace radeon_reg {
inline constexpr uint32_t kBiosScratch0 = 0x10;
inline constexpr uint32_t kBiosScratch1 = 0x14;
inline constexpr uint32_t kPllIndex = 0x08;
inline constexpr uint32_t kPllData = 0x0C;
inline constexpr uint32_t kPaletteIndex = 0xB0;
inline constexpr uint32_t kPaletteData = 0xB4;
inline constexpr uint32_t kConfigMemSize = 0xF8;
inline constexpr uint32_t kMemCntl = 0x140;
inline constexpr uint32_t kMcTimingCntl = 0x144;
inline constexpr uint32_t kMcSdramModeReg = 0x158;
inline constexpr uint32_t kMcRefreshCntl = 0x178;
inline constexpr uint32_t kGbTileConfig = 0x4018;
inline constexpr uint8_t kPllWriteEnable = 0x80;
inline constexpr uint8_t kPllIndexMask = 0x3F;
}  // namespace radeon_reg

namespace radeon_pll {
inline constexpr uint8_t kMpllRefFbDiv = 0x0A;  // M bits 0-7, Nm 8-15, Ns 16-23
inline constexpr uint8_t kXpllCntl = 0x0B;
inline constexpr uint8_t kXdllCntl = 0x0C;
inline constexpr uint8_t kXclkCntl = 0x0D;  // bits 0-2: core clock source select
inline constexpr uint8_t kMclkCntl = 0x12;  // bits 0-2: memory clock source select
}  // namespace radeon_pll

struct RegisterStore {
  uint32_t offset = 0;
  unsigned width = 0;
  uint32_t value = 0;
};

class RadeonRegisters final : public PhysicalRegion {
 public:
  static constexpr uint32_t kApertureSize = 0x10000;
  static constexpr size_t kPllRegisterCount = 64;
  static constexpr size_t kPaletteSize = 256;

  RadeonRegisters();

  uint32_t Load(uint32_t offset, unsigned width) override;
  bool Store(uint32_t offset, unsigned width, uint32_t value) override;

  // State, read and set without counting (for building a card and checking it).
  uint32_t Register(uint32_t offset) const;  // the dword at offset & ~3; 0x0C and 0xB4 read through
  void SetRegister(uint32_t offset, uint32_t value);
  uint32_t Pll(uint8_t index) const { return pll_[index & radeon_reg::kPllIndexMask]; }
  void SetPll(uint8_t index, uint32_t value) { pll_[index & radeon_reg::kPllIndexMask] = value; }
  uint32_t PaletteEntry(uint8_t index) const { return palette_[index]; }
  void SetPaletteEntry(uint8_t index, uint32_t value) { palette_[index] = value & 0x00FFFFFF; }

  // Store counters. A register is counted by its dword offset (offset & ~3) once per
  // store, whatever the width. The logs keep the most recent kLogLimit entries at least:
  // "/simulate" runs for days, and the colour guard rewrites the palette every second.
  static constexpr size_t kLogLimit = 1 << 16;
  size_t StoreCount(uint32_t offset) const;  // among the logged stores
  size_t TotalStores() const { return totalStores_; }
  const std::vector<RegisterStore>& Stores() const { return stores_; }
  size_t PllWriteCount(uint8_t index) const { return pllWrites_[index & radeon_reg::kPllIndexMask]; }
  size_t TotalPllWrites() const;
  size_t IgnoredPllWrites() const { return ignoredPllWrites_; }
  // Every byte stored at the PLL index, as written, in order.
  const std::vector<uint8_t>& PllIndexBytes() const { return pllIndexBytes_; }
  void ClearCounters();

 private:
  uint32_t LoadDword(uint32_t dwordOffset) const;
  // `mask` has the bytes of the dword the store touches.
  void StoreDword(uint32_t dwordOffset, uint32_t value, uint32_t mask);

  std::map<uint32_t, uint32_t> plain_;  // dword offset -> value; absent reads 0
  std::array<uint32_t, kPllRegisterCount> pll_{};
  std::array<uint32_t, kPaletteSize> palette_{};
  uint8_t pllIndex_ = 0;
  uint8_t paletteIndex_ = 0;

  std::vector<RegisterStore> stores_;
  size_t totalStores_ = 0;
  std::array<size_t, kPllRegisterCount> pllWrites_{};
  size_t ignoredPllWrites_ = 0;
  std::vector<uint8_t> pllIndexBytes_;
};

}  // namespace corvane::platform::sim
