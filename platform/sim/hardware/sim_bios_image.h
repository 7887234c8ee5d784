#pragma once
// Builds the 64 KB video BIOS images that the simulated cards carry at physical
// 0xC0000, in the two layouts the program reads. Clocks are in units of 10 kHz.
//
// Legacy layout: the word at 0x48 points at the BIOS header H; the word at H + 0x30
// points at a 48-byte PLL block holding (words) the default memory clock at +8, the
// default core clock at +10, the reference clock at +14 and the reference divider at
// +16.
//
// ATOM layout: the word at 0x48 points at the ROM header H ("ATOM" at H + 4); the word
// at H + 0x20 points at the master data table D; the word at D + 0x0C points at the
// 88-byte firmware information table F holding (dwords) the default core clock at +8 and
// the default memory clock at +12, and (word) the reference clock at +0x52. The
// reference divider is not in this BIOS: the card's PLL holds it.

#include <cstdint>
#include <vector>

namespace corvane::platform::sim {

inline constexpr uint32_t kBiosImageSize = 0x10000;
inline constexpr uint32_t kBiosPhysicalAddress = 0xC0000;

struct BiosClocks {
  uint16_t defaultCoreClock = 0;
  uint16_t defaultMemClock = 0;
  uint16_t refClock = 2700;  // 27.00 MHz
  uint16_t refDiv = 12;
};

// Where the builders put things, for tests that patch an image into a bad one.
namespace bios_layout {
inline constexpr uint32_t kHeaderPointer = 0x48;
// Legacy
inline constexpr uint32_t kLegacyHeader = 0x0100;
inline constexpr uint32_t kLegacyPllPointer = 0x30;  // inside the header
inline constexpr uint32_t kLegacyPllBlock = 0x0400;
inline constexpr uint32_t kLegacyPllBlockSize = 48;
inline constexpr uint32_t kPllMemClock = 8;
inline constexpr uint32_t kPllCoreClock = 10;
inline constexpr uint32_t kPllRefClock = 14;
inline constexpr uint32_t kPllRefDiv = 16;
// ATOM
inline constexpr uint32_t kAtomRomHeader = 0x0100;
inline constexpr uint32_t kAtomMasterDataPointer = 0x20;  // inside the ROM header
inline constexpr uint32_t kAtomMasterDataTable = 0x0200;
inline constexpr uint32_t kAtomFirmwareInfoPointer = 0x0C;  // inside the master data table
inline constexpr uint32_t kAtomFirmwareInfo = 0x0400;
inline constexpr uint32_t kAtomFirmwareInfoSize = 88;
inline constexpr uint32_t kFirmwareCoreClock = 8;
inline constexpr uint32_t kFirmwareMemClock = 12;
inline constexpr uint32_t kFirmwareRefClock = 0x52;
}  // namespace bios_layout

// Both give exactly kBiosImageSize bytes with a valid ROM signature and checksum.
std::vector<uint8_t> BuildLegacyBios(const BiosClocks& clocks);
std::vector<uint8_t> BuildAtomBios(const BiosClocks& clocks);

// Little-endian pokes for building and spoiling images; the image grows if needed.
void PutWord(std::vector<uint8_t>& image, uint32_t offset, uint16_t value);
void PutDword(std::vector<uint8_t>& image, uint32_t offset, uint32_t value);
// Reads 0 for bytes beyond the image.
uint16_t GetWord(const std::vector<uint8_t>& image, uint32_t offset);
uint32_t GetDword(const std::vector<uint8_t>& image, uint32_t offset);

}  // namespace corvane::platform::sim
