#pragma once
// Clocks are compared and shown in whole MHz, rounded the way the FPU rounds by default.

#include <cmath>
#include <cstdint>

namespace corvane::overclocking {

// To the nearest integer, ties to even. Values that do not fit (infinities, NaN, a
// clock divided by a zero divider) give INT32_MIN, which matches no real clock.
inline int32_t RoundHalfEven(double value) {
  if (!std::isfinite(value) || value >= 2147483647.5 || value < -2147483648.5) return INT32_MIN;
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  return static_cast<int32_t>(whole);
}

}  // namespace corvane::overclocking
