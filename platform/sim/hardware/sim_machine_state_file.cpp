#include "platform/sim/hardware/sim_machine_state_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/sim/hardware/sim_machine_state.h"

namespace corvane::platform::sim {
namespace {

// More than any machine writes: a file this long is not one of ours and is read no further.
constexpr std::streamsize kLongestFile = 1 << 20;

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::string text(static_cast<size_t>(kLongestFile), '\0');
  in.read(text.data(), kLongestFile);
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

bool WriteReplacing(const std::filesystem::path& file, const std::string& text) {
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  std::filesystem::path temporary = file;
  temporary += L".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, file, error);
  if (error) std::filesystem::remove(temporary, error);
  return !error;
}

}  // namespace

SimMachineStateFile::SimMachineStateFile(std::filesystem::path file, SimRadeon& card, SimAtiDriverState& driver,
                                         Clock& clock)
    : file_(std::move(file)), card_(card), driver_(driver), clock_(clock), written_(ReadText(file_)) {
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
  if (WriteReplacing(file_, text)) written_ = std::move(text);
}

}  // namespace corvane::platform::sim
