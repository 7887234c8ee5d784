#include "display/color/color_table.h"

#include <cmath>

namespace corvane::display {
namespace {

// One channel's byte for entry i. The curve is worked on a 16-bit scale centred on
// 32768; its high byte is what the palette takes.
uint8_t ChannelValue(int i, long double gamma, long double contrast, int32_t brightness) {
  const long double x = static_cast<long double>(i + 1) / 256.0L;
  long double v = std::pow(x, 1.0L / gamma) * 65536.0L - 32768.0L - 1.0L + brightness * 127.0L;
  v = v * contrast + 32768.0L;
  if (!(v > 0.0L)) v = 0.0L;  // also a NaN, which out-of-range values could give
  if (v > 65535.0L) v = 65535.0L;
  // The default rounding mode rounds halves to even.
  const auto rounded = static_cast<uint32_t>(std::nearbyint(v));
  return static_cast<uint8_t>((rounded & 0xFF00) / 256);
}

}  // namespace

double GammaFactor(int32_t gamma) {
  if (gamma < 0) return 1.0 - std::abs(static_cast<double>(gamma)) * 0.04;
  if (gamma > 0) return 1.0 + gamma * 0.2;
  return 1.0;
}

double ContrastFactor(int32_t contrast) {
  if (contrast > 0) return 1.0 + contrast * 0.0125;
  if (contrast < 0) return 1.0 - std::abs(static_cast<double>(contrast)) * 0.0125;
  return 1.0;
}

ColorTable ComputeColorTable(const ColorSettings& settings) {
  ColorTable table{};
  for (ColorChannel channel : {ColorChannel::Red, ColorChannel::Green, ColorChannel::Blue}) {
    const long double gamma = GammaFactor(settings.Gamma(channel));
    const long double contrast = ContrastFactor(settings.Contrast(channel));
    const int32_t brightness = settings.Brightness(channel);
    const int shift = 8 * (2 - static_cast<int>(channel));
    for (int i = 0; i < 256; ++i)
      table[static_cast<size_t>(i)] |= static_cast<uint32_t>(ChannelValue(i, gamma, contrast, brightness)) << shift;
  }
  return table;
}

}  // namespace corvane::display
