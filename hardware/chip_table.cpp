#include "hardware/chip_table.h"

#include <algorithm>

namespace corvane::hardware {

const std::array<std::string_view, 34> ChipNameTable = {
    "9000",                                // 0
    "9200",                                // 1
    "9500",                                // 2
    "9600",                                // 3
    "9700",                                // 4
    "9800",                                // 5
    "7200",                                // 6
    "7500",                                // 7
    "8500",                                // 8
    "ALL-IN-WONDER 8500DV",                // 9
    "7000",                                // 10
    "9500 PRO / 9700",                     // 11
    "9800XT",                              // 12
    "X800",                                // 13
    "X800 Pro",                            // 14
    "X800 XT PE",                          // 15
    "9550",                                // 16
    "9600SE",                              // 17
    "9200SE",                              // 18
    "9600XT",                              // 19
    "9600TX",                              // 20
    "9000/9100  PRO IGP",                  // 21
    "9100 IGP",                            // 22
    "9100",                                // 23
    "IGP 320",                             // 24
    "IGP 340",                             // 25
    "X300",                                // 26
    "X600",                                // 27
    "X800 SE",                             // 28
    "X700",                                // 29
    "R423",                                // 30
    "IGP 340GL",                           // 31
    " 9600 (M10 /M11 )",                   // 32
    "X850",                                // 33
};

const std::array<ChipIdRow, 48> ChipIdTable = {{
    {0x4144, 2},  {0x4146, 20}, {0x4148, 5},  {0x4150, 3},  {0x4151, 17}, {0x4152, 19},
    {0x4153, 16}, {0x4171, 17}, {0x4242, 9},  {0x4966, 0},  {0x4A49, 14}, {0x4A4B, 13},
    {0x4A50, 15}, {0x4E44, 4},  {0x4E45, 11}, {0x4E46, 19}, {0x4E48, 5},  {0x4E49, 5},
    {0x4E4A, 12}, {0x5144, 6},  {0x514C, 8},  {0x5157, 7},  {0x5834, 22}, {0x5159, 10},
    {0x5960, 1},  {0x5961, 1},  {0x5964, 18}, {0x7834, 21}, {0x514D, 22}, {0x4136, 23},
    {0x4137, 24}, {0x5B60, 25}, {0x3E50, 27}, {0x5B62, 26}, {0x554B, 27}, {0x554A, 15},
    {0x5E4C, 29}, {0x5E4B, 29}, {0x5E4A, 29}, {0x5E4F, 29}, {0x5E4D, 29}, {0x5548, 30},
    {0x5B64, 31}, {0x4E50, 32}, {0x4E52, 32}, {0x4149, 11}, {0x5D4F, 33}, {0x5D4D, 33},
}};

const std::array<uint16_t, 24> AtomChipList = {
    0x4A4B, 0x4A48, 0x4A50, 0x4A49, 0x4A4C, 0x4A69, 0x4A6B, 0x4A4A, 0x5549, 0x554B, 0x5D57, 0x554A,
    0x5E4C, 0x5E4B, 0x5E4A, 0x5E4F, 0x5E4D, 0x5E6A, 0x5E6B, 0x5E4D, 0x5D4D, 0x5D4F, 0x5D52, 0x5548,
};

std::optional<std::string_view> ChipName(uint32_t deviceId) {
  std::optional<std::string_view> name;
  for (const ChipIdRow& row : ChipIdTable) {
    if (row.deviceId == deviceId && row.nameIndex < ChipNameTable.size()) name = ChipNameTable[row.nameIndex];
  }
  return name;
}

bool IsAtomBiosChip(uint16_t deviceId) {
  return std::find(AtomChipList.begin(), AtomChipList.end(), deviceId) != AtomChipList.end();
}

}  // namespace corvane::hardware
