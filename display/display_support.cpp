#include "display/display_support.h"

#include <optional>

#include "display/driver_settings.h"
#include "display/escape_calls.h"

namespace corvane::display {
namespace {

// Arguments of EnableExtendedDesktop.
constexpr int32_t kExtendedDesktopTarget = 1;
constexpr int32_t kExtend = -1;
constexpr int32_t kStopExtending = 0;

// Far beyond any real adapter count; stops a system that never says "no more".
constexpr uint32_t kMaxDisplayDevices = 1024;

}  // namespace

DisplaySupport DetectDisplaySupport(DisplayEnvironment& env) {
  EscapeContext dc(env.escapes, env.deviceName);
  DisplaySupport support;
  support.InterfaceRevision = QueryAdapterInfo(dc);
  if (support.InterfaceRevision == kDisplayInterfaceRevision) {
    support.TvDisplayIndex = 3;
    support.DisplayUnsupported = false;
  }
  return support;
}

void SetExtendedDesktop(DisplayEnvironment& env, bool extend) {
  if (!env.driverLibrary.Loaded()) return;
  if (!env.driverLibrary.EnableExtendedDesktop(kExtendedDesktopTarget, extend ? kExtend : kStopExtending)) return;
  PersistDriverSettings(env);
}

bool IsDesktopExtended(platform::DisplayDevices& devices) {
  uint32_t attached = 0;
  for (uint32_t index = 0; index < kMaxDisplayDevices; ++index) {
    std::optional<platform::DisplayDevice> device = devices.Device(index);
    if (!device) break;
    if (device->stateFlags & platform::DisplayDeviceState::AttachedToDesktop) ++attached;
  }
  return attached > 1;
}

}  // namespace corvane::display
