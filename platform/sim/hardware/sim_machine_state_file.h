#pragma once
// Keeps the simulated machine of `corvane.exe /simulate` between runs, in a text file (see
// sim_machine_state.h): read when the machine is built, written again after the hardware
// changed. Changes come in bursts (256 palette stores, a PLL reprogrammed in several
// steps), so a change only arms a timer of the shortest interval: the file is written
// once the UI thread is done with what it does now, and only when its text differs. The
// file is replaced whole, so a crash leaves either the old state or the new one. UI
// thread only.

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/whole_file.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_radeon.h"

namespace corvane::platform::sim {

// Its name in the user data folder.
inline constexpr wchar_t kMachineStateFileName[] = L"simulated-machine.txt";

class SimMachineStateFile {
 public:
  // Reads `file` into the card and the driver when it is there.
  SimMachineStateFile(WholeFile& file, SimRadeon& card, SimAtiDriverState& driver, Clock& clock);
  // Writes a change still pending.
  ~SimMachineStateFile();
  SimMachineStateFile(const SimMachineStateFile&) = delete;
  SimMachineStateFile& operator=(const SimMachineStateFile&) = delete;

  // The hardware may have changed.
  void Changed();
  // Writes the file now when the machine differs from what the file holds.
  void Flush();

 private:
  WholeFile& file_;
  SimRadeon& card_;
  SimAtiDriverState& driver_;
  Clock& clock_;
  std::string written_;  // the file's text as last read or written
  std::unique_ptr<Timer> timer_;
  bool due_ = false;
};

}  // namespace corvane::platform::sim
