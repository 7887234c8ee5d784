#pragma once
// A window of physical memory that the kernel driver mapped into the process, with the
// length that was asked for. Every access is checked against that length, so a bad
// offset (a register number, a pointer read from the BIOS) reads 0 or is dropped
// instead of touching memory past the mapping.

#include <cstdint>

#include "platform/card_registers.h"

namespace corvane::hardware {

class MappedWindow {
 public:
  MappedWindow() = default;
  MappedWindow(uintptr_t address, uint32_t length) : address_(address), length_(address ? length : 0) {}

  uintptr_t Address() const { return address_; }
  uint32_t Length() const { return length_; }
  bool IsMapped() const { return address_ != 0; }
  // Whether `width` bytes at `offset` lie inside the mapping.
  bool Holds(uint64_t offset, uint64_t width) const { return address_ != 0 && offset + width <= length_; }

  uint8_t Read8(platform::CardRegisters& memory, uint64_t offset) const;
  uint16_t Read16(platform::CardRegisters& memory, uint64_t offset) const;
  uint32_t Read32(platform::CardRegisters& memory, uint64_t offset) const;
  void Write8(platform::CardRegisters& memory, uint64_t offset, uint8_t value) const;
  void Write16(platform::CardRegisters& memory, uint64_t offset, uint16_t value) const;
  void Write32(platform::CardRegisters& memory, uint64_t offset, uint32_t value) const;

 private:
  uintptr_t address_ = 0;
  uint32_t length_ = 0;
};

}  // namespace corvane::hardware
