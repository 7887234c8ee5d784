#pragma once
// What the driver offers for display control, found once at start-up, and the extended
// desktop switched through the driver's companion library.

#include <cstdint>

#include "display/display_environment.h"
#include "display/escape_records.h"

namespace corvane::display {

// The interface revision that has the display functions (and the TV at index 3).
inline constexpr uint32_t kDisplayInterfaceRevision = 5;

struct DisplaySupport {
  uint32_t InterfaceRevision = 0;
  uint32_t TvDisplayIndex = 2;
  uint32_t TvDisplayBit = DisplayBit::Tv;
  bool DisplayUnsupported = true;
};

DisplaySupport DetectDisplaySupport(DisplayEnvironment& env);

// Asks the driver library to extend the desktop over a second display (or to stop), then
// has the driver's configuration written to its key. Nothing happens without the library.
void SetExtendedDesktop(DisplayEnvironment& env, bool extend);

// More than one display device is attached to the desktop.
bool IsDesktopExtended(platform::DisplayDevices& devices);

}  // namespace corvane::display
