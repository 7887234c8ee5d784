#include "hardware/overclocking/timings.h"

#include <cwchar>
#include <iterator>

#include "hardware/rvx.h"

namespace corvane::overclocking {
namespace {

constexpr TimingField kSdramModeFields[] = {
    {L"tbm1", L"WR  延迟", 1, 15, 16, 4},
    {L"tbm2", L"CAS 延迟", 1, 7, 20, 3},
    {L"tbm3", L"CMD 延迟", 0, 1, 23, 1},
    {L"tbm4", L"Strobe 延迟", 0, 1, 24, 1},
};

constexpr TimingField kTimingFields[] = {
    {L"tb2m1", L"TRCDRD", 0, 7, 0, 3},
    {L"tb2m2", L"TRCDWR", 0, 7, 4, 3},
    {L"tb2m3", L"TRP", 0, 7, 8, 3},
    {L"tb2m4", L"TRAS", 0, 15, 11, 4},
    {L"tb2m5", L"TRRD", 0, 7, 15, 3},
    {L"tb2m6", L"TR2W", 0, 3, 18, 2},
    {L"tb2m7", L"TWR", 0, 7, 20, 3},
    {L"tb2m8", L"TW2R", 0, 7, 24, 3},
    {L"tb2m9", L"TW2RSame Bank", 0, 1, 27, 1},
    {L"tb2m10", L"TR2R", 0, 3, 28, 2},
};

constexpr TimingField kRefreshFields[] = {
    {L"tb3m1", L"显存刷新率", 0, 255, 0, 8},
    {L"tb3m2", L"TRFC", 0, 15, 12, 4},
};

// Bits 16-24 of MC_SDRAM_MODE_REG: the four fields of the first page.
constexpr uint32_t kSdramModeFieldBits = 0x01FF0000;
// Set with every write of MC_SDRAM_MODE_REG.
constexpr uint32_t kSdramModeWriteBits = 0x90000000;
// Bits 0-7 and 12-15 of MC_REFRESH_CNTL.
constexpr uint32_t kRefreshFieldBits = 0xF0FF;

// What the second page's fields add to their position to show clocks.
constexpr int kTimingOffsets[] = {3, 1, 3, 6, 1, 1, 1, 0, 0, 1};
constexpr size_t kTwr = 6;
constexpr size_t kTw2r = 7;
constexpr size_t kTw2rSameBank = 8;
constexpr size_t kTr2w = 5;
constexpr int kTrfcOffset = 13;

uint32_t FieldMask(const TimingField& field) { return (1u << field.width) - 1; }

int At(std::span<const int> positions, size_t index) { return index < positions.size() ? positions[index] : 0; }

std::wstring Number(int value) { return std::to_wstring(value); }

std::wstring SdramModeText(size_t index, int position) {
  switch (index) {
    case 0: {
      wchar_t text[16];
      std::swprintf(text, std::size(text), L"%.1f", position * 0.5);
      return text;
    }
    case 1: return Number(position);
    case 2: return position == 1 ? L"1/2 时钟" : L"0 时钟";
    default: return position == 1 ? L"=WR 延迟+1/2 时钟" : L"=WR 延迟";
  }
}

std::wstring TimingText(size_t index, std::span<const int> positions) {
  if (index == kTr2w) return L"CL+" + Number(At(positions, index) + kTimingOffsets[index]);
  if (index == kTw2rSameBank) {
    const size_t shown = At(positions, index) == 1 ? kTwr : kTw2r;
    return Number(At(positions, shown) + kTimingOffsets[shown]);
  }
  return Number(At(positions, index) + kTimingOffsets[index]);
}

}  // namespace

std::span<const TimingField> TimingFields(TimingPage page) {
  switch (page) {
    case TimingPage::SdramMode: return kSdramModeFields;
    case TimingPage::Timing: return kTimingFields;
    case TimingPage::Refresh: return kRefreshFields;
  }
  return {};
}

uint16_t TimingRegister(TimingPage page) {
  switch (page) {
    case TimingPage::SdramMode: return hardware::Reg::MC_SDRAM_MODE_REG;
    case TimingPage::Timing: return hardware::Reg::MC_TIMING_CNTL;
    case TimingPage::Refresh: return hardware::Reg::MC_REFRESH_CNTL;
  }
  return 0;
}

std::vector<int> UnpackTiming(TimingPage page, uint32_t value) {
  std::vector<int> positions;
  for (const TimingField& field : TimingFields(page))
    positions.push_back(static_cast<int>((value >> field.shift) & FieldMask(field)));
  return positions;
}

uint32_t PackTiming(TimingPage page, std::span<const int> positions) {
  uint32_t packed = 0;
  const std::span<const TimingField> fields = TimingFields(page);
  for (size_t i = 0; i < fields.size(); ++i)
    packed |= (static_cast<uint32_t>(At(positions, i)) & FieldMask(fields[i])) << fields[i].shift;
  return packed;
}

uint32_t TimingToWrite(TimingPage page, uint32_t current, uint32_t packed) {
  switch (page) {
    case TimingPage::SdramMode: return (current & ~kSdramModeFieldBits) | packed | kSdramModeWriteBits;
    case TimingPage::Timing: return packed;
    case TimingPage::Refresh: return (current & ~kRefreshFieldBits) | packed;
  }
  return current;
}

uint32_t TimingToRestore(TimingPage page, uint32_t saved) {
  return page == TimingPage::SdramMode ? saved | kSdramModeWriteBits : saved;
}

std::wstring TimingValueText(TimingPage page, size_t index, std::span<const int> positions) {
  switch (page) {
    case TimingPage::SdramMode: return SdramModeText(index, At(positions, index));
    case TimingPage::Timing: return TimingText(index, positions);
    case TimingPage::Refresh: return Number(At(positions, index) + (index == 1 ? kTrfcOffset : 0));
  }
  return {};
}

}  // namespace corvane::overclocking
