#pragma once
// A window handle (HWND) carried through the ports as a number, so that portable code
// can pass the main form's window on without seeing windows.h.

#include <cstdint>

namespace corvane::platform {

using WindowHandle = uintptr_t;

}  // namespace corvane::platform
