// The simulated machine's state between runs: its text, damaged or hand-edited files, and
// the file kept up to date behind the card and driver ports.

#include "platform/sim/hardware/sim_machine_state.h"

#include <gtest/gtest.h>

#include "platform/sim/clock_sim.h"
#include "platform/sim/hardware/sim_machine_state_file.h"
#include "platform/sim/hardware/sim_observed_ports.h"
#include "platform/sim/hardware/sim_test_driver.h"
#include "platform/sim/whole_file_sim.h"

namespace corvane::platform::sim {
namespace {

using namespace radeon_reg;
using namespace radeon_pll;

struct Machine {
  SimMachine machine;
  SimAtiDriver driver;
  SimRadeon& Card() { return machine.Card(); }
  RadeonRegisters& Regs() { return machine.Card().Registers(); }
  SimAtiDriverState& Driver() { return driver.State(); }
  std::string Text() { return MachineStateText(Card(), Driver()); }
};

// A machine a user has worked with: clocks, timings, a game's palette, the TV on the
// second controller, the desktop turned, adjustments and overlay changed.
void UseMachine(Machine& m) {
  m.Regs().SetPll(kMpllRefFbDiv, 0x00B4970C);
  m.Regs().SetPll(kXclkCntl, 0x00008002);
  m.Regs().SetPll(0x21, 0x55);  // one a fresh card has at 0
  m.Regs().SetRegister(kMcTimingCntl, 0x24B46A35);
  m.Regs().SetRegister(kMcRefreshCntl, 0xABCD5A42);
  for (uint32_t i = 0; i < 256; ++i) m.Regs().SetPaletteEntry(static_cast<uint8_t>(i), (255 - i) << 16 | i << 8 | 7);
  m.Driver().controllers[0] = {768, 1024, 0x1, 75, m.Driver().controllers[0].driverFields};
  m.Driver().controllers[1] = {800, 600, 0x8, 60, m.Driver().controllers[1].driverFields};
  m.Driver().rotation = 1;
  m.Driver().displays[0].adjustments[4] = -17;
  m.Driver().displays[2].adjustments[24] = INT32_MIN;
  m.Driver().overlay[2].value = 250;
  m.Driver().theaterMode[8] = 1;
  m.Driver().theaterMode[16] = 0x22;
}

TEST(SimMachineState, ReadingTheTextGivesTheSameMachine) {
  Machine used;
  UseMachine(used);
  Machine restored;
  ASSERT_NE(restored.Text(), used.Text());
  ReadMachineState(used.Text(), restored.Card(), restored.Driver());
  EXPECT_EQ(restored.Text(), used.Text());
  EXPECT_DOUBLE_EQ(restored.Card().CoreClockMhz(), used.Card().CoreClockMhz());
  EXPECT_EQ(restored.Regs().PaletteEntry(200), used.Regs().PaletteEntry(200));
  EXPECT_EQ(restored.Driver().controllers[1].displays, 0x8u);
  EXPECT_EQ(restored.Driver().theaterMode, used.Driver().theaterMode);
  EXPECT_EQ(restored.Driver().controllers[0].driverFields, used.Driver().controllers[0].driverFields);
  EXPECT_NE(used.Text().find("core 405.00 MHz"), std::string::npos) << "people can read the clock";
}

// Lines a person or a broken disk may leave: none of them changes the fresh machine.
TEST(SimMachineState, DamagedLinesKeepTheFreshMachine) {
  const std::string kIgnored[] = {
      "pll 0A",                          // no value
      "pll 0A 1G",                       // not hex
      "pll 40 1",                        // no PLL register 0x40
      "pll 0A 123456789",                // more than 32 bits
      "register 0010 5",                 // not a timing register
      "palette 00 1000000",              // more than 24 bits
      "palette 100 000000",              // no entry 256
      "controller 0 1024 768 85",        // no display mask
      "controller 0 1024 768 85 4",      // display 4 is not connected
      "controller 1 800 600 60 1",       // the primary's monitor on both controllers
      "controller 0 1024 768 85 0",      // a desktop without a display
      "controller 0 99999 768 85 1",     // no such mode
      "controller 2 800 600 60 2",
      "rotation 4", "rotation -1", "rotation",
      "adjustments 9 1 2 3",             // no display 9
      "adjustments 0 99999999999",       // beyond 32 bits
      "overlay 2 251", "overlay 0 1", "overlay 6 1", "overlay 2 x",
      "theater 5 11", "theater 1 44", "theater 1",  // no mode 5; aspect bits 2-3 do not exist
      "clocks 400 300", "PLL 0A 0", "",
      std::string("pll 0A \0\xff\xfe", 10),
      std::string(5000, 'x'),
  };
  const std::string fresh = Machine().Text();
  for (const std::string& line : kIgnored) {
    Machine m;
    ReadMachineState(line + "\n", m.Card(), m.Driver());
    EXPECT_EQ(m.Text(), fresh) << line;
  }
}

TEST(SimMachineState, APartlyGoodLineGivesWhatItCan) {
  Machine m;
  const int32_t freshSecond = m.Driver().displays[0].adjustments[1];
  ReadMachineState("  pll 0a 00b4970c # hand-edited\r\n"
                   "palette FE 123456 zz 654321\n"  // the entry past 255 falls off
                   "adjustments 0 5 x 7\n"
                   "controller 1 800 600 60 8",  // no line end
                   m.Card(), m.Driver());
  EXPECT_EQ(m.Regs().Pll(kMpllRefFbDiv), 0x00B4970Cu);
  EXPECT_EQ(m.Regs().PaletteEntry(0xFE), 0x123456u);
  EXPECT_EQ(m.Regs().PaletteEntry(0xFF), 0xFFFFFFu);
  EXPECT_EQ(m.Regs().PaletteEntry(0x00), 0u);
  EXPECT_EQ(m.Driver().displays[0].adjustments[0], 5);
  EXPECT_EQ(m.Driver().displays[0].adjustments[1], freshSecond);
  EXPECT_EQ(m.Driver().displays[0].adjustments[2], 7);
  EXPECT_EQ(m.Driver().controllers[1].displays, 0x8u);
}

// A run that sets the clocks and the palette through the ports, and the next run.
TEST(SimMachineStateFile, WhatTheProgramChangedIsThereAtTheNextStart) {
  SimClock clock;
  SimWholeFile file;
  Machine first;
  {
    SimMachineStateFile state(file, first.Card(), first.Driver(), clock);
    ObservedCardRegisters registers(first.machine.Registers(), [&] { state.Changed(); });
    TestDriver driver(first.machine);
    const uint32_t regs = driver.Map(driver.ConfigRead(kCardLocation, 0x18, 4) & 0xFFFFFF00, 0xFFFF);
    registers.Write8(regs, kPllIndex, kPllWriteEnable | kMpllRefFbDiv);
    registers.Write32(regs, kPllData, 0x00B4970C);
    for (uint32_t i = 0; i < 256; ++i) {
      registers.Write32(regs, kPaletteIndex, i);
      registers.Write32(regs, kPaletteData, 0x010203 * (i & 0x3F));
    }
    EXPECT_FALSE(file.contents) << "written once the burst is over";
    clock.Advance(kMinimumTimerIntervalMs);
    EXPECT_EQ(file.contents, first.Text());
    EXPECT_EQ(file.replaceCalls, 1);

    ObservedDriverEscape escapes(first.driver, [&] { state.Changed(); });
    escapes.OpenContext(L"")->Escape({}, {});  // a call that changes nothing
    clock.Advance(kMinimumTimerIntervalMs);
    EXPECT_EQ(file.replaceCalls, 1) << "the same text is not written again";
    first.Driver().rotation = 2;  // as an escape would turn it
    escapes.OpenContext(L"")->Escape({}, {});
  }  // going: the pending change is written
  EXPECT_NE(file.contents->find("rotation 2"), std::string::npos);

  Machine second;
  SimMachineStateFile state(file, second.Card(), second.Driver(), clock);
  EXPECT_EQ(second.Text(), first.Text());
  EXPECT_EQ(second.Regs().Pll(kMpllRefFbDiv), 0x00B4970Cu);
}

TEST(SimMachineStateFile, WithoutAFileOrWhenWritesFailTheMachineRunsOn) {
  SimClock clock;
  SimWholeFile file;
  const std::string fresh = Machine().Text();
  {
    Machine m;
    SimMachineStateFile state(file, m.Card(), m.Driver(), clock);
    EXPECT_EQ(m.Text(), fresh);
  }
  EXPECT_EQ(file.replaceCalls, 0) << "nothing changed, nothing written";

  file.contents = "rotation 3\n";
  file.failReplace = true;
  Machine m;
  SimMachineStateFile state(file, m.Card(), m.Driver(), clock);
  EXPECT_EQ(m.Driver().rotation, 3);
  m.Driver().rotation = 1;
  state.Changed();
  clock.Advance(kMinimumTimerIntervalMs);
  EXPECT_EQ(file.contents, "rotation 3\n");
  file.failReplace = false;
  state.Changed();  // tried again at the next change
  clock.Advance(kMinimumTimerIntervalMs);
  EXPECT_EQ(file.contents, m.Text());
}

}  // namespace
}  // namespace corvane::platform::sim
