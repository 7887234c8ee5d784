#pragma once
// The refresh-rate lock as the mode-change hook applies it: the lock table under the
// program's Profiles\ROV key holds one REG_DWORD per resolution, named "%dx%dx%d" (width,
// height, bits per pixel), with the rate in Hz; a rate of 0 locks nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::outside {

inline constexpr uint32_t kRegDword = 4;

// DEVMODE's field bits that matter here.
inline constexpr uint32_t kDmBitsPerPel = 0x40000;
inline constexpr uint32_t kDmPelsWidth = 0x80000;
inline constexpr uint32_t kDmPelsHeight = 0x100000;
inline constexpr uint32_t kDmDisplayFrequency = 0x400000;

struct StoredValue {
  std::wstring name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

struct Resolution {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bitsPerPixel = 0;
  bool operator==(const Resolution&) const = default;
};

// "%dx%dx%d" back into a resolution: three plain decimal numbers split at 'x' (either case,
// as the registry compares names); anything else is no resolution.
std::optional<Resolution> ParseModeName(const std::wstring& name);

class RefreshLockTable {
 public:
  // Values of the wrong type or size, unparsable names and rates of 0 are skipped.
  static RefreshLockTable FromStoredValues(const std::vector<StoredValue>& values);
  std::optional<uint32_t> LockedRate(const Resolution& resolution) const;
  bool empty() const { return locks_.empty(); }

 private:
  std::vector<std::pair<Resolution, uint32_t>> locks_;
};

// The mode a program asks for, as far as the lock cares.
struct ModeRequest {
  uint32_t fields = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t frequency = 0;
};

// Puts the locked rate into the request when its resolution is locked; the fields the
// request leaves out are those of `current` (the mode the display runs now). Returns
// whether the request changed.
bool ApplyRefreshLock(const RefreshLockTable& table, const Resolution& current, ModeRequest& request);

}  // namespace corvane::outside
