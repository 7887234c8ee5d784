#pragma once
// The Radeon models the program knows by PCI device id: their marketing names (for the
// tray menu caption and the hardware report) and which of them carry an ATOM video BIOS.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane::hardware {

struct ChipIdRow {
  uint32_t deviceId;
  uint32_t nameIndex;  // into ChipNameTable
};

extern const std::array<std::string_view, 34> ChipNameTable;
extern const std::array<ChipIdRow, 48> ChipIdTable;
// Cards whose BIOS keeps its clock data in the firmware information table (one id is
// listed twice, as the list has always been).
extern const std::array<uint16_t, 24> AtomChipList;

// The model name of a device id ("9800" for 0x4E48), or nothing for an unknown id. Every
// row is looked at and the last matching one wins.
std::optional<std::string_view> ChipName(uint32_t deviceId);

bool IsAtomBiosChip(uint16_t deviceId);

}  // namespace corvane::hardware
