#pragma once
// The driver's storage mode ("ACE" = "1": the newer control centre keeps the 3D settings
// its own way). The program adapts its menus to it once, so a change while it runs
// needs a restart.

#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/user_interaction.h"

namespace corvane::menus {

// The driver key's "ACE" text is "1". A missing key or value is the older mode.
bool ReadAceMode(platform::Registry& registry, const std::wstring& driverKeyPath);

// The warning for a mode that differs from the one the program started in; nothing when
// they agree.
std::optional<platform::MessageBoxRequest> AceModeChangeWarning(bool startedInAceMode, bool aceModeNow);

}  // namespace corvane::menus
