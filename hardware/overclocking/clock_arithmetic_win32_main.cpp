// The clock and colour-table arithmetic tests as the shipped program computes: on the x87
// under the program's control word (64-bit precision, every exception masked), set before
// any test as the program sets it at its start.

#include <gtest/gtest.h>

#include "platform/win32/fpu_control.h"

namespace {

TEST(ProgramFpuControl, TheTestsRunUnderTheProgramsControlWord) {
  // Bit 6 is reserved and reads back as one.
  EXPECT_EQ(corvane::platform::FloatingPointControlWord() & ~0x0040, corvane::platform::kProgramFpuControlWord);
}

}  // namespace

int main(int argc, char** argv) {
  corvane::platform::SetProcessFloatingPointControl();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
