#include "outside/hook_logic/refresh_lock.h"

#include <cwctype>

namespace corvane::outside {
namespace {

std::optional<uint32_t> ParseNumber(const std::wstring& text, size_t begin, size_t end) {
  if (begin >= end || end - begin > 6) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = begin; i < end; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(text[i] - L'0');
  }
  return value;
}

}  // namespace

std::optional<Resolution> ParseModeName(const std::wstring& name) {
  const auto isX = [](wchar_t c) { return c == L'x' || c == L'X'; };
  size_t first = std::wstring::npos, second = std::wstring::npos;
  for (size_t i = 0; i < name.size(); ++i) {
    if (!isX(name[i])) continue;
    if (first == std::wstring::npos) {
      first = i;
    } else if (second == std::wstring::npos) {
      second = i;
    } else {
      return std::nullopt;
    }
  }
  if (second == std::wstring::npos) return std::nullopt;
  const auto width = ParseNumber(name, 0, first);
  const auto height = ParseNumber(name, first + 1, second);
  const auto bits = ParseNumber(name, second + 1, name.size());
  if (!width || !height || !bits) return std::nullopt;
  return Resolution{*width, *height, *bits};
}

RefreshLockTable RefreshLockTable::FromStoredValues(const std::vector<StoredValue>& values) {
  RefreshLockTable table;
  for (const StoredValue& value : values) {
    if (value.type != kRegDword || value.data.size() != 4) continue;
    const uint32_t rate = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                          (static_cast<uint32_t>(value.data[3]) << 24);
    if (rate == 0) continue;
    if (const std::optional<Resolution> resolution = ParseModeName(value.name))
      table.locks_.emplace_back(*resolution, rate);
  }
  return table;
}

std::optional<uint32_t> RefreshLockTable::LockedRate(const Resolution& resolution) const {
  for (const auto& [locked, rate] : locks_)
    if (locked == resolution) return rate;
  return std::nullopt;
}

bool ApplyRefreshLock(const RefreshLockTable& table, const Resolution& current, ModeRequest& request) {
  const Resolution asked{(request.fields & kDmPelsWidth) ? request.width : current.width,
                         (request.fields & kDmPelsHeight) ? request.height : current.height,
                         (request.fields & kDmBitsPerPel) ? request.bitsPerPixel : current.bitsPerPixel};
  const std::optional<uint32_t> rate = table.LockedRate(asked);
  if (!rate) return false;
  if ((request.fields & kDmDisplayFrequency) && request.frequency == *rate) return false;
  request.fields |= kDmDisplayFrequency;
  request.frequency = *rate;
  return true;
}

}  // namespace corvane::outside
