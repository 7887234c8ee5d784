#include "platform/win32/fpu_control.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(FpuControlTest, TheProgramWordReadsBack) {
  const uint16_t saved = FloatingPointControlWord();
  SetProcessFloatingPointControl();
  const uint16_t word = FloatingPointControlWord();
  SetFloatingPointControlWord(saved);
  // All six exceptions masked, 64-bit precision, nearest rounding, affine infinity; bit 6
  // is reserved and reads back as one whatever was loaded.
  EXPECT_EQ(word & ~0x0040, 0x133F);
}

}  // namespace
}  // namespace corvane::platform
