#pragma once
// The colour settings in force and the operations that put them on the screen: the table
// computed from them is written into the card's palette. The main form owns one; the tray,
// the colour dialog, hotkeys and the game launcher use it.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "display/color/color_profiles.h"
#include "display/color/color_table.h"

namespace corvane::display {

class ColorState {
 public:
  // `current`: the main form's nine values, which this works on in place.
  // `writePalette`: the card's palette (does nothing without register access).
  ColorState(std::array<int32_t, 9>& current, ColorProfiles profiles,
             std::function<void(const ColorTable&)> writePalette);

  ColorSettings CurrentColor() const;
  void SetCurrentColor(const ColorSettings& settings);
  ColorProfiles& Profiles() { return profiles_; }

  // The table of CurrentColor into the palette.
  void ApplyCurrentColor();
  // A stored profile becomes CurrentColor and goes to the palette; a missing one changes
  // nothing. False when it is missing.
  bool ApplyColorProfile(const std::wstring& name);
  // The profile's table into `table`, CurrentColor untouched; false (and `table` as it
  // was) when the profile is missing.
  bool LoadColorTable(const std::wstring& name, ColorTable& table) const;
  // Any table straight to the palette (the dialog's live preview).
  void WriteTable(const ColorTable& table);

  // The hotkey steps; red at the limit moves nothing. The palette is written after each.
  void BrightnessDown();
  void BrightnessUp();
  void ContrastDown();
  void ContrastUp();
  void GammaDown();
  void GammaUp();
  // All values to 0, not applied.
  void ResetColor();

 private:
  void Step(bool (*step)(ColorSettings&));

  std::array<int32_t, 9>& current_;
  ColorProfiles profiles_;
  std::function<void(const ColorTable&)> writePalette_;
};

}  // namespace corvane::display
