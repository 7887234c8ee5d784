#pragma once
// Redirects functions that the modules of this process import by name: every import slot
// of `dll`!`function` gets `replacement`, and `original` keeps what the first patched slot
// held so the replacement can pass the call on. A hook that some other tool already put in
// a slot stays in the chain. Faults while patching are caught and leave the rest as it was.

#include <windows.h>

#include <cstddef>

namespace corvane::outside {

struct ImportHook {
  const char* dll;
  const char* function;
  void* replacement;
  void* volatile* original;
};

// Every module loaded now (this library's own module excepted); returns the number of slots
// changed. Call it outside the loader lock (not from DllMain).
int PatchLoadedModules(HMODULE self, const ImportHook* hooks, size_t count);

// Replaces one pointer in memory that may be read-only (an import slot, an interface's
// method table).
bool WriteSlot(void** slot, void* value);

// The import patching a global hook does in each process it reaches: on its first call, and
// again when a top-level window is created (a program may have loaded the patched library
// late), at most a few times per process. Call from the hook procedure.
void PatchOnHookCall(int hookCode, WPARAM wParam, LPARAM lParam, HMODULE self, const ImportHook* hooks, size_t count);

// Keeps `self` loaded until the process ends: once a slot points into it, unloading it
// would leave the program calling into freed memory.
void PinModule(HMODULE self);

// This library's own module, from an address inside it.
HMODULE ModuleOf(const void* address);

}  // namespace corvane::outside
