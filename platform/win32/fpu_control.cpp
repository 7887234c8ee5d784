#include "platform/win32/fpu_control.h"

namespace corvane::platform {

void SetProcessFloatingPointControl() { SetFloatingPointControlWord(kProgramFpuControlWord); }

void SetFloatingPointControlWord(uint16_t word) {
  // fldcw does not raise a pending exception; clear any first so that unmasking
  // (a caller restoring an older word) cannot trap on a stale flag.
  asm volatile("fnclex\n\tfldcw %0" : : "m"(word));
}

uint16_t FloatingPointControlWord() {
  uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

}  // namespace corvane::platform
