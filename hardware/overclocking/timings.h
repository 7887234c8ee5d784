#pragma once
// The three memory-controller timing registers as the timing pages edit them: which
// register bits each slider holds, what a page writes when it is set or restored, and
// how each slider's value reads in clocks.
//
//   0x158 MC_SDRAM_MODE_REG  WR latency, CAS latency, command and strobe delays
//   0x144 MC_TIMING_CNTL     ten row/column timings
//   0x178 MC_REFRESH_CNTL    refresh rate and TRFC

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane::overclocking {

enum class TimingPage { SdramMode = 0, Timing = 1, Refresh = 2 };
inline constexpr TimingPage kTimingPages[] = {TimingPage::SdramMode, TimingPage::Timing, TimingPage::Refresh};

// One slider of a timing page: its range and the register bits it holds.
struct TimingField {
  const wchar_t* slider;   // component name
  const wchar_t* caption;  // label beside it
  int min;
  int max;
  unsigned shift;
  unsigned width;
};

std::span<const TimingField> TimingFields(TimingPage page);
uint16_t TimingRegister(TimingPage page);

// Slider positions from a register (or stored) value, one per field.
std::vector<int> UnpackTiming(TimingPage page, uint32_t value);
// The fields alone, each cut to its bits: what a profile stores as "t1".."t3".
uint32_t PackTiming(TimingPage page, std::span<const int> positions);
// What "设定" writes, from the register's current value and the packed fields:
//   0x158: the current value with bits 16-24 replaced, then 0x90000000 set;
//   0x144: the fields alone;
//   0x178: the current value with bits 0-7 and 12-15 replaced.
uint32_t TimingToWrite(TimingPage page, uint32_t current, uint32_t packed);
// What "&R" writes from the value saved at start-up: 0x158 with 0x90000000 set, the
// others as saved.
uint32_t TimingToRestore(TimingPage page, uint32_t saved);

// The shown value of field `index` ("7.5", "CL+2", "1/2 时钟" ...), given all positions
// of its page (one field shows another's value).
std::wstring TimingValueText(TimingPage page, size_t index, std::span<const int> positions);

}  // namespace corvane::overclocking
