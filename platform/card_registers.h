#pragma once
// Loads and stores in a window of physical memory that the kernel driver mapped into
// the process (the register aperture, the video BIOS, the frame buffer). A port because
// some registers have side effects (PLL and palette index/data pairs): the real adapter
// is a volatile access through the mapped address, the simulation a simulated card.

#include <cstdint>

namespace corvane::platform {

class CardRegisters {
 public:
  virtual ~CardRegisters() = default;
  // `window` is the user-mode address the driver returned for a mapping; the caller keeps
  // `offset` inside the length it mapped.
  virtual uint8_t Read8(uintptr_t window, uint32_t offset) = 0;
  virtual uint16_t Read16(uintptr_t window, uint32_t offset) = 0;
  virtual uint32_t Read32(uintptr_t window, uint32_t offset) = 0;
  virtual void Write8(uintptr_t window, uint32_t offset, uint8_t value) = 0;
  virtual void Write16(uintptr_t window, uint32_t offset, uint16_t value) = 0;
  virtual void Write32(uintptr_t window, uint32_t offset, uint32_t value) = 0;
};

}  // namespace corvane::platform
