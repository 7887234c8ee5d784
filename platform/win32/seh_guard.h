#pragma once
// Runs foreign code (a plug-in's export) so that a processor fault or any other structured
// exception it leaves unhandled - which is also how a C++ exception of a Visual C++ plug-in
// travels - returns here as a failed call instead of ending the process. mingw's i686
// compiler has no __try, so the guard registers its own frame handler on the thread's
// exception chain and jumps back with __builtin_longjmp. The abandoned frames of the
// foreign code are not unwound: their locks and allocations are lost, which is the price
// of carrying on.

#include <cstdint>

namespace corvane::platform {

struct GuardedCallResult {
  bool completed = false;
  uint32_t exceptionCode = 0;  // when not completed: EXCEPTION_ACCESS_VIOLATION, 0xE06D7363 ...
};

GuardedCallResult CallGuarded(void (*call)(void* data), void* data);

}  // namespace corvane::platform
