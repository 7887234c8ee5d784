#pragma once
// The desktop's colour correction: nine values (gamma, contrast, brightness for red, green
// and blue) and the 256-entry lookup table the card's palette takes from them.

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane::display {

enum class ColorChannel { Red = 0, Green = 1, Blue = 2 };

inline constexpr int kGammaMin = -20, kGammaMax = 20;
inline constexpr int kContrastMin = -40, kContrastMax = 40;
inline constexpr int kBrightnessMin = -250, kBrightnessMax = 250;

// Nine signed 32-bit values, 36 bytes as stored in a colour profile: red gamma, red
// contrast, red brightness, then green's three and blue's three. All 0 is neutral.
struct ColorSettings {
  std::array<int32_t, 9> values{};

  int32_t& Gamma(ColorChannel channel) { return values[Slot(channel, 0)]; }
  int32_t& Contrast(ColorChannel channel) { return values[Slot(channel, 1)]; }
  int32_t& Brightness(ColorChannel channel) { return values[Slot(channel, 2)]; }
  int32_t Gamma(ColorChannel channel) const { return values[Slot(channel, 0)]; }
  int32_t Contrast(ColorChannel channel) const { return values[Slot(channel, 1)]; }
  int32_t Brightness(ColorChannel channel) const { return values[Slot(channel, 2)]; }

  bool operator==(const ColorSettings&) const = default;

 private:
  static size_t Slot(ColorChannel channel, size_t which) { return static_cast<size_t>(channel) * 3 + which; }
};

inline constexpr size_t kColorSettingsBytes = 36;

// Entry i: red in bits 16-23, green in 8-15, blue in 0-7. The same layout as the palette.
using ColorTable = std::array<uint32_t, 256>;

// The factor the gamma value gives: 0.2 at -20, 1 at 0, 5 at 20.
double GammaFactor(int32_t gamma);
double ContrastFactor(int32_t contrast);

ColorTable ComputeColorTable(const ColorSettings& settings);

// The byte of a channel in a table entry.
inline uint8_t ChannelByte(uint32_t entry, ColorChannel channel) {
  return static_cast<uint8_t>(entry >> (8 * (2 - static_cast<int>(channel))));
}

}  // namespace corvane::display
