// The simulated machine's state file, which a user may edit by hand: read into a fresh
// card and driver when `/simulate` starts, and written back from them.
#include <string_view>

#include "platform/sim/hardware/sim_card_presets.h"
#include "platform/sim/hardware/sim_machine_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane::platform::sim;
  SimRadeon card(*FindCardPreset(kDefaultCardPreset));
  SimAtiDriverState driver;
  ReadMachineState(std::string_view(reinterpret_cast<const char*>(data), size), card, driver);
  // What was taken must come out as a state the reader takes again unchanged.
  const std::string written = MachineStateText(card, driver);
  SimRadeon again(*FindCardPreset(kDefaultCardPreset));
  SimAtiDriverState againDriver;
  ReadMachineState(written, again, againDriver);
  if (MachineStateText(again, againDriver) != written) __builtin_trap();
  return 0;
}
