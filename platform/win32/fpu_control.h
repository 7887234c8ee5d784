#pragma once
// The x87 control word the program runs with: every floating-point exception masked,
// extended precision, round to nearest (0x133F). Clock arithmetic then yields
// infinities instead of faults. The word belongs to a thread, so the program entry sets
// it on the main thread and each thread the program starts sets it again.

#include <cstdint>

namespace corvane::platform {

inline constexpr uint16_t kProgramFpuControlWord = 0x133F;

void SetProcessFloatingPointControl();
void SetFloatingPointControlWord(uint16_t word);
uint16_t FloatingPointControlWord();

}  // namespace corvane::platform
