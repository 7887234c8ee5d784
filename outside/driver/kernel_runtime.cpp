// The little a freestanding C++ driver needs from a runtime it does not link.

#include "outside/driver/kernel.h"

// Called only if an abstract class's pure function were ever reached through its own
// vtable, which no code here does; stop the machine with a recognisable code rather
// than run on.
extern "C" void __cxa_pure_virtual() { KeBugCheckEx(0xC0A7A5E0, 0, 0, 0, 0); }
