#pragma once
// The overclocking profiles under "硬件": one radio item per stored profile, captioned with
// its list entry (hardware/overclocking/profile_store.h), the profile matching the card's
// clocks checked.

#include <functional>
#include <string>

#include "app/menus/menu_context.h"
#include "app/menus/watched_profiles.h"
#include "ui/menu.h"

namespace corvane::menus {

using ApplyProfileCall = std::function<void(const std::wstring& name)>;

// One stored profile's clocks and memory timings.
struct OverProfile {
  double vpu = 0;
  double mem = 0;
  bool timing[3] = {};
};
using OverProfiles = WatchedProfiles<OverProfile>;
OverProfiles WatchOverProfiles(platform::Registry& registry);

// Without an open kernel driver only the dialog item's caption changes, to the error. The
// card's clocks are read every time; `profiles` reads the registry again only after a change.
void RebuildOverclockingItems(MenuContext& ctx, ui::TPopupMenu& pm1, OverProfiles& profiles,
                              const ApplyProfileCall& apply);

}  // namespace corvane::menus
