#include "display/display_environment.h"

#include <optional>

namespace corvane::display {
namespace {

// Far beyond any real mode list; stops a system that never says "no more".
constexpr int32_t kMaxModes = 100000;

}  // namespace

void RefreshCurrentDisplayMode(DisplayEnvironment& env) {
  if (std::optional<platform::DisplayMode> mode = env.devices.Mode(env.deviceName, platform::kCurrentDisplayMode))
    env.currentMode = *mode;
}

void EnumerateAllModes(DisplayEnvironment& env) {
  for (int32_t index = 0; index < kMaxModes; ++index) {
    if (!env.devices.Mode(env.deviceName, index)) return;
  }
}

std::wstring AnsiToWide(const DisplayEnvironment& env, std::string_view text) {
  if (env.ansiToWide) return env.ansiToWide(text);
  std::wstring wide;
  wide.reserve(text.size());
  for (char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

}  // namespace corvane::display
