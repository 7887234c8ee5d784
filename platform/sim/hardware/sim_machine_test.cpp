#include "platform/sim/hardware/sim_machine.h"

#include <gtest/gtest.h>

#include "platform/sim/hardware/sim_test_driver.h"

namespace corvane::platform::sim {
namespace {

TEST(SimMachine, PresetsByName) {
  EXPECT_EQ(CardPresetNames(), (std::vector<std::string_view>{"9800 PRO", "X800 XT PE", "9600 SYNC"}));
  EXPECT_EQ(SimMachine().Card().Setup().deviceId, 0x4E48u);  // the default
  EXPECT_FALSE(FindCardPreset("9800 pro"));
  EXPECT_THROW(SimMachine("9700 TYPO"), std::invalid_argument);
}

// A whole session as the program has it: install, map the three windows, release them.
TEST(SimMachine, SessionLeavesNoHandleOrWindowBehind) {
  SimMachine machine("X800 XT PE");
  {
    TestDriver driver(machine);
    const uint32_t regs = driver.Map(driver.ConfigRead(kCardLocation, 0x18, 4) & 0xFFFFFF00, 0xFFFF);
    const uint32_t frame = driver.Map((driver.ConfigRead(kCardLocation, 0x10, 4) & 0xFC000000) + 0x1E2000, 0x1D4C00);
    const uint32_t bios = driver.Map(0xC0000, 0xFFFF);
    ASSERT_TRUE(regs && frame && bios);
    EXPECT_EQ(machine.Registers().Read32(regs, radeon_reg::kConfigMemSize), 256u << 20);
    EXPECT_TRUE(driver.Unmap(frame));
    EXPECT_TRUE(driver.Unmap(regs));
    EXPECT_TRUE(driver.Unmap(bios));
  }
  EXPECT_EQ(machine.Kernel().OpenHandleCount(), 0u);
  EXPECT_EQ(machine.Kernel().BadHandleUses(), 0u);
  EXPECT_TRUE(machine.Memory().Mappings().empty());
  EXPECT_EQ(machine.Memory().MapCount(), 3u);
  EXPECT_EQ(machine.Memory().FaultCount(), 0u);
}

TEST(SimMachine, WithoutACardOnlyTheBiosCanBeMapped) {
  SimMachine machine("9800 PRO", {.cardPresent = false});
  TestDriver driver(machine);
  EXPECT_EQ(driver.Map(0xFF8F0000, 0xFFFF), 0u);
  EXPECT_NE(driver.Map(0xC0000, 0xFFFF), 0u);
}

}  // namespace
}  // namespace corvane::platform::sim
