#include "hardware/bios_pll.h"

namespace corvane::hardware {
namespace {

constexpr uint32_t kRomHeaderPointer = 0x48;
constexpr uint32_t kLegacyPllTablePointer = 0x30;  // in the ROM header
constexpr uint32_t kAtomMasterDataTablePointer = 0x20;  // in the ROM header
constexpr uint32_t kAtomFirmwareInfoPointer = 0x0C;  // in the master data table
constexpr uint32_t kAtomFirmwareInfoSize = 88;
constexpr uint32_t kAtomDefaultCoreClock = 8;  // 32-bit, 10 kHz
constexpr uint32_t kAtomDefaultMemClock = 12;  // 32-bit, 10 kHz
constexpr uint32_t kAtomRefClock = 0x52;       // 16-bit, 10 kHz

// The 16-bit offset stored at `at`, or nothing when that word is not in the image.
std::optional<uint32_t> PointerAt(const MappedWindow& bios, platform::CardRegisters& memory, uint32_t at) {
  if (!bios.Holds(at, 2)) return std::nullopt;
  return bios.Read16(memory, at);
}

}  // namespace

std::optional<std::array<uint8_t, 48>> ReadLegacyPllBlock(const MappedWindow& bios, platform::CardRegisters& memory) {
  const auto header = PointerAt(bios, memory, kRomHeaderPointer);
  if (!header) return std::nullopt;
  const auto table = PointerAt(bios, memory, *header + kLegacyPllTablePointer);
  std::array<uint8_t, 48> block{};
  if (!table || !bios.Holds(*table, block.size())) return std::nullopt;
  for (uint32_t i = 0; i < block.size(); ++i) block[i] = bios.Read8(memory, *table + i);
  return block;
}

std::optional<AtomFirmwareClocks> ReadAtomFirmwareClocks(const MappedWindow& bios, platform::CardRegisters& memory) {
  const auto header = PointerAt(bios, memory, kRomHeaderPointer);
  if (!header) return std::nullopt;
  const auto dataTable = PointerAt(bios, memory, *header + kAtomMasterDataTablePointer);
  if (!dataTable) return std::nullopt;
  const auto table = PointerAt(bios, memory, *dataTable + kAtomFirmwareInfoPointer);
  if (!table || !bios.Holds(*table, kAtomFirmwareInfoSize)) return std::nullopt;
  AtomFirmwareClocks clocks;
  // The clocks are 32-bit in the table; the PLL block keeps their low 16 bits.
  clocks.defaultCoreClockTenKhz = static_cast<uint16_t>(bios.Read32(memory, *table + kAtomDefaultCoreClock));
  clocks.defaultMemClockTenKhz = static_cast<uint16_t>(bios.Read32(memory, *table + kAtomDefaultMemClock));
  clocks.refClockTenKhz = bios.Read16(memory, *table + kAtomRefClock);
  return clocks;
}

}  // namespace corvane::hardware
