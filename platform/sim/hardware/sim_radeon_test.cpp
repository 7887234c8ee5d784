#include "platform/sim/hardware/sim_radeon.h"

#include <gtest/gtest.h>

#include "platform/sim/hardware/sim_test_driver.h"

namespace corvane::platform::sim {
namespace {

using namespace radeon_reg;
using namespace radeon_pll;

constexpr uint32_t kApertureLength = 0xFFFF;

class SimRadeonTest : public testing::Test {
 protected:
  SimMachine machine;
  TestDriver driver{machine};
  CardRegisters& io = machine.Registers();
  RadeonRegisters& card = machine.Card().Registers();
  const uint32_t regs = driver.Map(driver.ConfigRead(kCardLocation, 0x18, 4) & 0xFFFFFF00, kApertureLength);
};

TEST_F(SimRadeonTest, PllIndexDataPairHonoursTheWriteEnableBit) {
  ASSERT_NE(regs, 0u);
  io.Write8(regs, kPllIndex, kMpllRefFbDiv);
  EXPECT_EQ(io.Read32(regs, kPllData), 0x00A9970Cu);  // M 12, Nm 151, Ns 169
  EXPECT_EQ(io.Read16(regs, kPllData), 0x970Cu);
  io.Write8(regs, kPllIndex, 0x40 | kXclkCntl);  // only the low six bits select
  EXPECT_EQ(io.Read32(regs, kPllData) & 7, 2u);
  EXPECT_EQ(io.Read8(regs, kPllIndex), 0x40 | kXclkCntl) << "the index reads back as written";
  EXPECT_EQ(card.PllIndexBytes(), (std::vector<uint8_t>{kMpllRefFbDiv, 0x40 | kXclkCntl}));

  io.Write8(regs, kPllIndex, kMpllRefFbDiv);  // no write enable
  io.Write32(regs, kPllData, 0x00A2A20C);
  EXPECT_EQ(card.Pll(kMpllRefFbDiv), 0x00A9970Cu);
  EXPECT_EQ(card.IgnoredPllWrites(), 1u);
  EXPECT_EQ(card.TotalPllWrites(), 0u);

  io.Write8(regs, kPllIndex, kPllWriteEnable | kMpllRefFbDiv);
  io.Write32(regs, kPllData, 0x00A2A20C);
  EXPECT_EQ(card.Pll(kMpllRefFbDiv), 0x00A2A20Cu);
  EXPECT_EQ(card.PllWriteCount(kMpllRefFbDiv), 1u);
  EXPECT_EQ(card.PllWriteCount(kXclkCntl), 0u);
  EXPECT_DOUBLE_EQ(machine.Card().CoreClockMhz(), 162 * 2 * 2700.0 / (12 * 2) / 100);
  EXPECT_EQ(card.StoreCount(kPllIndex), 4u);
  EXPECT_EQ(card.StoreCount(kPllData), 2u);
}

TEST_F(SimRadeonTest, PaletteRoundTripKeepsTwentyFourBits) {
  EXPECT_EQ(card.PaletteEntry(0x80), 0x808080u);  // the identity ramp
  for (uint32_t i = 0; i < 256; ++i) {
    io.Write32(regs, kPaletteIndex, i);
    io.Write32(regs, kPaletteData, 0xFF000000 | (255 - i) << 16 | i << 8 | (i ^ 0x5A));
  }
  for (uint32_t i = 0; i < 256; ++i) {
    io.Write32(regs, kPaletteIndex, i);
    ASSERT_EQ(io.Read32(regs, kPaletteData), (255 - i) << 16 | i << 8 | (i ^ 0x5A)) << i;
  }
  EXPECT_EQ(card.StoreCount(kPaletteData), 256u);
}

TEST_F(SimRadeonTest, PlainRegistersHoldTheCardsValuesAndCountStores) {
  EXPECT_EQ(io.Read32(regs, kConfigMemSize), 128u << 20);
  EXPECT_EQ(io.Read8(regs, kMcSdramModeReg) & 7, 2u);  // DDR SDRAM
  EXPECT_EQ(io.Read8(regs, kMemCntl) & 3, 2u);         // 256 bits
  EXPECT_EQ((io.Read32(regs, kGbTileConfig) >> 1) & 7, 3u);  // eight pipes

  card.ClearCounters();
  const uint32_t refresh = io.Read32(regs, kMcRefreshCntl);
  io.Write32(regs, kMcRefreshCntl, (refresh & 0xFFFF0F00) | 0x30);
  io.Write16(regs, kMcTimingCntl + 2, 0xBEEF);
  EXPECT_EQ(card.Register(kMcRefreshCntl), (refresh & 0xFFFF0F00) | 0x30);
  EXPECT_EQ(card.Register(kMcTimingCntl), 0xBEEF6A35u);
  EXPECT_EQ(card.StoreCount(kMcRefreshCntl), 1u);
  EXPECT_EQ(card.StoreCount(kMcTimingCntl), 1u);
  EXPECT_EQ(card.StoreCount(kMcSdramModeReg), 0u);
  EXPECT_EQ(card.TotalStores(), 2u);
}

// "/simulate" runs for days with the colour guard rewriting the palette every second: the
// store log must not grow with it.
TEST_F(SimRadeonTest, TheStoreLogStaysBoundedWhileTheCountGoesOn) {
  card.ClearCounters();
  const size_t writes = RadeonRegisters::kLogLimit * 3;
  for (size_t i = 0; i < writes; ++i) card.Store(kPaletteData, 4, static_cast<uint32_t>(i));
  EXPECT_EQ(card.TotalStores(), writes);
  EXPECT_LE(card.Stores().size(), RadeonRegisters::kLogLimit);
  EXPECT_GE(card.Stores().size(), RadeonRegisters::kLogLimit / 2);
  EXPECT_EQ(card.Stores().back().value, writes - 1);
}

TEST_F(SimRadeonTest, AccessesOutsideAWindowAreCountedFaults) {
  EXPECT_EQ(io.Read32(regs, kApertureLength - 3), 0u);  // the last whole dword would pass 0xFFFF
  io.Write32(regs, 0x10000, 0xDEADBEEF);
  EXPECT_EQ(io.Read8(0, kPllIndex), 0u);  // a window that was never mapped
  EXPECT_EQ(io.Read8(regs, kApertureLength - 1), 0u);  // the last mapped byte is fine
  ASSERT_EQ(machine.Memory().FaultCount(), 3u);
  EXPECT_TRUE(machine.Memory().Faults()[1].store);
  EXPECT_EQ(machine.Memory().Faults()[1].kind, FaultKind::NotMapped);
  EXPECT_EQ(card.TotalStores(), 0u);

  ASSERT_TRUE(driver.Unmap(regs));
  EXPECT_FALSE(driver.Unmap(regs));
  io.Write8(regs, kPllIndex, 0);  // through a stale pointer
  EXPECT_EQ(machine.Memory().FaultCount(), 4u);
  EXPECT_EQ(card.TotalStores(), 0u);
}

TEST_F(SimRadeonTest, WindowsOfTheBiosAndVideoMemory) {
  const uint32_t bios = driver.Map(0xC0000, 0xFFFF);
  const uint32_t frame = driver.Map((driver.ConfigRead(kCardLocation, 0x10, 4) & 0xFC000000) + 0x1E2000, 0x1D4C00);
  ASSERT_NE(bios, 0u);
  ASSERT_NE(frame, 0u);
  EXPECT_NE(bios, regs);
  EXPECT_NE(frame, bios);
  EXPECT_EQ(io.Read16(bios, 0), 0xAA55u);
  io.Write8(bios, 0, 0);
  EXPECT_EQ(io.Read16(bios, 0), 0xAA55u);
  ASSERT_EQ(machine.Memory().FaultCount(), 1u);
  EXPECT_EQ(machine.Memory().Faults()[0].kind, FaultKind::ReadOnly);

  io.Write32(frame, 0x1D4C00 - 4, 0x00FF8040);
  EXPECT_EQ(io.Read32(frame, 0x1D4C00 - 4), 0x00FF8040u);
  EXPECT_EQ(machine.Memory().Mappings().size(), 3u);

  // The driver maps only what exists, all of it in one region.
  EXPECT_EQ(driver.Map(0x00100000, 0x1000), 0u);
  EXPECT_EQ(driver.Map(0xC0000, 0x10001), 0u);
  EXPECT_EQ(driver.Map(0xC0000, 0), 0u);
}

TEST(SimRadeon, PresetClocksAndIdentity) {
  SimRadeon x800(*FindCardPreset("X800 XT PE"));
  EXPECT_EQ(x800.PrimaryFunction().DeviceId(), 0x4A50u);
  EXPECT_EQ(x800.VideoMemorySize(), 256u << 20);
  EXPECT_DOUBLE_EQ(x800.CoreClockMhz(), 519.75);
  EXPECT_DOUBLE_EQ(x800.MemClockMhz(), 560.25);
  EXPECT_EQ((x800.Registers().Register(kGbTileConfig) >> 1) & 7, 7u);
  EXPECT_EQ(x800.Registers().Register(kMcSdramModeReg) & 7, 0u);  // GDDR3

  SimRadeon sync(*FindCardPreset("9600 SYNC"));
  EXPECT_EQ(sync.Registers().Pll(kXclkCntl) & 7, 7u);
  EXPECT_EQ(sync.CoreClockMhz(), 0.0);  // no post divider for select 7
  EXPECT_DOUBLE_EQ(sync.MemClockMhz(), 400.5);
  EXPECT_EQ(sync.Registers().Register(kMemCntl) & 3, 1u);  // 128 bits
}

}  // namespace
}  // namespace corvane::platform::sim
