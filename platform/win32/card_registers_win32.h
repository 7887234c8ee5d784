#pragma once
// Card registers as plain volatile loads and stores through the window the kernel
// driver mapped: every call is exactly one access of its width, in program order, which
// the PLL and palette index/data pairs depend on.

#include "platform/card_registers.h"

namespace corvane::platform {

class Win32CardRegisters final : public CardRegisters {
 public:
  uint8_t Read8(uintptr_t window, uint32_t offset) override;
  uint16_t Read16(uintptr_t window, uint32_t offset) override;
  uint32_t Read32(uintptr_t window, uint32_t offset) override;
  void Write8(uintptr_t window, uint32_t offset, uint8_t value) override;
  void Write16(uintptr_t window, uint32_t offset, uint16_t value) override;
  void Write32(uintptr_t window, uint32_t offset, uint32_t value) override;
};

}  // namespace corvane::platform
