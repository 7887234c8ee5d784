#pragma once
// Picking a mode for a display from the driver's own list of what that display offers.

#include <cstdint>
#include <vector>

#include "display/display_environment.h"
#include "display/escape_records.h"

namespace corvane::display {

struct CandidateMode {
  uint16_t Width = 0;
  uint16_t Height = 0;
  uint16_t Refresh = 0;
  bool operator==(const CandidateMode&) const = default;
};

// Rebuilds `candidates` from the driver's modes of the display with `displayBit` that are
// no wider than `maxWidth`, in the driver's order. When there is one, the first is
// written into `config` (Width, Height, Refresh) and the result is true; otherwise
// `config` is left alone.
bool ChooseMode(DisplayEnvironment& env, uint32_t displayBit, uint32_t maxWidth, ControllerConfig& config,
                std::vector<CandidateMode>& candidates);

}  // namespace corvane::display
