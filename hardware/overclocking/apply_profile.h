#pragma once
// Putting a stored overclocking profile in force: by name for the tray menu, the 2D/3D
// switch and game profiles, and the automatic profile at start-up and after resume.

#include <functional>
#include <string>

#include "settings/reg_values.h"
#include "hardware/rvx.h"
#include "platform/registry.h"
#include "platform/user_interaction.h"

namespace corvane::overclocking {

// What applying a profile needs from the main form.
struct OverclockingContext {
  platform::Registry& registry;
  platform::UserInteraction& user;
  settings::TRegValues& reg1;
  hardware::TRVX& rvx;
  // corvane.ini [main] opt_disable_ovr: 1 keeps profiles from being applied automatically.
  int optDisableOvr = 0;
  // Refreshes the tray tooltip, which shows the clocks.
  std::function<void()> UpdateTrayTip;
};

// Sets the profile's memory timings (only when one of them is non-zero) and then its
// clocks, missing clocks being the BIOS's, in the divider mode of "ClockMode"; then
// refreshes the tooltip. False, with nothing done, when there is no such profile.
bool ApplyOverProfile(OverclockingContext& ctx, const std::wstring& name);

// Start-up. With "AutoLoad" on (and the ini switch not forbidding it): on a card other
// than the one of the last start, warns and applies nothing; otherwise applies
// "AutoOverProfile" when one is named. In every case remembers the card in
// "LastDeviceID".
void LoadAutoOverProfile(OverclockingContext& ctx);

// After resume from standby or hibernation: "AutoOverProfile" again when
// "SuspendRestore" is on (and the ini switch does not forbid it).
void RestoreOverProfileAfterResume(OverclockingContext& ctx);

}  // namespace corvane::overclocking
