#pragma once
// The clock data of the video BIOS image. Every offset is read from the image itself, so
// each one is checked against the mapping before it is followed: a table that does not
// lie wholly inside the image gives nothing.

#include <array>
#include <cstdint>
#include <optional>

#include "hardware/mapped_window.h"
#include "platform/card_registers.h"

namespace corvane::hardware {

// Older BIOSes: the 48-byte PLL information block, found through the ROM header
// (the word at 0x48) at header + 0x30.
std::optional<std::array<uint8_t, 48>> ReadLegacyPllBlock(const MappedWindow& bios, platform::CardRegisters& memory);

// ATOM BIOSes: the firmware information table (88 bytes), found through the ROM header,
// its master data table (header + 0x20) and that table's entry at + 0x0C.
struct AtomFirmwareClocks {
  uint16_t defaultCoreClockTenKhz = 0;
  uint16_t defaultMemClockTenKhz = 0;
  uint16_t refClockTenKhz = 0;
};
std::optional<AtomFirmwareClocks> ReadAtomFirmwareClocks(const MappedWindow& bios, platform::CardRegisters& memory);

}  // namespace corvane::hardware
