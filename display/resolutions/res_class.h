#pragma once
// TResClass: the primary display's desktop modes as the resolution menu, the lock editor
// and the game launcher see them. One entry per width, height and depth, in the order the
// system first reported it, with every rate it reported for it in that order.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/display_devices.h"

namespace corvane::display {

struct ResolutionEntry {
  uint16_t width = 0;
  uint16_t height = 0;
  uint16_t bitsPerPixel = 0;
  // Hz, as enumerated; a rate reported twice is listed twice.
  std::vector<uint16_t> rates;

  bool operator==(const ResolutionEntry&) const = default;
};

class TResClass {
 public:
  // Builds the catalogue of `deviceName` at once.
  TResClass(platform::DisplayDevices& devices, std::wstring deviceName);

  // Empties the catalogue and enumerates the modes again.
  void Rebuild();
  int Count() const { return static_cast<int>(entries_.size()); }
  // The index of the entry, or -1.
  int Find(uint16_t width, uint16_t height, uint16_t bitsPerPixel) const;
  // Beyond the list: an entry of zeros without rates.
  ResolutionEntry Item(int index) const;
  const std::vector<ResolutionEntry>& Entries() const { return entries_; }
  // Lets the data go (the main form's close).
  void Clear() { entries_.clear(); }

 private:
  platform::DisplayDevices& devices_;
  std::wstring deviceName_;
  std::vector<ResolutionEntry> entries_;
};

struct ModeSize {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool operator==(const ModeSize&) const = default;
};

// "1024x768x32".
std::wstring ModeText(int width, int height, int bitsPerPixel);
// Three decimal numbers separated by 'x'; nothing for any other text (no fourth part,
// no empty or signed part, nothing beyond 65535).
std::optional<ModeSize> ParseModeText(const std::wstring& text);

}  // namespace corvane::display
