#include "platform/win32/card_registers_win32.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(CardRegistersWin32, AccessesAreLittleEndianAndTouchOnlyTheirWidth) {
  uint32_t buffer[4] = {0, 0xAAAAAAAA, 0, 0};
  const auto window = reinterpret_cast<uintptr_t>(buffer);
  Win32CardRegisters registers;

  registers.Write32(window, 8, 0x11223344);
  EXPECT_EQ(buffer[2], 0x11223344u);
  EXPECT_EQ(registers.Read8(window, 8), 0x44);
  EXPECT_EQ(registers.Read8(window, 11), 0x11);
  EXPECT_EQ(registers.Read16(window, 10), 0x1122);

  registers.Write8(window, 4, 0x80);  // as a PLL index byte is written
  registers.Write16(window, 6, 0x1234);
  EXPECT_EQ(buffer[1], 0x1234AA80u);
  EXPECT_EQ(registers.Read32(window, 4), 0x1234AA80u);
  EXPECT_EQ(buffer[0], 0u);
  EXPECT_EQ(buffer[3], 0u);
}

}  // namespace
}  // namespace corvane::platform
