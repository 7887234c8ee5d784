#include "platform/sim/hardware/sim_card_registers.h"

namespace corvane::platform::sim {

// The sum is formed in 64 bits, so an offset that would wrap a 32-bit pointer shows up
// as a fault instead of landing somewhere.
uint8_t SimCardRegisters::Read8(uintptr_t window, uint32_t offset) {
  return static_cast<uint8_t>(memory_.Load(uint64_t{window} + offset, 1));
}
uint16_t SimCardRegisters::Read16(uintptr_t window, uint32_t offset) {
  return static_cast<uint16_t>(memory_.Load(uint64_t{window} + offset, 2));
}
uint32_t SimCardRegisters::Read32(uintptr_t window, uint32_t offset) {
  return memory_.Load(uint64_t{window} + offset, 4);
}
void SimCardRegisters::Write8(uintptr_t window, uint32_t offset, uint8_t value) {
  memory_.Store(uint64_t{window} + offset, 1, value);
}
void SimCardRegisters::Write16(uintptr_t window, uint32_t offset, uint16_t value) {
  memory_.Store(uint64_t{window} + offset, 2, value);
}
void SimCardRegisters::Write32(uintptr_t window, uint32_t offset, uint32_t value) {
  memory_.Store(uint64_t{window} + offset, 4, value);
}

}  // namespace corvane::platform::sim
