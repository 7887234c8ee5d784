#pragma once
// How far the clock sliders reach: a percentage above and below the BIOS clock, or a
// plain 0..1000 MHz when the limits are off.

#include <cstdint>

namespace corvane::overclocking {

struct SliderBounds {
  int min = 0;
  int max = 1000;
  bool operator==(const SliderBounds&) const = default;
};

// `biosClock` in 10 kHz units (doubled by the caller where DDR clocks are shown),
// `upPercent` above and `downPercent` below it, in whole MHz with truncating division:
//   max = (D + up × (D div 100)) div 100,  min = (D − (D div 100) × down) div 100.
SliderBounds ClockSliderBounds(uint32_t biosClock, bool useLimits, int32_t upPercent, int32_t downPercent);

}  // namespace corvane::overclocking
