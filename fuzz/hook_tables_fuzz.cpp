// The two tables the hook libraries read from the registry, as other programs may leave
// them: the refresh-rate lock (Profiles\ROV) and the hotkey table (Profiles\keys). Input:
// values separated by NUL bytes, each a name, a 0x01 byte, a type byte and the data.
// The libraries read them inside every program that changes the display mode and on the
// keyboard's path.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "outside/hook_logic/key_filter.h"
#include "outside/hook_logic/refresh_lock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane::outside;
  std::vector<StoredValue> values;
  std::vector<std::pair<std::wstring, std::wstring>> strings;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != 0) continue;
    StoredValue value;
    size_t at = start;
    while (at < i && data[at] != 1) value.name += static_cast<wchar_t>(data[at++]);
    if (at + 1 < i) {
      value.type = data[at + 1] % 12;
      value.data.assign(data + at + 2, data + i);
    }
    strings.emplace_back(value.name, std::wstring(value.data.begin(), value.data.end()));
    values.push_back(std::move(value));
    start = i + 1;
  }

  const RefreshLockTable locks = RefreshLockTable::FromStoredValues(values);
  for (const StoredValue& value : values) {
    const auto resolution = ParseModeName(value.name);
    if (!resolution) continue;
    if (const auto rate = locks.LockedRate(*resolution); rate && *rate == 0) __builtin_trap();
    ModeRequest request{kDmPelsWidth | kDmPelsHeight | kDmBitsPerPel, resolution->width, resolution->height,
                        resolution->bitsPerPixel, 0};
    if (ApplyRefreshLock(locks, {}, request) && (request.frequency == 0 || !(request.fields & kDmDisplayFrequency)))
      __builtin_trap();
  }

  const KeyTable keys = KeyTable::FromStoredValues(strings);
  KeyFilter filter;
  for (unsigned key = 0; key < 256; ++key) {
    const KeyDecision decision = filter.Decide(keys, static_cast<uint8_t>(key), true, [] { return Modifiers{}; });
    if (decision.verdict == KeyVerdict::Report && (!keys.Contains(decision.code) || !keys.UsesKey(key & 0xFF)))
      __builtin_trap();
  }
  return 0;
}
