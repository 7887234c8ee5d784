#include "platform/sim/hardware/sim_machine_state_file.h"

#include "platform/sim/hardware/sim_machine_state.h"

namespace corvane::platform::sim {
namespace {

// More than any machine writes: a file this long is not one of ours and is read no further.
constexpr size_t kLongestFile = 1 << 20;

}  // namespace

SimMachineStateFile::SimMachineStateFile(WholeFile& file, SimRadeon& card, SimAtiDriverState& driver, Clock& clock)
    : file_(file), card_(card), driver_(driver), clock_(clock), written_(file_.Read(kLongestFile).value_or("")) {
  ReadMachineState(written_, card_, driver_);
}

SimMachineStateFile::~SimMachineStateFile() {
  try {
    if (due_) Flush();
  } catch (...) {
    // Out of memory while going: the state of this run is lost, the file stays as it was.
  }
}

void SimMachineStateFile::Changed() {
  if (due_) return;
  due_ = true;
  timer_ = clock_.StartTimer(kMinimumTimerIntervalMs, false, [this] { Flush(); });
}

void SimMachineStateFile::Flush() {
  due_ = false;
  std::string text = MachineStateText(card_, driver_);
  if (text == written_) return;
  if (file_.Replace(text)) written_ = std::move(text);
}

}  // namespace corvane::platform::sim
