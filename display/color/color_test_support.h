#pragma once
// Colour settings and table entries the colour tests are written with.

#include <cstdint>

#include "display/color/color_table.h"

namespace corvane::display::testing {

inline constexpr ColorChannel kAll[] = {ColorChannel::Red, ColorChannel::Green, ColorChannel::Blue};

inline ColorSettings AllChannels(int32_t gamma, int32_t contrast, int32_t brightness) {
  ColorSettings settings;
  for (ColorChannel channel : kAll) {
    settings.Gamma(channel) = gamma;
    settings.Contrast(channel) = contrast;
    settings.Brightness(channel) = brightness;
  }
  return settings;
}

inline uint32_t Grey(uint32_t level) { return level << 16 | level << 8 | level; }

}  // namespace corvane::display::testing
