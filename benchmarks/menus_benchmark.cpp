// The tray menu is refreshed every time the user opens it, so a user with many profiles
// waits for it. Counted registry calls show what the refresh costs on a real registry,
// where each call is a system call and far slower than the simulation. What the menus
// read is kept between popups, so these measure a popup after nothing changed.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "settings/global.h"
#include "app/menus/profile_fixtures.h"
#include "app/menus/tray_menus.h"
#include "app/menus/menu_tree.h"
#include "settings/program_settings.h"
#include "driver3d/profiles/profile_menus.h"
#include "driver3d/quick_items/quick_3d_items.h"
#include "hardware/rvx.h"
#include "platform/counting_registry.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"
#include "ui/form_renderer_sim.h"

namespace {

using namespace corvane;
using platform::RegistryRoot;

// Registry calls per refresh, by kind.
void ReportRegistryCalls(benchmark::State& state, const platform::RegistryCallCounts& counts) {
  const double runs = static_cast<double>(state.iterations());
  state.counters["registry_calls"] = static_cast<double>(counts.Total()) / runs;
  state.counters["opens"] = static_cast<double>(counts.openKey) / runs;
  state.counters["value_reads"] = static_cast<double>(counts.Reads()) / runs;
  state.counters["writes"] = static_cast<double>(counts.writeValue) / runs;
}

void BM_RefreshMenuState(benchmark::State& state) {
  const int profiles = static_cast<int>(state.range(0));
  platform::SimPlatform sim;
  platform::CountingRegistry counting(sim.registry);
  platform::Ports ports{counting,   sim.iniFiles,       sim.namedObjects, sim.windowMessages,
                        sim.threading, sim.dispatcher,  sim.clock,        sim.user,
                        sim.displayDevices, sim.shell,  sim.notifyIcon,   sim.desktopIcons};
  menus::FillMenuProfiles(sim.registry, profiles);
  platform::sim::SimMachine machine;
  auto owner = std::make_unique<hardware::TRVX>(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
  hardware::TRVX* rvx = owner.get();
  auto reg1 = settings::CreateProgramSettings(sim.registry);
  menus::UnwiredMainForm mainForm;
  menus::TrayMenus menus(mainForm.Context(ports, *reg1, rvx));
  // The first refresh writes back missing values and the next reads them again; measure
  // the steady state.
  menus.RefreshMenuState();
  menus.RefreshMenuState();

  counting.Reset();
  for (auto _ : state) menus.RefreshMenuState();
  ReportRegistryCalls(state, counting.Counts());
}
BENCHMARK(BM_RefreshMenuState)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

// The 3D part of the refresh: every quick item from the driver's keys, then both profile
// menus, each stored profile compared with the driver's settings.
void BM_Refresh3DItems(benchmark::State& state) {
  const int profiles = static_cast<int>(state.range(0));
  platform::SimPlatform sim;
  platform::CountingRegistry counting(sim.registry);
  const std::wstring driverKey = sim.displayDevices.Device(0)->deviceKey.substr(18);
  driver3d::DriverRegistry driver(counting, driverKey);
  driver.ReadStorageMode();
  driver3d::QualityCounters quality;
  ui::SimFormRenderer forms;
  ui::TPopupMenu pm1(L"pm1", menus::DeclarePm1());
  driver3d::Quick3DItems quick(pm1, {driver, quality, {forms, sim.clock}, {}, {}, [] { return 85u; }});
  driver3d::Profile3DContext store{driver, counting, global::ProfilesRoot, quality, {}, {}};
  for (int i = 0; i < profiles; ++i) {
    driver3d::SaveD3DProfile(store, L"D3D " + std::to_wstring(i));
    driver3d::SaveOpenGLProfile(store, L"OGL " + std::to_wstring(i));
  }
  driver3d::Profile3DMenus profileMenus(pm1, {store, {forms, sim.clock}, {}});
  // The first refresh creates the values read with creation and the next reads them again.
  for (int warm = 0; warm < 2; ++warm) {
    quick.Refresh();
    profileMenus.RebuildProfileMenus();
  }

  counting.Reset();
  for (auto _ : state) {
    quick.Refresh();
    profileMenus.RebuildProfileMenus();
  }
  ReportRegistryCalls(state, counting.Counts());
}
BENCHMARK(BM_Refresh3DItems)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
