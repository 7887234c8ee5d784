#pragma once
// The cards a simulated machine can carry, by name:
//   "9800 PRO"   (0x4E48, R350, legacy BIOS; the default): core 380, memory 340 MHz
//   "X800 XT PE" (0x4A50, R420, ATOM BIOS): core 520, memory 560 MHz
//   "9600 SYNC"  (0x4150, RV350, legacy BIOS): core and memory clocks synchronous
//                (core clock source select 7), 400 MHz in the BIOS
// All use a 27 MHz reference, M = 12 and post dividers of 2, so the PLL gives the BIOS
// clocks to within half a MHz (9800 PRO: Ns 169, Nm 151 → 380.25 and 339.75 MHz).

#include <optional>
#include <string_view>
#include <vector>

#include "platform/sim/hardware/sim_radeon.h"

namespace corvane::platform::sim {

inline constexpr std::string_view kDefaultCardPreset = "9800 PRO";

// Nothing for an unknown name.
std::optional<CardSetup> FindCardPreset(std::string_view name);
std::vector<std::string_view> CardPresetNames();

}  // namespace corvane::platform::sim
