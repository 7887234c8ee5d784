#include "display/mode_choice.h"

#include <optional>

#include "display/escape_calls.h"

namespace corvane::display {
namespace {

// Far beyond any display's mode list; stops a driver that never says "no more".
constexpr uint32_t kMaxDriverModes = 4096;

}  // namespace

bool ChooseMode(DisplayEnvironment& env, uint32_t displayBit, uint32_t maxWidth, ControllerConfig& config,
                std::vector<CandidateMode>& candidates) {
  candidates.clear();
  EscapeContext dc(env.escapes, env.deviceName);
  for (uint32_t index = 0; index < kMaxDriverModes; ++index) {
    std::optional<ModeEntry> mode = EnumDisplayModes(dc, index, displayBit);
    if (!mode) break;
    if (mode->Width > maxWidth) continue;
    candidates.push_back({static_cast<uint16_t>(mode->Width), static_cast<uint16_t>(mode->Height),
                          static_cast<uint16_t>(mode->Refresh)});
  }
  if (candidates.empty()) return false;
  config.Width = candidates.front().Width;
  config.Height = candidates.front().Height;
  config.Refresh = candidates.front().Refresh;
  return true;
}

}  // namespace corvane::display
