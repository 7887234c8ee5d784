// The sliders' reach and the whole-MHz rounding of clocks. Portable arithmetic that the
// win32 build also runs under Wine with the program's x87 control word.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "hardware/overclocking/clock_limits.h"
#include "hardware/overclocking/clock_rounding.h"

namespace corvane::overclocking {
namespace {

TEST(ClockSliderBounds, PercentagesOfTheBiosClockInWholeMhz) {
  EXPECT_EQ(ClockSliderBounds(32500, true, 50, 20), (SliderBounds{260, 487}));
  EXPECT_EQ(ClockSliderBounds(2 * 31000, true, 50, 20), (SliderBounds{496, 930}));  // DDR shown
  EXPECT_EQ(ClockSliderBounds(32500, false, 50, 20), (SliderBounds{0, 1000}));
  // The percentages are of the default's whole MHz: 1.99 MHz + 100% reaches 2, not 3.
  EXPECT_EQ(ClockSliderBounds(199, true, 100, 100), (SliderBounds{0, 2}));
  // Percentages out of the registry do not overflow.
  const SliderBounds wild = ClockSliderBounds(65535, true, INT32_MAX, INT32_MAX);
  EXPECT_EQ(wild.max, INT32_MAX);
  EXPECT_EQ(wild.min, INT32_MIN);
}

TEST(ClockRounding, NearestWholeMhzTiesToEvenAndNothingForWhatDoesNotFit) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const struct {
    double clock;
    int32_t whole;
  } kCases[] = {
      {400.5, 400},  {401.5, 402},  {380.25, 380}, {339.75, 340}, {-0.5, 0},   {-1.5, -2},
      // Clocks the PLL gives: 162 × 2 × 27 / 12 and 151 × 2 × 27 / (12 × 2).
      {162 * 2 * 27.0 / 12, 729}, {151 * 2 * 27.0 / 24, 340},
      // Just below a tie stays below, whatever precision the FPU carries.
      {400.49999999999994, 400},
      {2147483647.4, INT32_MAX},   {2147483647.5, INT32_MIN},    {-2147483648.5, INT32_MIN},
      {kInfinity, INT32_MIN},      {-kInfinity, INT32_MIN},     {std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
  };
  for (const auto& c : kCases) EXPECT_EQ(RoundHalfEven(c.clock), c.whole) << c.clock;
}

}  // namespace
}  // namespace corvane::overclocking
