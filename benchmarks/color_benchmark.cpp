// The colour table is computed on every slider move of the colour dialog (live preview),
// on every hotkey step and after every desktop change.
#include <benchmark/benchmark.h>

#include "display/color/color_table.h"

namespace {

using corvane::display::ColorChannel;
using corvane::display::ColorSettings;

void BM_ComputeColorTable(benchmark::State& state) {
  ColorSettings settings;
  settings.Gamma(ColorChannel::Red) = 7;
  settings.Contrast(ColorChannel::Green) = -12;
  settings.Brightness(ColorChannel::Blue) = 90;
  for (auto _ : state) {
    benchmark::DoNotOptimize(settings);
    benchmark::DoNotOptimize(corvane::display::ComputeColorTable(settings));
  }
}
BENCHMARK(BM_ComputeColorTable)->Unit(benchmark::kMicrosecond);

}  // namespace
