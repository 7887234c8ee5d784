#pragma once
// The simulated PCI bus as the request bounds read it: configuration dwords straight
// from the functions, and BAR sizes from what a BAR would read back after all ones
// were written, worked out on a copy so the bus records no write and no BAR moves.

#include "platform/io_bounds/io_bounds.h"
#include "platform/sim/hardware/sim_pci_bus.h"

namespace corvane::platform::sim {

class SimPciConfigSource final : public io_bounds::PciConfigSource {
 public:
  explicit SimPciConfigSource(const SimPciBus& bus) : bus_(bus) {}

  uint32_t ReadConfig32(io_bounds::PciFunction at, uint8_t reg) override;
  uint32_t BarSizeMask(io_bounds::PciFunction at, uint8_t reg) override;

 private:
  const SimPciBus& bus_;
};

}  // namespace corvane::platform::sim
