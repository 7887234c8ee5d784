// The whole tray popup refresh (RefreshMenuState with the 3D items) of a user with no
// profiles and of one with 100 of every kind, against its floor: the registry calls and
// the time of reading each key it needs once and each value once. scripts/bench prints
// the figures and their ratios.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "app/menus/profile_fixtures.h"
#include "app/menus/tray_menus.h"
#include "benchmarks/registry_floor.h"
#include "driver3d/profiles/profile_menus.h"
#include "driver3d/quick_items/quick_3d_items.h"
#include "hardware/rvx.h"
#include "platform/counting_registry.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"
#include "settings/global.h"
#include "settings/program_settings.h"
#include "ui/form_renderer_sim.h"

namespace {

using namespace corvane;
using platform::RegistryRoot;

// What the menus read through: the registry with its change notifications, the same
// without them (every popup reads everything), or that while noting the floor.
enum class Through { Watched, Unwatched, Recorded };

// The main form's side of a popup, with `profiles` game, overclocking, display, Direct3D
// and OpenGL profiles.
struct PopupRig {
  PopupRig(int profiles, Through through)
      : top(through == Through::Watched     ? static_cast<platform::Registry&>(counting)
            : through == Through::Unwatched ? static_cast<platform::Registry&>(unwatched)
                                            : static_cast<platform::Registry&>(recorder)),
        ports{top,           sim.iniFiles,   sim.namedObjects,   sim.windowMessages,
              sim.threading, sim.dispatcher, sim.clock,          sim.user,
              sim.displayDevices, sim.shell, sim.notifyIcon,     sim.desktopIcons},
        driverKey(sim.displayDevices.Device(0)->deviceKey.substr(18)),
        driver(top, driverKey) {
    driver.ReadStorageMode();
    mainForm.driverKey = driverKey;
    menus::FillMenuProfiles(sim.registry, profiles);
    rvxOwner = std::make_unique<hardware::TRVX>(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
    rvx = rvxOwner.get();
    reg1 = settings::CreateProgramSettings(sim.registry);
    menus = std::make_unique<menus::TrayMenus>(mainForm.Context(ports, *reg1, rvx));
    quick = std::make_unique<driver3d::Quick3DItems>(
        menus->pm1, driver3d::Quick3DContext{driver, mainForm.quality, {forms, sim.clock}, {}, {}, [] { return 85u; }});
    driver3d::Profile3DContext store{driver, top, global::ProfilesRoot, mainForm.quality, {}, {}};
    for (int i = 0; i < profiles; ++i) {
      driver3d::SaveD3DProfile(store, L"D3D " + std::to_wstring(i));
      driver3d::SaveOpenGLProfile(store, L"OGL " + std::to_wstring(i));
    }
    profileMenus = std::make_unique<driver3d::Profile3DMenus>(
        menus->pm1, driver3d::Profile3DMenuContext{store, {forms, sim.clock}, {}});
    menus->plugged.refreshQuick3DSettings = [this] { quick->Refresh(); };
    menus->plugged.rebuildProfileMenus = [this] { profileMenus->RebuildProfileMenus(); };
    // The first popups write back missing values and then read their own writes: measure
    // what follows.
    Popup();
    Popup();
    counting.Reset();
    floor.keys.clear();
  }
  void Popup() { menus->RefreshMenuState(); }

  platform::SimPlatform sim;
  platform::CountingRegistry counting{sim.registry};
  bench::UnwatchedRegistry unwatched{counting};
  bench::RegistryFloor floor;
  bench::FloorRecorder recorder{unwatched, floor};
  platform::Registry& top;
  platform::Ports ports;
  std::wstring driverKey;
  driver3d::DriverRegistry driver;
  platform::sim::SimMachine machine;
  std::unique_ptr<hardware::TRVX> rvxOwner;
  hardware::TRVX* rvx = nullptr;
  std::unique_ptr<settings::TRegValues> reg1;
  menus::UnwiredMainForm mainForm;
  ui::SimFormRenderer forms;
  std::unique_ptr<menus::TrayMenus> menus;
  std::unique_ptr<driver3d::Quick3DItems> quick;
  std::unique_ptr<driver3d::Profile3DMenus> profileMenus;
};

// The floor of a popup that reads everything.
bench::RegistryFloor FloorOf(int profiles) {
  PopupRig rig(profiles, Through::Recorded);
  rig.Popup();
  return rig.floor;
}

void Report(benchmark::State& state, const PopupRig& rig, uint64_t floorCalls) {
  const double runs = static_cast<double>(state.iterations());
  state.counters["registry_calls"] = static_cast<double>(rig.counting.Counts().Total()) / runs;
  state.counters["floor_calls"] = static_cast<double>(floorCalls);
}

void BM_Popup_ReadEverything(benchmark::State& state) {
  const int profiles = static_cast<int>(state.range(0));
  const uint64_t floorCalls = FloorOf(profiles).Calls();
  PopupRig rig(profiles, Through::Unwatched);
  for (auto _ : state) rig.Popup();
  Report(state, rig, floorCalls);
}

void BM_Popup_NothingChanged(benchmark::State& state) {
  const int profiles = static_cast<int>(state.range(0));
  const uint64_t floorCalls = FloorOf(profiles).Calls();
  PopupRig rig(profiles, Through::Watched);
  for (auto _ : state) rig.Popup();
  Report(state, rig, floorCalls);
}

// Another program edits one game profile between two popups.
void BM_Popup_OneProfileEdited(benchmark::State& state) {
  const int profiles = std::max(1, static_cast<int>(state.range(0)));
  const uint64_t floorCalls = FloorOf(profiles).Calls();
  PopupRig rig(profiles, Through::Watched);
  auto game = rig.sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"Games\\Game 0", true);
  int edits = 0;
  for (auto _ : state) {
    state.PauseTiming();
    platform::WriteRegString(*game, L"File", L"C:\\Games\\" + std::to_wstring(++edits % 2) + L".exe");
    state.ResumeTiming();
    rig.Popup();
  }
  Report(state, rig, floorCalls);
}

// Each key the popup needs opened once, each list and value read once.
void BM_Popup_Floor(benchmark::State& state) {
  const int profiles = static_cast<int>(state.range(0));
  const bench::RegistryFloor floor = FloorOf(profiles);
  PopupRig rig(profiles, Through::Watched);
  for (auto _ : state) benchmark::DoNotOptimize(floor.Replay(rig.counting));
  Report(state, rig, floor.Calls());
}

BENCHMARK(BM_Popup_ReadEverything)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Popup_NothingChanged)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Popup_OneProfileEdited)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Popup_Floor)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
