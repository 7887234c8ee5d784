#include "display/displays/stored_layouts.h"

#include <vector>

#include "display/displays/display_config.h"
#include "display/displays/display_messages.h"
#include "display/driver_settings.h"
#include "display/escape_calls.h"
#include "display/mode_choice.h"

namespace corvane::display {

LayoutMasks LayoutMasksFor(const DisplaySupport& support) {
  return support.InterfaceRevision == kDisplayInterfaceRevision ? kNormalLayout : kOlderLayout;
}

void ApplyDisplayProfile(DisplayEnvironment& env, const DisplaySupport& support, const DisplayProfiles& profiles,
                         const std::wstring& name) {
  DisplayRecords records = ReadDisplayRecords(env, support.TvDisplayIndex);
  if (!profiles.Load(name, records)) {
    ShowDisplayError(env.user, L"加载配置出错!");
    return;
  }
  RefreshCurrentDisplayMode(env);
  // The desktop as Windows has it is where controller 0 starts from.
  ControllerConfig readFirst = records.controllers[0];
  readFirst.Width = env.currentMode.width;
  readFirst.Height = env.currentMode.height;
  const ConfigRequest request = BuildConfigRequest(env, records.Layout(), readFirst, LayoutMasksFor(support));
  {
    EscapeContext dc(env.escapes, env.deviceName);
    if (SetDisplayConfig(dc, request.first, request.second, true) == 0) EnumerateAllModes(env);
  }
  {
    EscapeContext dc(env.escapes, env.deviceName);
    SetDisplayAdjustments(dc, support.TvDisplayIndex, records.tv);
    SetTheaterMode(dc, records.theater);
  }
  ApplyAdjustments(env, kFirstMonitorIndex, records.monitors[0], true);
  ApplyAdjustments(env, kSecondMonitorIndex, records.monitors[1], true);
}

void DefaultSingleDisplay(DisplayEnvironment& env, const DisplaySupport& support) {
  if (support.DisplayUnsupported) {
    ShowDisplayUnsupported(env.user);
    return;
  }
  RefreshCurrentDisplayMode(env);
  ControllerConfig readFirst;
  uint32_t connected = 0;
  {
    EscapeContext dc(env.escapes, env.deviceName);
    readFirst = GetControllerConfig(dc, 0);
    connected = QueryConnectedDisplays(dc);
  }
  uint32_t only = 0;
  for (uint32_t bit : {DisplayBit::FirstMonitor, DisplayBit::DviMonitor, support.TvDisplayBit}) {
    if (connected & bit) {
      only = bit;
      break;
    }
  }
  if (only == 0) return;

  ControllerConfig first;
  first.Controller = 0;
  first.Displays = only;
  first.Width = readFirst.Width;
  first.Height = readFirst.Height;
  first.Refresh = readFirst.Refresh;
  std::vector<CandidateMode> candidates;
  if (readFirst.Displays & only) {
    ChooseMode(env, only, readFirst.Width, first, candidates);
  } else {
    PreferredMode preferred;
    {
      EscapeContext dc(env.escapes, env.deviceName);
      preferred = GetPreferredMode(dc);
    }
    if (only == support.TvDisplayBit) {
      first.Width = preferred.Width;
      first.Height = preferred.Height;
      first.Refresh = preferred.Refresh;
    } else {
      ChooseMode(env, only, preferred.Width, first, candidates);
    }
  }
  ControllerConfig second;
  second.Controller = 1;
  second.Displays = 0;
  {
    EscapeContext dc(env.escapes, env.deviceName);
    if (SetDisplayConfig(dc, first, second) != 0) return;
  }
  EnumerateAllModes(env);
  PersistDriverSettings(env);
}

}  // namespace corvane::display
