#pragma once
// Keeping the driver's registry in step with what was set through escapes, and making
// the driver re-read its registry settings after the 3D settings changed.

#include <cstdint>
#include <functional>

#include "display/display_environment.h"
#include "display/escape_records.h"

namespace corvane::display {

// Has the driver hand over its configuration records one by one and writes each as a
// binary value into the driver key, until the driver has no more. The key is not
// created; a value that cannot be written is skipped. Returns the records read.
uint32_t PersistDriverSettings(DisplayEnvironment& env);

// Sets a display's adjustments and, when the driver took them and `persist` is set,
// writes the driver's configuration. The driver's result: 0 = accepted.
int32_t ApplyAdjustments(DisplayEnvironment& env, uint32_t displayIndex, const AdjustmentValues& values,
                         bool persist);

struct ReloadOptions {
  // "UseNew3DApply": switch the colour depth away and back instead of resetting the driver.
  bool depthFlip = false;
  // "ROVEnabled": the refresh-rate hook goes back in after the depth flip.
  bool refreshLockEnabled = false;
  // The refresh-rate hook, which would force its rates on the intermediate mode.
  std::function<void()> uninstallRefreshHook;
  std::function<void()> installRefreshHook;
};

void ReloadDriverSettings(DisplayEnvironment& env, const ReloadOptions& options);

}  // namespace corvane::display
