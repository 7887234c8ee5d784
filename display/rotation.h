#pragma once
// Desktop rotation through the driver: the check, the driver's switch, the matching
// display mode, the user's confirmation, and turning back what was refused or not kept.

#include <cstdint>
#include <functional>

#include "display/display_environment.h"

namespace corvane::display {

// Shows the resolution-check dialog; true when the user keeps the new mode. Without one
// the new rotation counts as not kept.
using ConfirmDisplayChange = std::function<bool()>;

inline constexpr wchar_t kRotationErrorText[] = L"设置旋转模式出错!";

// The driver's current rotation code, or Rotation::Unknown.
int32_t GetCurrentRotation(DisplayEnvironment& env);

// Rotates the desktop to `requested` (a rotation code). Nothing is done when it is already
// in force. A rotation the driver or Windows refuses is turned back and reported; one the
// user does not confirm is turned back silently. The driver's configuration is written to
// its key afterwards.
void SetDesktopRotation(DisplayEnvironment& env, int32_t requested, const ConfirmDisplayChange& confirm);

}  // namespace corvane::display
