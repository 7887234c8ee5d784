// The keyboard hook decides about every keystroke of the session before any program sees
// it; a key that no hotkey uses must cost next to nothing.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "outside/hook_logic/key_filter.h"

namespace {

using corvane::outside::KeyFilter;
using corvane::outside::KeyTable;
using corvane::outside::Modifiers;

KeyTable FullTable() {
  // Every action bound to Ctrl+Alt+F1..F12 and Ctrl+Alt+digits: a generous user's table.
  std::vector<std::pair<std::wstring, std::wstring>> values;
  for (int key = 0x70; key <= 0x7B; ++key) values.push_back({L"s_" + std::to_wstring(0xC000 + key), L"4:"});
  for (int key = 0x30; key <= 0x39; ++key) values.push_back({L"s_" + std::to_wstring(0xC000 + key), L"5:"});
  return KeyTable::FromStoredValues(values);
}

void BM_KeystrokeNoHotkeyUses(benchmark::State& state) {
  const KeyTable table = FullTable();
  KeyFilter filter;
  uint8_t key = 0x41;
  for (auto _ : state) {
    benchmark::DoNotOptimize(filter.Decide(table, key, true, [] { return Modifiers{}; }));
    key = key == 0x5A ? 0x41 : key + 1;  // A..Z
  }
}
BENCHMARK(BM_KeystrokeNoHotkeyUses);

void BM_KeystrokeOfABoundKeyWithOtherModifiers(benchmark::State& state) {
  const KeyTable table = FullTable();
  KeyFilter filter;
  for (auto _ : state)
    benchmark::DoNotOptimize(filter.Decide(table, 0x74, true, [] { return Modifiers{true, false, false}; }));
}
BENCHMARK(BM_KeystrokeOfABoundKeyWithOtherModifiers);

}  // namespace
