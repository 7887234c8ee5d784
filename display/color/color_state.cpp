#include "display/color/color_state.h"

#include <utility>

#include "display/color/color_steps.h"

namespace corvane::display {

ColorState::ColorState(std::array<int32_t, 9>& current, ColorProfiles profiles,
                       std::function<void(const ColorTable&)> writePalette)
    : current_(current), profiles_(std::move(profiles)), writePalette_(std::move(writePalette)) {}

ColorSettings ColorState::CurrentColor() const { return ColorSettings{current_}; }

void ColorState::SetCurrentColor(const ColorSettings& settings) { current_ = settings.values; }

void ColorState::ApplyCurrentColor() { WriteTable(ComputeColorTable(CurrentColor())); }

bool ColorState::ApplyColorProfile(const std::wstring& name) {
  std::optional<ColorSettings> stored = profiles_.Read(name);
  if (!stored) return false;
  SetCurrentColor(*stored);
  ApplyCurrentColor();
  return true;
}

bool ColorState::LoadColorTable(const std::wstring& name, ColorTable& table) const {
  std::optional<ColorSettings> stored = profiles_.Read(name);
  if (!stored) return false;
  table = ComputeColorTable(*stored);
  return true;
}

void ColorState::WriteTable(const ColorTable& table) {
  if (writePalette_) writePalette_(table);
}

void ColorState::Step(bool (*step)(ColorSettings&)) {
  ColorSettings settings = CurrentColor();
  if (step(settings)) SetCurrentColor(settings);
  // Also at a limit: the palette shows the settings again, whatever changed it meanwhile.
  ApplyCurrentColor();
}

void ColorState::BrightnessDown() { Step(display::BrightnessDown); }
void ColorState::BrightnessUp() { Step(display::BrightnessUp); }
void ColorState::ContrastDown() { Step(display::ContrastDown); }
void ColorState::ContrastUp() { Step(display::ContrastUp); }
void ColorState::GammaDown() { Step(display::GammaDown); }
void ColorState::GammaUp() { Step(display::GammaUp); }

void ColorState::ResetColor() {
  ColorSettings settings = CurrentColor();
  display::ResetColor(settings);
  SetCurrentColor(settings);
}

}  // namespace corvane::display
