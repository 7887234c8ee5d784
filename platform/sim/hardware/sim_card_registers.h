#pragma once
// The card register port over the simulated machine's mapped windows: an access at
// window + offset reaches whatever the driver mapped there (the Radeon's registers, its
// video BIOS, its video memory). Outside every window it is a fault the machine's
// memory records (see SimPhysicalMemory::Faults): loads give 0, stores are dropped.

#include "platform/card_registers.h"
#include "platform/sim/hardware/sim_physical_memory.h"

namespace corvane::platform::sim {

class SimCardRegisters final : public CardRegisters {
 public:
  explicit SimCardRegisters(SimPhysicalMemory& memory) : memory_(memory) {}

  uint8_t Read8(uintptr_t window, uint32_t offset) override;
  uint16_t Read16(uintptr_t window, uint32_t offset) override;
  uint32_t Read32(uintptr_t window, uint32_t offset) override;
  void Write8(uintptr_t window, uint32_t offset, uint8_t value) override;
  void Write16(uintptr_t window, uint32_t offset, uint16_t value) override;
  void Write32(uintptr_t window, uint32_t offset, uint32_t value) override;

 private:
  SimPhysicalMemory& memory_;
};

}  // namespace corvane::platform::sim
