#include "platform/sim/hardware/sim_bios_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "platform/sim/hardware/sim_test_driver.h"

namespace corvane::platform::sim {
namespace {

using namespace bios_layout;

struct ParsedClocks {
  uint16_t core = 0, mem = 0, refClock = 0, refDiv = 0;
};

// Follows the tables through the mapped window, as the program reads them.
ParsedClocks ParseLegacy(CardRegisters& io, uint32_t bios) {
  const uint16_t header = io.Read16(bios, 0x48);
  const uint16_t pll = io.Read16(bios, header + 0x30);
  return {io.Read16(bios, pll + 10), io.Read16(bios, pll + 8), io.Read16(bios, pll + 14), io.Read16(bios, pll + 16)};
}

ParsedClocks ParseAtom(CardRegisters& io, uint32_t bios) {
  const uint16_t header = io.Read16(bios, 0x48);
  const uint16_t data = io.Read16(bios, header + 0x20);
  const uint16_t info = io.Read16(bios, data + 0x0C);
  return {static_cast<uint16_t>(io.Read32(bios, info + 8)), static_cast<uint16_t>(io.Read32(bios, info + 12)),
          io.Read16(bios, info + 0x52), 0};
}

TEST(SimBiosImage, BuiltImagesAreValidOptionRoms) {
  for (const auto& image : {BuildLegacyBios({38000, 34000, 2700, 12}), BuildAtomBios({52000, 56000, 2700, 0})}) {
    ASSERT_EQ(image.size(), kBiosImageSize);
    EXPECT_EQ(GetWord(image, 0), 0xAA55u);
    EXPECT_EQ(image[2] * 512u, kBiosImageSize);
    EXPECT_EQ(std::accumulate(image.begin(), image.end(), 0u) & 0xFF, 0u);
  }
  const auto atom = BuildAtomBios({});
  EXPECT_EQ(std::string(atom.begin() + kAtomRomHeader + 4, atom.begin() + kAtomRomHeader + 8), "ATOM");
  EXPECT_EQ(GetWord(atom, kAtomFirmwareInfo), kAtomFirmwareInfoSize);
}

// Each preset's BIOS defaults come from its PLL (to within rounding), so a program that
// reads both sees one card.
TEST(SimBiosImage, PresetTablesParseToTheirClocksAndAgreeWithThePll) {
  struct Expected {
    const char* preset;
    bool atom;
    ParsedClocks clocks;
  };
  for (const Expected& e : {Expected{"9800 PRO", false, {38000, 34000, 2700, 12}},
                            Expected{"X800 XT PE", true, {52000, 56000, 2700, 0}},
                            Expected{"9600 SYNC", false, {40000, 40000, 2700, 12}}}) {
    SCOPED_TRACE(e.preset);
    SimMachine machine(e.preset);
    TestDriver driver(machine);
    const uint32_t bios = driver.Map(0xC0000, 0xFFFF);
    const ParsedClocks parsed = e.atom ? ParseAtom(machine.Registers(), bios) : ParseLegacy(machine.Registers(), bios);
    EXPECT_EQ(parsed.core, e.clocks.core);
    EXPECT_EQ(parsed.mem, e.clocks.mem);
    EXPECT_EQ(parsed.refClock, e.clocks.refClock);
    EXPECT_EQ(parsed.refDiv, e.clocks.refDiv);
    EXPECT_EQ(machine.Memory().FaultCount(), 0u);

    const SimRadeon& card = machine.Card();
    EXPECT_EQ(card.Setup().refClock, parsed.refClock);
    EXPECT_EQ(card.Registers().Pll(radeon_pll::kMpllRefFbDiv) & 0xFF, 12u);
    EXPECT_LE(std::abs(card.MemClockMhz() - parsed.mem / 100.0), 0.5);
    // With synchronous clocks the core runs at the memory clock.
    const double core = card.CoreClockMhz() != 0.0 ? card.CoreClockMhz() : card.MemClockMhz();
    EXPECT_LE(std::abs(core - parsed.core / 100.0), 0.5);
  }
}

TEST(SimBiosImage, HandMadeImageWithAPointerOffTheEnd) {
  CardSetup setup = *FindCardPreset("9800 PRO");
  setup.biosImage = BuildLegacyBios({38000, 34000, 2700, 12});
  PutWord(setup.biosImage, kHeaderPointer, 0xFFF0);
  SimMachine machine(setup);
  TestDriver driver(machine);
  const uint32_t bios = driver.Map(0xC0000, 0xFFFF);
  CardRegisters& io = machine.Registers();

  EXPECT_EQ(io.Read16(bios, 0x48), 0xFFF0u);
  EXPECT_EQ(io.Read16(bios, 0xFFF0 + 0x30), 0u);  // past the mapped 0xFFFF bytes
  EXPECT_EQ(machine.Memory().FaultCount(), 1u);

  // A short image is padded with zeros to the full 64 KB.
  setup.biosImage = {0x55, 0xAA, 0x01};
  SimMachine tiny(setup);
  TestDriver tinyDriver(tiny);
  const uint32_t tinyBios = tinyDriver.Map(0xC0000, 0xFFFF);
  EXPECT_EQ(tiny.Registers().Read16(tinyBios, 0), 0xAA55u);
  EXPECT_EQ(tiny.Registers().Read16(tinyBios, 0x48), 0u);
  EXPECT_EQ(tiny.Memory().FaultCount(), 0u);
}

}  // namespace
}  // namespace corvane::platform::sim
