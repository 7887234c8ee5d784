// TRVX's start-up walks the whole PCI bus through the kernel driver, one control call
// per port access: the count of those calls is what start-up costs on a real machine.
// SetClocks runs on every profile switch and while the artifact tester searches.
#include <benchmark/benchmark.h>

#include <memory>

#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"

namespace {

using corvane::hardware::TRVX;
namespace sim = corvane::platform::sim;

// The usual start: the driver was installed by an earlier run.
sim::MachineOptions Installed() {
  sim::MachineOptions options;
  options.scenario = sim::ServiceScenario::InstalledRunning;
  return options;
}

void BM_ConstructAndFindCard(benchmark::State& state) {
  size_t deviceCalls = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto machine = std::make_unique<sim::SimMachine>("9800 PRO", Installed());
    state.ResumeTiming();
    {
      TRVX rvx(machine->Kernel(), machine->Registers(), L"C:\\Corvane", false, 0, 0);
      benchmark::DoNotOptimize(rvx.CardFound);
      deviceCalls = machine->Kernel().DeviceControlCount();
    }
    state.PauseTiming();
    machine.reset();
    state.ResumeTiming();
  }
  state.counters["device_calls"] = static_cast<double>(deviceCalls);
}
BENCHMARK(BM_ConstructAndFindCard)->Unit(benchmark::kMillisecond);

void BM_SetClocks(benchmark::State& state) {
  sim::SimMachine machine("9800 PRO", Installed());
  TRVX rvx(machine.Kernel(), machine.Registers(), L"C:\\Corvane", false, 0, 0);
  const bool fixed = state.range(0) != 0;
  double core = 380;
  for (auto _ : state) {
    rvx.SetClocks(fixed, core, 340);
    core = core < 420 ? core + 1 : 380;
  }
}
BENCHMARK(BM_SetClocks)->Arg(0)->Arg(1)->ArgNames({"fixed"});

}  // namespace
