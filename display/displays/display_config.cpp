#include "display/displays/display_config.h"

#include <vector>

#include "display/escape_calls.h"
#include "display/mode_choice.h"

namespace corvane::display {
namespace {

constexpr uint32_t kMonitorBits[] = {DisplayBit::FirstMonitor, DisplayBit::DviMonitor};

ControllerConfig EmptyController(uint32_t controller, uint32_t displays) {
  ControllerConfig config;
  config.Controller = controller;
  config.Displays = displays;
  return config;
}

void TakeMode(ControllerConfig& config, const PreferredMode& mode) {
  config.Width = mode.Width;
  config.Height = mode.Height;
  config.Refresh = mode.Refresh;
}

}  // namespace

DisplayRecords ReadDisplayRecords(DisplayEnvironment& env, uint32_t tvDisplayIndex) {
  EscapeContext dc(env.escapes, env.deviceName);
  DisplayRecords records;
  for (uint32_t c = 0; c < 2; ++c) records.controllers[c] = GetControllerConfig(dc, c);
  records.tv = GetDisplayAdjustments(dc, tvDisplayIndex).value_or(AdjustmentValues{});
  for (uint32_t i = 0; i < 2; ++i) records.monitors[i] = GetDisplayAdjustments(dc, i).value_or(AdjustmentValues{});
  records.theater = GetTheaterMode(dc);
  return records;
}

ConfigRequest BuildConfigRequest(DisplayEnvironment& env, DisplayLayout layout, const ControllerConfig& readFirst,
                                 const LayoutMasks& masks) {
  PreferredMode preferred;
  {
    EscapeContext dc(env.escapes, env.deviceName);
    preferred = GetPreferredMode(dc);
  }
  ConfigRequest request{EmptyController(0, layout.P), EmptyController(1, layout.S)};
  request.first.Width = readFirst.Width;
  request.first.Height = readFirst.Height;
  request.first.Refresh = readFirst.Refresh;
  std::vector<CandidateMode> candidates;
  // A display controller 0 drives already keeps its width as the limit.
  const auto chooseForFirst = [&](uint32_t bit) {
    const uint32_t maxWidth = (readFirst.Displays & bit) ? readFirst.Width : preferred.Width;
    ChooseMode(env, bit, maxWidth, request.first, candidates);
  };
  for (uint32_t bit : kMonitorBits)
    if (layout.P & bit) chooseForFirst(bit);
  if (layout.P == masks.tv) chooseForFirst(masks.tv);
  if (layout.P == masks.tvWithMonitor) {
    TakeMode(request.first, preferred);
    TakeMode(request.second, preferred);
  }
  for (uint32_t bit : kMonitorBits)
    if (layout.S & bit) ChooseMode(env, bit, preferred.Width, request.second, candidates);
  if (layout.S & masks.tv) {
    if (layout.P != 0)
      ChooseMode(env, masks.tv, preferred.Width, request.second, candidates);
    else
      TakeMode(request.first, preferred);
  }
  return request;
}

bool ApplyDisplayLayout(DisplayEnvironment& env, DisplayLayout layout, const ControllerConfig& readFirst,
                        const LayoutMasks& masks) {
  const ConfigRequest request = BuildConfigRequest(env, layout, readFirst, masks);
  {
    EscapeContext dc(env.escapes, env.deviceName);
    if (SetDisplayConfig(dc, request.first, request.second) != 0) return false;
  }
  RefreshCurrentDisplayMode(env);
  // The desktop keeps its colour depth; Windows takes the primary controller's mode.
  platform::DisplayMode mode = env.currentMode;
  mode.fields = platform::DisplayModeField::Resolution;
  mode.width = request.first.Width;
  mode.height = request.first.Height;
  mode.frequency = request.first.Refresh;
  env.devices.ChangeSettings(env.deviceName, mode,
                             platform::DisplayChangeFlag::UpdateRegistry | platform::DisplayChangeFlag::Reset);
  EnumerateAllModes(env);
  return true;
}

}  // namespace corvane::display
