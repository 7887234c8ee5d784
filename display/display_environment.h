#pragma once
// What the display operations work on: the ports they reach the system through and the
// primary display as the main form knows it (PrimaryDisplayDevice's name, the driver key,
// CurrentDisplayMode).

#include <functional>
#include <string>
#include <string_view>

#include "platform/display_devices.h"
#include "platform/driver_escape.h"
#include "platform/registry.h"
#include "platform/user_interaction.h"

namespace corvane::display {

struct DisplayEnvironment {
  platform::DriverEscape& escapes;
  platform::DriverLibrary& driverLibrary;
  platform::DisplayDevices& devices;
  platform::Registry& registry;
  platform::UserInteraction& user;
  std::wstring deviceName;     // the primary display device, "\\.\DISPLAY1"
  std::wstring driverKeyPath;  // its driver key, below HKEY_LOCAL_MACHINE
  platform::DisplayMode currentMode{};
  // The driver's value names are ANSI. Without a converter, bytes are taken as they are,
  // which is right for the plain ASCII names the driver uses.
  std::function<std::wstring(std::string_view)> ansiToWide;
};

// Re-reads CurrentDisplayMode; keeps the old one when the system reports none.
void RefreshCurrentDisplayMode(DisplayEnvironment& env);

// Enumerates every mode of the primary display and discards them: this makes Windows
// rebuild its mode list after the driver changed what it offers.
void EnumerateAllModes(DisplayEnvironment& env);

std::wstring AnsiToWide(const DisplayEnvironment& env, std::string_view text);

}  // namespace corvane::display
