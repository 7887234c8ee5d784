// Reading and programming the core and memory clocks through the PLL.

#include <optional>

#include "hardware/pll_math.h"
#include "hardware/rvx.h"

namespace corvane::hardware {
namespace {

constexpr uint32_t kSyncSourceSelect = 7;
constexpr uint32_t kLastSetRefDiv = 16;
constexpr uint32_t kLastPreviewRefDiv = 18;

// A zero divider is what an unknown reference clock or a missing post divider yields;
// written to the PLL it would leave that clock without a usable frequency.
bool Programmable(const PllDividers& d) {
  return (d.refDiv & 0xFF) != 0 && d.coreFeedbackDiv != 0 && d.memFeedbackDiv != 0;
}

}  // namespace

void TRVX::ReadClocks() {
  if (!CardFound) return;
  const uint32_t coreSource = PllRead16(Pll::XCLK_CNTL) & 7;
  SyncClocks = coreSource == kSyncSourceSelect;
  const uint32_t dividers = PllRead32(Pll::X_MPLL_REF_FB_DIV);
  const uint32_t refDiv = dividers & 0xFF;
  const uint32_t memFeedbackDiv = (dividers >> 8) & 0xFF;
  const uint32_t coreFeedbackDiv = (dividers >> 16) & 0xFF;
  const uint32_t corePostDiv = PostDivider(coreSource);
  const uint32_t memPostDiv = PostDivider(PllRead16(Pll::MCLK_CNTL));
  CoreClock = ClockMhz(coreFeedbackDiv, RefClock(), refDiv, corePostDiv);
  MemClock = SyncClocks ? CoreClock : ClockMhz(memFeedbackDiv, RefClock(), refDiv, memPostDiv);
}

int32_t TRVX::CalcFeedbackDivider(uint32_t refDiv, double targetMhz, uint32_t postDiv) const {
  return hardware::CalcFeedbackDivider(RefClock(), refDiv, targetMhz, postDiv);
}

void TRVX::SetClocks(bool fixed, double coreMhz, double memMhz) {
  if (!CardFound) return;
  const uint32_t coreSource = PllRead16(Pll::XCLK_CNTL) & 7;
  SyncClocks = coreSource == kSyncSourceSelect;
  PllSetup pll;
  pll.refClockTenKhz = RefClock();
  pll.corePostDiv = PostDivider(coreSource);
  pll.memPostDiv = PostDivider(PllRead16(Pll::MCLK_CNTL));
  pll.syncClocks = SyncClocks;
  const std::optional<PllDividers> chosen =
      fixed ? FixedDividers(pll, RefDiv(), coreMhz, memMhz) : SearchDividers(pll, kLastSetRefDiv, coreMhz, memMhz);
  if (chosen && Programmable(*chosen)) PllWrite(Pll::X_MPLL_REF_FB_DIV, chosen->RegisterValue());
  ReadClocks();
}

ClockPreview TRVX::PreviewClocks(double coreMhz, double memMhz, bool fixed) {
  if (!CardFound) return {};
  // Unlike SetClocks this keeps the synchronous flag of the last read.
  PllSetup pll;
  pll.refClockTenKhz = RefClock();
  pll.corePostDiv = PostDivider(PllRead16(Pll::XCLK_CNTL));
  pll.memPostDiv = PostDivider(PllRead16(Pll::MCLK_CNTL));
  pll.syncClocks = SyncClocks;
  const std::optional<PllDividers> chosen = fixed ? FixedDividers(pll, RefDiv(), coreMhz, memMhz)
                                                  : SearchDividers(pll, kLastPreviewRefDiv, coreMhz, memMhz);
  if (!chosen) return {};
  ClockPreview preview;
  preview.coreMhz = ClockMhz(chosen->coreFeedbackDiv, pll.refClockTenKhz, chosen->refDiv, pll.corePostDiv);
  preview.memMhz = ClockMhz(chosen->memFeedbackDiv, pll.refClockTenKhz, chosen->refDiv, pll.memPostDiv);
  preview.refDiv = static_cast<int32_t>(chosen->refDiv);
  return preview;
}

}  // namespace corvane::hardware
