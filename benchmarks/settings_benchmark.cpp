// The settings store runs at every start and on every game launch request: loading
// and saving all fifty values should stay far below what a user could notice.
#include <benchmark/benchmark.h>

#include "settings/program_settings.h"
#include "platform/sim/registry_sim.h"

namespace {

using corvane::settings::CreateProgramSettings;

void BM_LoadAllProgramSettings(benchmark::State& state) {
  corvane::platform::SimRegistry registry;
  auto reg1 = CreateProgramSettings(registry);
  reg1->SaveAll();
  for (auto _ : state) reg1->LoadAll();
}
BENCHMARK(BM_LoadAllProgramSettings);

void BM_SaveAllProgramSettings(benchmark::State& state) {
  corvane::platform::SimRegistry registry;
  auto reg1 = CreateProgramSettings(registry);
  for (auto _ : state) reg1->SaveAll();
}
BENCHMARK(BM_SaveAllProgramSettings);

}  // namespace
