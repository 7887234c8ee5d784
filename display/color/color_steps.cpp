#include "display/color/color_steps.h"

#include <algorithm>

namespace corvane::display {
namespace {

constexpr ColorChannel kChannels[] = {ColorChannel::Red, ColorChannel::Green, ColorChannel::Blue};
constexpr int kBrightnessStep = 10;

using Member = int32_t& (ColorSettings::*)(ColorChannel);

void StepAll(ColorSettings& settings, Member member, int step, int min, int max) {
  for (ColorChannel channel : kChannels) {
    int32_t& value = (settings.*member)(channel);
    value = std::clamp(value + step, min, max);
  }
}

}  // namespace

bool BrightnessDown(ColorSettings& settings) {
  if (settings.Brightness(ColorChannel::Red) < kBrightnessMin + 1) return false;
  StepAll(settings, &ColorSettings::Brightness, -kBrightnessStep, kBrightnessMin, kBrightnessMax);
  return true;
}

bool BrightnessUp(ColorSettings& settings) {
  if (settings.Brightness(ColorChannel::Red) >= kBrightnessMax) return false;
  StepAll(settings, &ColorSettings::Brightness, kBrightnessStep, kBrightnessMin, kBrightnessMax);
  return true;
}

bool ContrastDown(ColorSettings& settings) {
  if (settings.Contrast(ColorChannel::Red) <= kContrastMin) return false;
  StepAll(settings, &ColorSettings::Contrast, -1, kContrastMin, kContrastMax);
  return true;
}

bool ContrastUp(ColorSettings& settings) {
  if (settings.Contrast(ColorChannel::Red) >= kContrastMax) return false;
  StepAll(settings, &ColorSettings::Contrast, 1, kContrastMin, kContrastMax);
  return true;
}

bool GammaDown(ColorSettings& settings) {
  if (settings.Gamma(ColorChannel::Red) <= kGammaMin) return false;
  StepAll(settings, &ColorSettings::Gamma, -1, kGammaMin, kGammaMax);
  return true;
}

bool GammaUp(ColorSettings& settings) {
  if (settings.Gamma(ColorChannel::Red) >= kGammaMax) return false;
  StepAll(settings, &ColorSettings::Gamma, 1, kGammaMin, kGammaMax);
  return true;
}

void ResetColor(ColorSettings& settings) { settings.values.fill(0); }

ColorSettings ClampedToRanges(ColorSettings settings) {
  for (ColorChannel channel : kChannels) {
    settings.Gamma(channel) = std::clamp(settings.Gamma(channel), kGammaMin, kGammaMax);
    settings.Contrast(channel) = std::clamp(settings.Contrast(channel), kContrastMin, kContrastMax);
    settings.Brightness(channel) = std::clamp(settings.Brightness(channel), kBrightnessMin, kBrightnessMax);
  }
  return settings;
}

}  // namespace corvane::display
