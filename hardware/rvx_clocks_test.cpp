// The PLL arithmetic, and reading and programming the clocks on simulated cards.

#include <gtest/gtest.h>

#include "hardware/pll_math.h"
#include "hardware/rvx_test_support.h"

namespace corvane::hardware {
namespace {

using namespace testing;

// A 9800 PRO whose PLL runs the given dividers and post-divider source selects.
sim::CardSetup Card(uint8_t refDiv, uint8_t coreFeedback, uint8_t memFeedback, uint8_t coreSelect, uint8_t memSelect) {
  sim::CardSetup card = *sim::FindCardPreset("9800 PRO");
  card.refDivider = refDiv;
  card.coreFeedbackDivider = coreFeedback;
  card.memFeedbackDivider = memFeedback;
  card.coreSourceSelect = coreSelect;
  card.memSourceSelect = memSelect;
  return card;
}

TEST(PllMathTest, FeedbackDividerRoundsTiesToEven) {
  EXPECT_EQ(CalcFeedbackDivider(2700, 12, 729.0, 1), 0xA2);
  // A 32 MHz reference with M 32 makes N exactly half the target, one step of N 2 MHz:
  // odd targets are ties that land within 1 MHz either way.
  EXPECT_EQ(CalcFeedbackDivider(3200, 32, 5.0, 1), 2);
  EXPECT_EQ(CalcFeedbackDivider(3200, 32, 7.0, 1), 4);
  // No reference clock (an unreadable BIOS) or divider gives 0, not a fault.
  EXPECT_EQ(CalcFeedbackDivider(0, 12, 400.0, 2) | CalcFeedbackDivider(2700, 0, 400.0, 2), 0);
}

TEST(RvxClocksTest, ReadsTheClocksTheDividersGiveAndZeroWithoutAPostDivider) {
  sim::SimMachine machine(Card(12, 0xA2, 0x90, 1, 2));
  EXPECT_EQ(MakeRvx(machine)->CoreClock, 729.0);  // 162 × 2 × 2700 / (12 × 1) / 100
  for (uint8_t select : {0, 5, 6}) {
    sim::SimMachine core(Card(12, 169, 151, select, 2));
    EXPECT_EQ(MakeRvx(core)->CoreClock, 0.0) << int{select};
    EXPECT_EQ(MakeRvx(core)->MemClock, 339.75) << int{select};
    sim::SimMachine memory(Card(12, 169, 151, 2, select));
    EXPECT_EQ(MakeRvx(memory)->MemClock, 0.0) << int{select};
  }
}

TEST(RvxClocksTest, SearchWritesTheBestDividersLowestMFirstWithTheTopByteClear) {
  sim::SimMachine machine(Card(12, 169, 151, 1, 1));
  auto rvx = MakeRvx(machine);
  auto& regs = machine.Card().Registers();
  regs.SetPll(Pll::X_MPLL_REF_FB_DIV, 0xFF000000 | regs.Pll(Pll::X_MPLL_REF_FB_DIV));
  regs.ClearCounters();
  rvx->SetClocks(false, 400, 350);
  // M 10 and M 15 give the same smallest error (399.6 and 351 MHz); 10 wins.
  EXPECT_EQ(regs.Pll(Pll::X_MPLL_REF_FB_DIV), 0x004A410Au);
  EXPECT_EQ(regs.TotalPllWrites(), 1u);
  EXPECT_DOUBLE_EQ(rvx->CoreClock, 399.6);
  EXPECT_DOUBLE_EQ(rvx->MemClock, 351.0);
}

TEST(RvxClocksTest, FixedModeKeepsTheBiosReferenceDivider) {
  sim::SimMachine machine("9800 PRO");  // M 12 in the BIOS, post dividers 2
  auto rvx = MakeRvx(machine);
  const ClockPreview preview = rvx->PreviewClocks(400, 350, true);
  EXPECT_EQ(std::tie(preview.refDiv, preview.coreMhz, preview.memMhz), std::make_tuple(12, 400.5, 351.0));
  rvx->SetClocks(true, 400, 350);
  EXPECT_EQ(machine.Card().Registers().Pll(Pll::X_MPLL_REF_FB_DIV), 0x00B29C0Cu);  // Ns 178, Nm 156
  EXPECT_EQ(rvx->CoreClock, 400.5);
}

TEST(RvxClocksTest, PreviewAlsoTriesMOf17And18AndWritesNothing) {
  sim::SimMachine machine("9800 PRO");
  auto rvx = MakeRvx(machine);
  auto& regs = machine.Card().Registers();
  // Only M 18 gives exactly 300 MHz (Ns 200), with 313.5 MHz memory (Nm 209).
  const ClockPreview preview = rvx->PreviewClocks(300, 314, false);
  EXPECT_EQ(std::tie(preview.refDiv, preview.coreMhz, preview.memMhz), std::make_tuple(18, 300.0, 313.5));
  EXPECT_EQ(regs.TotalPllWrites(), 0u);
  rvx->SetClocks(false, 300, 314);
  EXPECT_EQ(regs.Pll(Pll::X_MPLL_REF_FB_DIV) & 0xFF, 8u);  // the best of 2..16
}

TEST(RvxClocksTest, SynchronousClocks) {
  sim::SimMachine machine("9600 SYNC");
  auto rvx = MakeRvx(machine);
  EXPECT_TRUE(rvx->SyncClocks);
  // Source select 7 has no post divider: the clock cannot be worked out, and memory
  // reports the same.
  EXPECT_EQ(rvx->CoreClock, 0.0);
  EXPECT_EQ(rvx->MemClock, 0.0);
  // Nor can a core feedback divider: the PLL is left running rather than stopped.
  rvx->SetClocks(false, 420, 420);
  rvx->SetClocks(true, 420, 420);
  EXPECT_EQ(machine.Card().Registers().TotalPllWrites(), 0u);

  // Preview keeps the flag of the last read: memory then takes the core's divider.
  machine.Card().Registers().SetPll(Pll::XCLK_CNTL, 2);
  const ClockPreview preview = rvx->PreviewClocks(400, 300, false);
  EXPECT_GT(preview.refDiv, 0);
  EXPECT_EQ(preview.memMhz, preview.coreMhz);
}

}  // namespace
}  // namespace corvane::hardware
