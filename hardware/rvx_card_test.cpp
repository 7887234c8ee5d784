// Finding and mapping the card, its BIOS data, and the register-level accesses.

#include <gtest/gtest.h>

#include "hardware/chip_table.h"
#include "hardware/rvx_test_support.h"

namespace corvane::hardware {
namespace {

using namespace testing;
namespace layout = sim::bios_layout;

TEST(RvxPciTest, ConfigurationAddressWordAndDataPort) {
  // Device and function are cut to 8 bits together: a function over 7 spills into the
  // device number.
  EXPECT_EQ(TRVX::PciAddress(0, 0, 9, 0), 0x80000900u);
  EXPECT_EQ(TRVX::PciAddress(0, 0x1F, 3, 0x42), 0x8000FB40u);

  sim::SimMachine machine;
  auto rvx = MakeRvx(machine);
  machine.Kernel().ClearPortLog();
  EXPECT_EQ(rvx->PciRead8(1, 0, 0, 0x0B), 0x03);  // class: display controller
  const auto& log = machine.Kernel().PortLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_TRUE(log[0].write && log[0].port == 0xCF8 && log[0].width == 4);
  EXPECT_EQ(log[0].value, 0x80010008u);
  EXPECT_TRUE(!log[1].write && log[1].port == 0xCFF && log[1].width == 1);
}

TEST(RvxFindCardTest, TakesTheFirstAtiDisplayControllerOrExactlyTheGivenIds) {
  sim::SimMachine machine;
  auto first = MakeRvx(machine);
  EXPECT_TRUE(first->CardFound);
  EXPECT_EQ(std::tie(first->VendorId, first->DeviceId, first->Bus, first->Device, first->Function),
            std::make_tuple(0x1002, 0x4E48, 1, 0, 0));
  EXPECT_EQ(MakeRvx(machine, 0x1002, 0x4E68)->Function, 1);  // the second head
  EXPECT_FALSE(MakeRvx(machine, 0x1002, 0x5D4D)->CardFound);
}

TEST(RvxFindCardTest, WithoutACardNothingIsMappedOrWritten) {
  sim::MachineOptions options;
  options.cardPresent = false;
  sim::SimMachine machine("9800 PRO", options);
  auto rvx = MakeRvx(machine);
  EXPECT_TRUE(rvx->DriverOpen);
  EXPECT_FALSE(rvx->CardFound);
  EXPECT_EQ(machine.Memory().MapCount(), 0u);
  EXPECT_EQ(rvx->ReadRefDiv() + rvx->RegRead32(0x10) + rvx->ReadPalette()[0], 0u);
  rvx->SetClocks(false, 400, 350);
  rvx->SetMemTimings(1, 2, 3);
  rvx->WritePalette(Palette{});
  EXPECT_EQ(machine.Card().Registers().TotalStores(), 0u);
  EXPECT_EQ(machine.Memory().FaultCount(), 0u);
}

TEST(RvxMapTest, MapsRegistersFrameBufferAndBiosAndUnmapsInThatOrder) {
  sim::SimMachine machine;
  auto rvx = MakeRvx(machine);
  const auto& maps = machine.Memory().Mappings();
  ASSERT_EQ(maps.size(), 3u);
  EXPECT_EQ(std::tie(maps[0].physicalAddress, maps[0].length), std::make_tuple(0xFF8F0000u, 0xFFFFu));
  EXPECT_EQ(std::tie(maps[1].physicalAddress, maps[1].length), std::make_tuple(0xD01E2000u, 0x1D4C00u));
  EXPECT_EQ(std::tie(maps[2].physicalAddress, maps[2].length), std::make_tuple(0xC0000u, 0xFFFFu));
  const std::vector<uint64_t> order = {rvx->FrameBufferWindow(), rvx->RegisterWindow(), rvx->BiosWindow()};

  machine.Kernel().ClearCalls();
  rvx.reset();
  std::vector<uint64_t> unmapped;
  for (const sim::KernelCall& call : machine.Kernel().Calls())
    if (call.name == "DeviceControl" && call.args.at(1) == 0x80002004 && call.input.size() == 4)
      unmapped.push_back(call.input[0] | call.input[1] << 8 | call.input[2] << 16 | uint64_t{call.input[3]} << 24);
  EXPECT_EQ(unmapped, order);
  EXPECT_EQ(machine.Kernel().CallNames().back(), "CloseDevice");
}

TEST(RvxMapTest, AnUnassignedRegisterBaseIsNotMapped) {
  // Mapping physical page 0 would send PLL index writes into system memory.
  sim::CardSetup card = *sim::FindCardPreset("9800 PRO");
  card.registerBar = 0;
  sim::SimMachine machine(card);
  auto rvx = MakeRvx(machine);
  EXPECT_EQ(rvx->RegisterWindow(), 0u);
  EXPECT_EQ(machine.Memory().Mappings().size(), 2u);
}

// Default core and memory clock, reference clock and divider.
using Fields = std::array<int, 4>;
Fields PllFields(const TRVX& rvx) {
  return {rvx.DefaultCoreClock(), rvx.DefaultMemClock(), rvx.RefClock(), rvx.RefDiv()};
}

TEST(RvxBiosTest, BothLayoutsGiveTheDefaultClocksAndReference) {
  sim::SimMachine legacy("9800 PRO");
  EXPECT_EQ(PllFields(*MakeRvx(legacy)), (Fields{38000, 34000, 2700, 12}));
  EXPECT_EQ(MakeRvx(legacy)->PllInfo[1], 48);  // the block is copied whole

  // ATOM: the firmware table has no reference divider; the PLL's is taken.
  sim::CardSetup card = *sim::FindCardPreset("X800 XT PE");
  card.refDivider = 10;
  sim::SimMachine atom(card);
  EXPECT_TRUE(IsAtomBiosChip(MakeRvx(atom)->DeviceId));
  EXPECT_EQ(PllFields(*MakeRvx(atom)), (Fields{52000, 56000, 2700, 10}));
}

// A pointer in the BIOS moved, with the table it should lead to copied there as far as
// the image goes, so that a partial read would show.
struct BadBios {
  const char* preset;
  uint32_t pointerAt;
  uint16_t pointer;
  uint32_t tableFrom;
  uint32_t tableSize;
  bool inside;
};

class RvxBadBiosTest : public ::testing::TestWithParam<BadBios> {};

TEST_P(RvxBadBiosTest, ATableOutsideTheMappingLeavesThePllDataZero) {
  const BadBios& bad = GetParam();
  sim::CardSetup card = *sim::FindCardPreset(bad.preset);
  sim::PutWord(card.biosImage, bad.pointerAt, bad.pointer);
  for (uint32_t i = 0; i < bad.tableSize && bad.pointer + i < 0xFFFF; ++i)
    card.biosImage[bad.pointer + i] = card.biosImage[bad.tableFrom + i];
  sim::SimMachine machine(card);
  auto rvx = MakeRvx(machine);
  EXPECT_EQ(machine.Memory().FaultCount(), 0u);  // nothing read past the mapping
  EXPECT_EQ(rvx->RefClock(), bad.inside ? 2700 : 0);
  if (!bad.inside) {
    EXPECT_EQ(rvx->PllInfo, (std::array<uint8_t, kPllInfoSize>{}));
  }
}

constexpr uint32_t kLegacyPll = layout::kLegacyHeader + layout::kLegacyPllPointer;
constexpr uint32_t kAtomData = layout::kAtomRomHeader + layout::kAtomMasterDataPointer;
constexpr uint32_t kAtomFirmware = layout::kAtomMasterDataTable + layout::kAtomFirmwareInfoPointer;

INSTANTIATE_TEST_SUITE_P(
    Pointers, RvxBadBiosTest,
    ::testing::Values(BadBios{"9800 PRO", layout::kHeaderPointer, 0xFFFE, 0, 0, false},
                      // 0xFFCF + 48 is 0xFFFF, the mapped length: the last block that fits.
                      BadBios{"9800 PRO", kLegacyPll, 0xFFCF, layout::kLegacyPllBlock, 48, true},
                      BadBios{"9800 PRO", kLegacyPll, 0xFFD0, layout::kLegacyPllBlock, 48, false},
                      BadBios{"X800 XT PE", layout::kHeaderPointer, 0xFFF0, 0, 0, false},
                      BadBios{"X800 XT PE", kAtomData, 0xFFF8, 0, 0, false},
                      BadBios{"X800 XT PE", kAtomFirmware, 0xFFFF - 88 + 1, layout::kAtomFirmwareInfo, 88, false}));

TEST(RvxRegisterTest, AccessesStayInsideTheAperture) {
  sim::SimMachine machine;
  auto rvx = MakeRvx(machine);
  auto& regs = machine.Card().Registers();
  regs.SetRegister(0xFFFC, 0x12345678);
  EXPECT_EQ(rvx->RegRead8(0xFFFE), 0x34u);  // the last mapped byte
  EXPECT_EQ(rvx->RegRead16(0xFFFE), 0u);    // would end one past the mapping
  EXPECT_EQ(rvx->RegRead32(0xFFFC), 0u);
  regs.ClearCounters();
  rvx->RegWrite32(0xFFFC, 1);
  EXPECT_EQ(regs.TotalStores(), 0u);
  EXPECT_EQ(machine.Memory().FaultCount(), 0u);
}

TEST(RvxRegisterTest, PllIndexKeepsSixBitsAndEnablesWritesOnlyToWrite) {
  sim::SimMachine machine;
  auto rvx = MakeRvx(machine);
  auto& regs = machine.Card().Registers();
  regs.ClearCounters();
  // The card would take the high bits of an unmasked index as a write enable (0x80) and
  // a reserved bit (0x40); the index byte must carry neither on a read.
  EXPECT_EQ(rvx->PllRead16(Pll::XCLK_CNTL | 0xC0), 0x8002u);
  rvx->PllRead32(Pll::MCLK_CNTL | 0x40);
  rvx->PllWrite(Pll::XPLL_CNTL | 0xC0, 0x1234);
  EXPECT_EQ(regs.PllIndexBytes(), (std::vector<uint8_t>{0x0D, 0x12, 0x80 | 0x0B}));
  EXPECT_EQ(regs.Pll(Pll::XPLL_CNTL), 0x1234u);
  EXPECT_EQ(regs.TotalPllWrites(), 1u);
}

TEST(RvxRegisterTest, MemoryTimingsAndPalette) {
  sim::SimMachine machine;
  auto rvx = MakeRvx(machine);
  auto& regs = machine.Card().Registers();
  regs.ClearCounters();
  rvx->SetMemTimings(0, 0, 0);
  EXPECT_EQ(regs.TotalStores(), 0u);

  regs.SetRegister(Reg::MC_SDRAM_MODE_REG, 0x3500F132);
  regs.SetRegister(Reg::MC_REFRESH_CNTL, 0xABCDFAA8);
  rvx->SetMemTimings(0x200, 0, 0);
  EXPECT_EQ(regs.Register(Reg::MC_SDRAM_MODE_REG), 0x90003332u);
  EXPECT_EQ(regs.StoreCount(Reg::MC_TIMING_CNTL) + regs.StoreCount(Reg::MC_REFRESH_CNTL), 0u);
  // Refresh takes bits 0-7 and 12-15 of the argument and keeps the register's 8-11.
  rvx->SetMemTimings(0, 0x11223344, 0xFFFF5F42);
  EXPECT_EQ(regs.Register(Reg::MC_TIMING_CNTL), 0x11223344u);
  EXPECT_EQ(regs.Register(Reg::MC_REFRESH_CNTL), 0xABCD5A42u);

  Palette ramp;
  for (uint32_t i = 0; i < ramp.size(); ++i) ramp[i] = i * 0x010101;
  rvx->WritePalette(ramp);
  EXPECT_EQ(regs.PaletteEntry(0x80), 0x808080u);
  regs.SetPaletteEntry(7, 0x123456);
  EXPECT_EQ(rvx->ReadPalette()[7], 0x123456u);
}

}  // namespace
}  // namespace corvane::hardware
