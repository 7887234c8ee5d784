#pragma once
// Draws the model's LED lamp into its owner-drawn static control: a round lamp in its
// colour when lit, a dark one when not, dimmed further while disabled.

#include <windows.h>

#include "ui/form.h"

namespace corvane::ui::win32 {

// `background` fills what lies around the lamp; nullptr: the dialog colour.
void PaintLed(const DRAWITEMSTRUCT& item, const TComponent& led, HBRUSH background);

}  // namespace corvane::ui::win32
