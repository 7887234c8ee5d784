#include "platform/sim/hardware/sim_pci_bus.h"

#include <gtest/gtest.h>

#include "platform/sim/hardware/sim_test_driver.h"

namespace corvane::platform::sim {
namespace {

TEST(SimPciBus, ClassByteOfTheCardIsReadFromLaneThree) {
  SimMachine machine;
  TestDriver driver(machine);
  machine.Kernel().ClearPortLog();

  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x0B, 1), 3u);
  const std::vector<PortAccess>& log = machine.Kernel().PortLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].port, 0xCF8);
  EXPECT_TRUE(log[0].write);
  EXPECT_EQ(log[0].width, 4u);
  EXPECT_EQ(log[0].value, 0x80010008u);
  EXPECT_EQ(log[1].port, 0xCFF);
  EXPECT_FALSE(log[1].write);
  EXPECT_EQ(log[1].width, 1u);
  EXPECT_EQ(machine.Bus().ConfigAddress(), 0x80010008u);
}

TEST(SimPciBus, WidthsAndLanesOfTheDataPort) {
  SimMachine machine;
  TestDriver driver(machine);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x00, 4), 0x4E481002u);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x02, 2), 0x4E48u);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x01, 1), 0x10u);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x10, 4), 0xD0000008u);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x18, 4), 0xFF8F0000u);
  EXPECT_EQ(driver.ConfigRead(kCardSecondaryLocation, 0x02, 2), 0x4E68u);
  // On the bus a word that runs past 0xCFF gets all ones for the byte beyond; the
  // driver refuses such a misaligned access.
  driver.Out(0xCF8, 4, 0x80010008);
  EXPECT_EQ(machine.Bus().PortRead(0xCFF, 2), 0xFF03u);
  EXPECT_EQ(driver.In(0xCFF, 2), 0u);
  EXPECT_EQ(machine.Kernel().LastError(), device_error::AccessDenied);
}

TEST(SimPciBus, AbsentFunctionsAndDisabledAddressesReadAllOnes) {
  SimMachine machine;
  TestDriver driver(machine);
  EXPECT_EQ(driver.ConfigRead({0, 5, 0}, 0x00, 2), 0xFFFFu);
  EXPECT_EQ(driver.ConfigRead({1, 0, 2}, 0x00, 4), 0xFFFFFFFFu);
  EXPECT_EQ(driver.ConfigRead({7, 31, 7}, 0x0B, 1), 0xFFu);
  driver.Out(0xCF8, 4, 0x00010000);  // enable bit clear
  EXPECT_EQ(driver.In(0xCFC, 4), 0xFFFFFFFFu);

  // Only a dword reaches the address register; a byte at 0xCF9 is another chipset
  // register, which the driver does not let through at all.
  driver.Out(0xCF8, 4, 0x80010000);
  machine.Bus().PortWrite(0xCF9, 1, 0x06);
  EXPECT_EQ(driver.In(0xCF8, 4), 0x80010000u);
  machine.Kernel().ClearPortLog();
  driver.Out(0xCF9, 1, 0x06);
  EXPECT_TRUE(machine.Kernel().PortLog().empty());
  // Ports off the bus float; the card's I/O BAR is the one such range the driver reaches.
  EXPECT_EQ(driver.In(0xC000, 1), 0xFFu);
  EXPECT_EQ(driver.In(0x80, 1), 0u);
  EXPECT_EQ(machine.Kernel().LastError(), device_error::AccessDenied);

  SimMachine empty("9800 PRO", {.cardPresent = false});
  TestDriver emptyDriver(empty);
  EXPECT_EQ(emptyDriver.ConfigRead(kCardLocation, 0x00, 2), 0xFFFFu);
}

TEST(SimPciBus, WritesLandOnlyInWritableBits) {
  SimMachine machine;
  TestDriver driver(machine);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x0D, 1), 0x20u);
  driver.ConfigWrite(kCardLocation, 0x0D, 1, 0xF8);  // the latency timer
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x0D, 1), 0xF8u);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x0C, 4), 0x0080F808u);  // neighbours untouched

  driver.ConfigWrite(kCardLocation, 0x00, 4, 0x12345678);  // identity is read-only
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x00, 4), 0x4E481002u);

  // BAR sizing on the bus: all ones read back as the size mask with the type bits kept.
  // Through the driver a BAR of the card cannot be written at all.
  SimPciBus& bus = machine.Bus();
  driver.ConfigWrite(kCardLocation, 0x10, 4, 0xFFFFFFFF);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x10, 4), 0xD0000008u);
  bus.PortWrite(0xCF8, 4, 0x80010010);
  bus.PortWrite(0xCFC, 4, 0xFFFFFFFF);
  EXPECT_EQ(bus.PortRead(0xCFC, 4), 0xF8000008u);  // 128 MB, prefetchable
  bus.PortWrite(0xCF8, 4, 0x80010018);
  bus.PortWrite(0xCFC, 4, 0xFFFFFFFF);
  EXPECT_EQ(bus.PortRead(0xCFC, 4), 0xFFFF0000u);  // 64 KB

  ASSERT_FALSE(machine.Bus().ConfigWrites().empty());
  const ConfigWrite& latency = machine.Bus().ConfigWrites().front();
  EXPECT_EQ(latency.location, kCardLocation);
  EXPECT_EQ(latency.reg, 0x0D);
  EXPECT_EQ(latency.width, 1u);
  EXPECT_EQ(latency.value, 0xF8u);
}

// The way the program finds the card: scan every place, the function varying fastest,
// and take the first ATI display controller.
TEST(SimPciBus, ScanFindsTheChipsetAndTheCardFirstAtItsPlace) {
  SimMachine machine("X800 XT PE");
  TestDriver driver(machine);
  std::vector<PciLocation> atiDisplays;
  size_t present = 0;
  for (uint8_t bus = 0; bus < 8; ++bus)
    for (uint8_t device = 0; device < 32; ++device)
      for (uint8_t function = 0; function < 8; ++function) {
        const PciLocation at{bus, device, function};
        const uint32_t vendor = driver.ConfigRead(at, 0x00, 2);
        if (vendor == 0xFFFF) continue;
        ++present;
        if (vendor == kAtiVendorId && driver.ConfigRead(at, 0x0B, 1) == 3) atiDisplays.push_back(at);
      }
  EXPECT_EQ(present, 12u);  // ten chipset and slot functions, the card's two heads
  ASSERT_EQ(atiDisplays.size(), 2u);
  EXPECT_EQ(atiDisplays[0], kCardLocation);
  EXPECT_EQ(driver.ConfigRead(kCardLocation, 0x02, 2), 0x4A50u);
  EXPECT_EQ(driver.ConfigRead(chipset::kHostBridge, 0x00, 4), 0x25708086u);
  EXPECT_EQ(driver.ConfigRead(chipset::kHostBridge, 0x0B, 1), 0x06u);
  EXPECT_EQ(driver.ConfigRead(chipset::kAgpBridge, 0x19, 1), 1u);  // the card's bus behind it
}

}  // namespace
}  // namespace corvane::platform::sim
