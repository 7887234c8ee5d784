#pragma once
// The replacements that see a program create its 3D device: Direct3DCreate8/9 (whose
// object's CreateDevice is then redirected) and wglCreateContext. The first device or
// context a program creates is reported once.

#include <cstddef>

#include "outside/hook_shell/import_patch.h"

namespace corvane::outside {

extern const ImportHook kDeviceHooks[];
extern const size_t kDeviceHookCount;

}  // namespace corvane::outside
