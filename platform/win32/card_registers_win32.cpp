#include "platform/win32/card_registers_win32.h"

namespace corvane::platform {
namespace {

// x86 allows misaligned accesses; the registers the program touches are aligned anyway.
template <typename T>
volatile T* At(uintptr_t window, uint32_t offset) {
  return reinterpret_cast<volatile T*>(window + offset);
}

}  // namespace

uint8_t Win32CardRegisters::Read8(uintptr_t window, uint32_t offset) { return *At<uint8_t>(window, offset); }
uint16_t Win32CardRegisters::Read16(uintptr_t window, uint32_t offset) { return *At<uint16_t>(window, offset); }
uint32_t Win32CardRegisters::Read32(uintptr_t window, uint32_t offset) { return *At<uint32_t>(window, offset); }

void Win32CardRegisters::Write8(uintptr_t window, uint32_t offset, uint8_t value) { *At<uint8_t>(window, offset) = value; }
void Win32CardRegisters::Write16(uintptr_t window, uint32_t offset, uint16_t value) {
  *At<uint16_t>(window, offset) = value;
}
void Win32CardRegisters::Write32(uintptr_t window, uint32_t offset, uint32_t value) {
  *At<uint32_t>(window, offset) = value;
}

}  // namespace corvane::platform
