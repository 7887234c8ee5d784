#pragma once
// The arithmetic of the card's clock PLL, apart from any register: a clock is
//   feedback divider × 2 × reference clock / (reference divider × post divider),
// with the reference clock in 10 kHz units and the result in MHz.

#include <array>
#include <cstdint>
#include <optional>

namespace corvane::hardware {

// Post divider by clock source select (bits 0-2 of XCLK_CNTL / MCLK_CNTL). The 0 entries
// are sources that do not come through the post divider.
inline constexpr std::array<uint32_t, 8> PostDivTable = {0, 1, 2, 4, 8, 0, 0, 0};

inline uint32_t PostDivider(uint32_t sourceSelect) { return PostDivTable[sourceSelect & 7]; }

// The clock in MHz, not rounded. A zero reference or post divider leaves the clock
// undefined; it is reported as 0 rather than as infinity.
double ClockMhz(uint32_t feedbackDiv, uint32_t refClockTenKhz, uint32_t refDiv, uint32_t postDiv);

// The feedback divider that brings the clock within 1 MHz of the target, nudging the
// target by 0.1 MHz for at most ten passes. Callers keep the low 8 bits. 0 when the
// reference clock or divider is 0.
int32_t CalcFeedbackDivider(uint32_t refClockTenKhz, uint32_t refDiv, double targetMhz, uint32_t postDiv);

// What a clock change works from: the reference clock and the two post dividers as the
// PLL has them, and whether the memory clock follows the core clock.
struct PllSetup {
  uint32_t refClockTenKhz = 0;
  uint32_t corePostDiv = 0;  // Ps
  uint32_t memPostDiv = 0;   // Pm
  bool syncClocks = false;
};

// The three fields of X_MPLL_REF_FB_DIV.
struct PllDividers {
  uint32_t refDiv = 0;         // M, bits 0-7
  uint8_t memFeedbackDiv = 0;  // Nm, bits 8-15
  uint8_t coreFeedbackDiv = 0; // Ns, bits 16-23

  uint32_t RegisterValue() const {
    return (refDiv & 0xFF) | uint32_t{memFeedbackDiv} << 8 | uint32_t{coreFeedbackDiv} << 16;
  }
};

// Feedback dividers for a reference divider the caller fixes (the BIOS's).
PllDividers FixedDividers(const PllSetup& pll, uint32_t refDiv, double coreMhz, double memMhz);

// Tries every reference divider 2..lastRefDiv and keeps the one whose clocks come
// nearest the targets (squared error, core exact, memory in whole MHz); the lowest
// divider wins a tie. Nothing when no candidate comes within the starting error of
// 100000 MHz².
std::optional<PllDividers> SearchDividers(const PllSetup& pll, uint32_t lastRefDiv, double coreMhz, double memMhz);

}  // namespace corvane::hardware
