#pragma once
// What the colour hotkeys do to the settings: brightness by 10, contrast and gamma by 1,
// on all three channels at once. Red decides whether there is room to move.

#include "display/color/color_table.h"

namespace corvane::display {

// Each returns false and changes nothing when red is already at the limit.
bool BrightnessDown(ColorSettings& settings);
bool BrightnessUp(ColorSettings& settings);
bool ContrastDown(ColorSettings& settings);
bool ContrastUp(ColorSettings& settings);
bool GammaDown(ColorSettings& settings);
bool GammaUp(ColorSettings& settings);

// Every value back to 0, the neutral table.
void ResetColor(ColorSettings& settings);

// Every value within its range; what a stored profile is read through.
ColorSettings ClampedToRanges(ColorSettings settings);

}  // namespace corvane::display
