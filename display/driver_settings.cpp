#include "display/driver_settings.h"

#include <memory>
#include <optional>
#include <span>

#include "display/escape_bytes.h"
#include "display/escape_calls.h"

namespace corvane::display {
namespace {

// A driver has a handful of records; this stops one that repeats itself forever.
constexpr uint32_t kMaxSettingBlobs = 1024;

// dmDisplayFlags value the driver reset toggles.
constexpr uint32_t kInterlacedFlag = 4;

uint32_t FlippedDepth(uint32_t bitsPerPel) { return bitsPerPel == 32 ? 16 : bitsPerPel == 16 ? 32 : 16; }

void DepthFlip(DisplayEnvironment& env, const ReloadOptions& options) {
  namespace Flag = platform::DisplayChangeFlag;
  if (options.uninstallRefreshHook) options.uninstallRefreshHook();
  RefreshCurrentDisplayMode(env);
  const uint32_t depth = env.currentMode.bitsPerPel;
  env.currentMode.bitsPerPel = FlippedDepth(depth);
  env.devices.ChangeSettings(L"", env.currentMode, 0);
  env.currentMode.bitsPerPel = depth;
  env.devices.ChangeSettings(L"", env.currentMode, Flag::UpdateRegistry | Flag::Global | Flag::Reset);
  if (options.refreshLockEnabled && options.installRefreshHook) options.installRefreshHook();
}

void DriverReset(DisplayEnvironment& env) {
  namespace Flag = platform::DisplayChangeFlag;
  EscapeContext dc(env.escapes, env.deviceName);
  DriverReloadNotify(dc, ReloadPhase::Before);
  EnumerateAllModes(env);
  RefreshCurrentDisplayMode(env);
  env.currentMode.displayFlags = env.currentMode.displayFlags == kInterlacedFlag ? 0 : kInterlacedFlag;
  if (env.devices.ChangeSettings(env.deviceName, env.currentMode, Flag::Reset) !=
      platform::DisplayChangeResult::Successful)
    env.devices.ChangeSettings(L"", env.currentMode, Flag::Fullscreen);
  DriverReloadNotify(dc, ReloadPhase::After);
}

}  // namespace

uint32_t PersistDriverSettings(DisplayEnvironment& env) {
  std::unique_ptr<platform::RegistryKey> key =
      env.registry.OpenKey(platform::RegistryRoot::LocalMachine, env.driverKeyPath, false);
  EscapeContext dc(env.escapes, env.deviceName);
  uint32_t read = 0;
  while (read < kMaxSettingBlobs) {
    std::optional<DriverSettingBlob> blob = ReadDriverSettingBlob(dc);
    if (!blob) break;
    ++read;
    if (!key) continue;
    const std::wstring name = AnsiToWide(env, ArrayText(blob->Name));
    key->WriteValue(name, platform::RegType::Binary, std::span<const uint8_t>(blob->Data).first(blob->DataLength));
  }
  return read;
}

int32_t ApplyAdjustments(DisplayEnvironment& env, uint32_t displayIndex, const AdjustmentValues& values,
                         bool persist) {
  int32_t result = 0;
  {
    EscapeContext dc(env.escapes, env.deviceName);
    result = SetDisplayAdjustments(dc, displayIndex, values);
  }
  if (result == 0 && persist) PersistDriverSettings(env);
  return result;
}

void ReloadDriverSettings(DisplayEnvironment& env, const ReloadOptions& options) {
  if (options.depthFlip)
    DepthFlip(env, options);
  else
    DriverReset(env);
}

}  // namespace corvane::display
