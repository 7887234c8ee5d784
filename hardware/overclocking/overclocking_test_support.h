#pragma once
// The settings store, the profiles' registry and a TRVX on a simulated card, for the
// overclocking tests.

#include <memory>
#include <optional>
#include <string>

#include "settings/program_settings.h"
#include "hardware/overclocking/apply_profile.h"
#include "hardware/overclocking/profile_store.h"
#include "hardware/rvx_test_support.h"
#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/user_interaction_sim.h"

namespace corvane::overclocking::testing {

namespace sim = platform::sim;

// A 9800 PRO (BIOS 380/340 MHz, running 380.25/339.75) unless told otherwise.
struct OverRig {
  explicit OverRig(const sim::CardSetup& card = *sim::FindCardPreset("9800 PRO")) : machine(card) {}

  sim::RadeonRegisters& Card() { return machine.Card().Registers(); }

  OverclockingContext Context(int optDisableOvr = 0) {
    return {registry, user, *reg1, *rvx, optDisableOvr, [this] { ++tipUpdates; }};
  }

  // Values left out are not written at all.
  void AddProfile(const std::wstring& name, std::optional<double> vpu, std::optional<double> mem, uint32_t t1 = 0,
                  uint32_t t2 = 0, uint32_t t3 = 0) {
    auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, OverProfileKey(name), true);
    if (vpu) platform::WriteRegDouble(*key, L"vpu", *vpu);
    if (mem) platform::WriteRegDouble(*key, L"mem", *mem);
    platform::WriteRegDouble(*key, L"t1", t1);
    platform::WriteRegDouble(*key, L"t2", t2);
    platform::WriteRegDouble(*key, L"t3", t3);
  }

  platform::SimRegistry registry;
  platform::SimUserInteraction user;
  sim::SimMachine machine;
  std::unique_ptr<hardware::TRVX> rvx = hardware::testing::MakeRvx(machine);
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  int tipUpdates = 0;
};

// A 9800 PRO whose BIOS names other default clocks (10 kHz units).
inline sim::CardSetup CardWithBiosClocks(uint16_t core, uint16_t mem) {
  sim::CardSetup card = *sim::FindCardPreset("9800 PRO");
  card.biosImage = sim::BuildLegacyBios({.defaultCoreClock = core, .defaultMemClock = mem});
  return card;
}

}  // namespace corvane::overclocking::testing
