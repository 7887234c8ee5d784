#pragma once
// A whole simulated machine: the chipset and the Radeon on the PCI bus, the physical
// memory the driver maps, the service control manager, and the two ports the program
// uses on top of them. A test or `corvane.exe /simulate` makes one from a preset name:
//
//   sim::SimMachine machine("9800 PRO");
//   TRVX rvx(machine.Kernel(), machine.Registers(), ...);
//   EXPECT_EQ(machine.Card().Registers().PllWriteCount(sim::radeon_pll::kMpllRefFbDiv), 0u);
//   EXPECT_EQ(machine.Kernel().OpenHandleCount(), 0u);   // after TRVX is gone
//
// Physical layout: the card at 01:00.0 (secondary head at 01:00.1), its register
// aperture at the register BAR (64 KB), its video memory at the frame-buffer BAR and its
// video BIOS at 0xC0000 (64 KB); 512 MB of system RAM. The kernel device enforces the
// same bounds as the real driver: only the card's BARs and the BIOS window map.

#include <string_view>

#include "platform/sim/hardware/sim_bios_image.h"
#include "platform/sim/hardware/sim_card_presets.h"
#include "platform/sim/hardware/sim_card_registers.h"
#include "platform/sim/hardware/sim_chipset.h"
#include "platform/sim/hardware/sim_kernel_io.h"
#include "platform/sim/hardware/sim_memory_regions.h"
#include "platform/sim/hardware/sim_pci_bus.h"
#include "platform/sim/hardware/sim_physical_memory.h"
#include "platform/sim/hardware/sim_radeon.h"
#include "platform/sim/hardware/sim_service_manager.h"

namespace corvane::platform::sim {

struct MachineOptions {
  ServiceScenario scenario = ServiceScenario::NotInstalled;
  bool cardPresent = true;  // false: no Radeon on the bus, no card memory (the BIOS stays)
};

class SimMachine {
 public:
  // Throws std::invalid_argument for a name FindCardPreset does not know.
  explicit SimMachine(std::string_view preset = kDefaultCardPreset, const MachineOptions& options = {});
  explicit SimMachine(const CardSetup& card, const MachineOptions& options = {});
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  SimKernelIo& Kernel() { return kernel_; }
  SimCardRegisters& Registers() { return registers_; }

  SimRadeon& Card() { return card_; }
  SimPciBus& Bus() { return bus_; }
  SimPhysicalMemory& Memory() { return memory_; }
  SimServiceManager& Services() { return services_; }

 private:
  SimRadeon card_;
  SimPciBus bus_;
  SimPhysicalMemory memory_;
  SimServiceManager services_;
  SimKernelIo kernel_;
  SimCardRegisters registers_;
};

}  // namespace corvane::platform::sim
