#pragma once
// The replacements of user32's mode-change calls that the refresh-rate lock puts in every
// program the hook reaches. While the lock is installed, a request for a resolution in the
// lock table goes on with the locked rate; everything else goes on as asked.

#include <windows.h>

#include <cstddef>

#include "outside/hook_shell/import_patch.h"

namespace corvane::outside {

// The named event that exists while the program has the lock installed.
inline constexpr wchar_t kLockInstalledEvent[] = L"CorvaneRefreshLockInstalled";

extern const ImportHook kModeChangeHooks[];
extern const size_t kModeChangeHookCount;

}  // namespace corvane::outside
