// The registry as other programs leave it: every value the program reads (its own
// settings, every kind of profile, the display driver's 3D settings) may hold any type
// and any number of bytes. The fuzzer rewrites values of a realistic registry and the
// program then loads its settings and builds the tray menu from it, as at start-up and at
// every popup.
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <string>
#include <vector>

#include "app/menus/menu_tree.h"
#include "app/menus/profile_fixtures.h"
#include "app/menus/tray_menus.h"
#include "driver3d/profiles/profile_menus.h"
#include "driver3d/quick_items/quick_3d_items.h"
#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/sim_platform.h"
#include "settings/global.h"
#include "settings/program_settings.h"
#include "ui/form_renderer_sim.h"

namespace {

using namespace corvane;
using platform::RegistryRoot;

struct ValuePlace {
  RegistryRoot root;
  std::wstring path;
  std::wstring name;
};

void CollectValues(platform::Registry& registry, RegistryRoot root, const std::wstring& path,
                   std::vector<ValuePlace>& places, std::vector<ValuePlace>& keys) {
  auto key = registry.OpenKey(root, path, false);
  if (!key) return;
  keys.push_back({root, path, L""});
  for (const std::wstring& name : key->ValueNames()) places.push_back({root, path, name});
  for (const std::wstring& sub : key->SubKeyNames()) CollectValues(registry, root, path + L"\\" + sub, places, keys);
}

struct Machine {
  platform::SimPlatform sim;
  std::wstring driverKey = sim.displayDevices.Device(0)->deviceKey.substr(18);
  driver3d::DriverRegistry driver{sim.registry, driverKey};
  driver3d::QualityCounters quality;
  ui::SimFormRenderer forms;
  driver3d::Profile3DContext store{driver, sim.registry, global::ProfilesRoot, quality, {}, {}};

  // What a user who has used the program for a while has in the registry.
  void Populate() {
    menus::FillMenuProfiles(sim.registry, 2);
    driver.ReadStorageMode();
    ui::TPopupMenu pm1(L"pm1", menus::DeclarePm1());
    driver3d::Quick3DItems quick(pm1, {driver, quality, {forms, sim.clock}, {}, {}, [] { return 85u; }});
    quick.Refresh();  // writes the driver values read with creation
    driver3d::SaveD3DProfile(store, L"D3D 1");
    driver3d::SaveOpenGLProfile(store, L"OGL 1");
    settings::CreateProgramSettings(sim.registry)->SaveAll();
  }

  void LoadAndRefresh() {
    driver.ReadStorageMode();
    platform::sim::SimMachine machine;
    auto owner = std::make_unique<hardware::TRVX>(machine.Kernel(), machine.Registers(), L"C:\\Corvane\\", false, 0, 0);
    hardware::TRVX* rvx = owner.get();
    auto reg1 = settings::CreateProgramSettings(sim.registry);
    menus::UnwiredMainForm mainForm;
    mainForm.driverKey = driverKey;
    menus::TrayMenus menus(mainForm.Context(sim.ports, *reg1, rvx));
    menus.RefreshMenuState();
    ui::TPopupMenu pm1(L"pm1", menus::DeclarePm1());
    driver3d::Quick3DItems quick(pm1, {driver, quality, {forms, sim.clock}, {}, {}, [] { return 85u; }});
    quick.Refresh();
    driver3d::Profile3DMenus profileMenus(pm1, {store, {forms, sim.clock}, {}});
    profileMenus.RebuildProfileMenus();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  Machine machine;
  machine.Populate();
  std::vector<ValuePlace> places, keys;
  CollectValues(machine.sim.registry, RegistryRoot::CurrentUser, global::ProgramKey, places, keys);
  CollectValues(machine.sim.registry, RegistryRoot::LocalMachine, machine.driverKey, places, keys);
  while (input.remaining_bytes() > 0 && !places.empty()) {
    const bool newName = input.ConsumeIntegralInRange<int>(0, 7) == 0;
    ValuePlace place = newName ? keys[input.ConsumeIntegralInRange<size_t>(0, keys.size() - 1)]
                               : places[input.ConsumeIntegralInRange<size_t>(0, places.size() - 1)];
    if (newName) {
      const std::string name = input.ConsumeRandomLengthString(16);
      place.name.assign(name.begin(), name.end());
    }
    const uint32_t type = input.ConsumeIntegralInRange<uint32_t>(0, 11);
    const std::vector<uint8_t> bytes = input.ConsumeBytes<uint8_t>(input.ConsumeIntegralInRange<size_t>(0, 80));
    auto key = machine.sim.registry.OpenKey(place.root, place.path, false);
    if (key) key->WriteValue(place.name, type, bytes);
  }
  machine.LoadAndRefresh();
  return 0;
}
