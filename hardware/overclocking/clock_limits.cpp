#include "hardware/overclocking/clock_limits.h"

#include <algorithm>

namespace corvane::overclocking {
namespace {

// The percentages come from the registry: keep absurd ones from overflowing.
int ToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

SliderBounds ClockSliderBounds(uint32_t biosClock, bool useLimits, int32_t upPercent, int32_t downPercent) {
  if (!useLimits) return {};
  const int64_t d = biosClock;
  const int64_t step = d / 100;
  return {ToInt((d - step * downPercent) / 100), ToInt((d + upPercent * step) / 100)};
}

}  // namespace corvane::overclocking
