#pragma once
// What a simulated machine keeps when the program ends, as a card and its driver would:
// the clock PLL, the memory-timing registers, the palette, and the display driver's
// controllers, rotation, display adjustments and overlay values. As text people can read
// and edit, one record a line:
//
//   pll 0A 00A9970C               PLL register (hex index, hex value)
//   register 0144 00000000        a memory-timing register (hex offset, hex value)
//   palette 10 101010 111111 ...  up to 16 palette entries from a hex index (hex 00RRGGBB)
//   controller 0 1024 768 85 1    width, height, refresh (decimal), display mask (hex)
//   rotation 0                    0..3
//   adjustments 0 0 0 0 0 2 -3 .. display index, then its 25 adjustments (decimal)
//   overlay 2 100                 overlay property 1..5 and its value (decimal)
//
// Reading starts from the machine as it is (a fresh one) and takes what it can: blank,
// '#' and unknown lines are ignored, a value that does not parse or is out of range
// keeps the machine's own, and a controller pair the driver would refuse is not taken.

#include <string>
#include <string_view>

#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_radeon.h"

namespace corvane::platform::sim {

std::string MachineStateText(const SimRadeon& card, const SimAtiDriverState& driver);

void ReadMachineState(std::string_view text, SimRadeon& card, SimAtiDriverState& driver);

}  // namespace corvane::platform::sim
