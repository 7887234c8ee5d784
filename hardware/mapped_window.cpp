#include "hardware/mapped_window.h"

namespace corvane::hardware {

uint8_t MappedWindow::Read8(platform::CardRegisters& memory, uint64_t offset) const {
  return Holds(offset, 1) ? memory.Read8(address_, static_cast<uint32_t>(offset)) : 0;
}

uint16_t MappedWindow::Read16(platform::CardRegisters& memory, uint64_t offset) const {
  return Holds(offset, 2) ? memory.Read16(address_, static_cast<uint32_t>(offset)) : 0;
}

uint32_t MappedWindow::Read32(platform::CardRegisters& memory, uint64_t offset) const {
  return Holds(offset, 4) ? memory.Read32(address_, static_cast<uint32_t>(offset)) : 0;
}

void MappedWindow::Write8(platform::CardRegisters& memory, uint64_t offset, uint8_t value) const {
  if (Holds(offset, 1)) memory.Write8(address_, static_cast<uint32_t>(offset), value);
}

void MappedWindow::Write16(platform::CardRegisters& memory, uint64_t offset, uint16_t value) const {
  if (Holds(offset, 2)) memory.Write16(address_, static_cast<uint32_t>(offset), value);
}

void MappedWindow::Write32(platform::CardRegisters& memory, uint64_t offset, uint32_t value) const {
  if (Holds(offset, 4)) memory.Write32(address_, static_cast<uint32_t>(offset), value);
}

}  // namespace corvane::hardware
