#include "hardware/pll_math.h"

#include <cmath>
#include <limits>

namespace corvane::hardware {
namespace {

// Round to nearest, ties to even (the default rounding mode), as a 32-bit integer. A
// value out of range or not a number gives the "integer indefinite" value the x87 store
// produces, so the low byte callers keep is 0 and nothing is undefined.
int32_t RoundToInt32(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace

double ClockMhz(uint32_t feedbackDiv, uint32_t refClockTenKhz, uint32_t refDiv, uint32_t postDiv) {
  const uint32_t numerator = feedbackDiv * 2 * refClockTenKhz;
  const uint32_t denominator = refDiv * postDiv;
  if (denominator == 0) return 0.0;
  return static_cast<double>(numerator) / denominator / 100;
}

int32_t CalcFeedbackDivider(uint32_t refClockTenKhz, uint32_t refDiv, double targetMhz, uint32_t postDiv) {
  if (refClockTenKhz == 0 || refDiv == 0) return 0;
  double aimMhz = targetMhz;
  int32_t feedbackDiv = 0;
  for (int pass = 0; pass < 10; ++pass) {
    feedbackDiv = RoundToInt32(50 * aimMhz * postDiv / refClockTenKhz * refDiv);
    const double gotMhz = std::nearbyint(ClockMhz(feedbackDiv & 0xFF, refClockTenKhz, refDiv, postDiv));
    if (gotMhz < targetMhz) {
      if (!(targetMhz - gotMhz > 1)) break;
      aimMhz += 0.1;
    } else {
      if (!(gotMhz - targetMhz > 1)) break;
      aimMhz -= 0.1;
    }
  }
  return feedbackDiv;
}

PllDividers FixedDividers(const PllSetup& pll, uint32_t refDiv, double coreMhz, double memMhz) {
  PllDividers d;
  d.refDiv = refDiv;
  d.coreFeedbackDiv = static_cast<uint8_t>(CalcFeedbackDivider(pll.refClockTenKhz, refDiv, coreMhz, pll.corePostDiv));
  d.memFeedbackDiv = static_cast<uint8_t>(CalcFeedbackDivider(pll.refClockTenKhz, refDiv, memMhz, pll.memPostDiv));
  return d;
}

std::optional<PllDividers> SearchDividers(const PllSetup& pll, uint32_t lastRefDiv, double coreMhz, double memMhz) {
  std::optional<PllDividers> best;
  double bestError = 100000.0;
  for (uint32_t refDiv = 2; refDiv <= lastRefDiv; ++refDiv) {
    const PllDividers d = FixedDividers(pll, refDiv, coreMhz, memMhz);
    const double coreGotMhz = ClockMhz(d.coreFeedbackDiv, pll.refClockTenKhz, refDiv, pll.corePostDiv);
    const double memGotMhz = std::nearbyint(ClockMhz(d.memFeedbackDiv, pll.refClockTenKhz, refDiv, pll.memPostDiv));
    const double error = (coreMhz - coreGotMhz) * (coreMhz - coreGotMhz) + (memMhz - memGotMhz) * (memMhz - memGotMhz);
    if (error < bestError) {
      bestError = error;
      best = d;
    }
  }
  if (best && pll.syncClocks) best->memFeedbackDiv = best->coreFeedbackDiv;
  return best;
}

}  // namespace corvane::hardware
