#include "display/resolutions/res_class.h"

#include <algorithm>
#include <utility>

#include "settings/decimal_text.h"

namespace corvane::display {
namespace {

// Far beyond any real mode list; stops a system that never says "no more".
constexpr int32_t kMaxModes = 100000;
// Modes of this depth or less are palette modes nobody picks a desktop in.
constexpr uint32_t kSkippedDepth = 7;

}  // namespace

TResClass::TResClass(platform::DisplayDevices& devices, std::wstring deviceName)
    : devices_(devices), deviceName_(std::move(deviceName)) {
  Rebuild();
}

void TResClass::Rebuild() {
  entries_.clear();
  for (int32_t index = 0; index < kMaxModes; ++index) {
    std::optional<platform::DisplayMode> mode = devices_.Mode(deviceName_, index);
    if (!mode) break;
    if (mode->bitsPerPel <= kSkippedDepth) continue;
    const auto width = static_cast<uint16_t>(mode->width);
    const auto height = static_cast<uint16_t>(mode->height);
    const auto depth = static_cast<uint16_t>(mode->bitsPerPel);
    const auto rate = static_cast<uint16_t>(mode->frequency);
    const int found = Find(width, height, depth);
    if (found >= 0)
      entries_[static_cast<size_t>(found)].rates.push_back(rate);
    else
      entries_.push_back({width, height, depth, {rate}});
  }
}

int TResClass::Find(uint16_t width, uint16_t height, uint16_t bitsPerPixel) const {
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const ResolutionEntry& entry) {
    return entry.width == width && entry.height == height && entry.bitsPerPixel == bitsPerPixel;
  });
  return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

ResolutionEntry TResClass::Item(int index) const {
  if (index < 0 || index >= Count()) return {};
  return entries_[static_cast<size_t>(index)];
}

std::wstring ModeText(int width, int height, int bitsPerPixel) {
  return std::to_wstring(width) + L"x" + std::to_wstring(height) + L"x" + std::to_wstring(bitsPerPixel);
}

std::optional<ModeSize> ParseModeText(const std::wstring& text) {
  const size_t first = text.find(L'x');
  if (first == std::wstring::npos) return std::nullopt;
  const size_t second = text.find(L'x', first + 1);
  if (second == std::wstring::npos) return std::nullopt;
  const std::wstring_view all(text);
  auto width = settings::ParseDecimal16(all.substr(0, first));
  auto height = settings::ParseDecimal16(all.substr(first + 1, second - first - 1));
  auto depth = settings::ParseDecimal16(all.substr(second + 1));
  if (!width || !height || !depth) return std::nullopt;
  return ModeSize{*width, *height, *depth};
}

}  // namespace corvane::display
