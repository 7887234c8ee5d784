#pragma once
// Putting a whole display set-up in force outside the Displays dialog: a stored display
// profile (tray menu, hotkey, start-up) and the single display of "默认单一显示".

#include <string>

#include "display/display_environment.h"
#include "display/display_support.h"
#include "display/displays/display_layout.h"
#include "display/displays/display_profiles.h"

namespace corvane::display {

// The layout's TV numbering for what the driver offers.
LayoutMasks LayoutMasksFor(const DisplaySupport& support);

// Layout, TV adjustments, theater mode and both monitors' adjustments from the profile;
// "加载配置出错!" when there is no such profile. A layout the driver refuses is skipped
// and the rest still applied.
void ApplyDisplayProfile(DisplayEnvironment& env, const DisplaySupport& support, const DisplayProfiles& profiles,
                         const std::wstring& name);

// The first connected display (first monitor, second monitor, TV) becomes the only one,
// on controller 0. Refused with a message on a driver without the display functions.
void DefaultSingleDisplay(DisplayEnvironment& env, const DisplaySupport& support);

}  // namespace corvane::display
