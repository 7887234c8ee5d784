#include "display/rotation.h"

#include <utility>

#include "display/driver_settings.h"
#include "display/escape_calls.h"

namespace corvane::display {
namespace {

// dmFields of the rotation's mode change: width, height, depth, rate and the dmScale
// member, which carries the rotation code to the driver.
constexpr uint32_t kRotationModeFields = 0x5C0010;

bool Sideways(int32_t code) { return code == Rotation::Right90 || code == Rotation::Left90; }

// One rotation attempt. `desktopCode` is the rotation that CurrentDisplayMode's width and
// height belong to: after a refused change it is still the old one, so turning back
// sends the desktop's real size rather than a swapped one.
class RotationFlow {
 public:
  RotationFlow(DisplayEnvironment& env, EscapeContext& dc, int32_t desktopCode)
      : env_(env), dc_(dc), desktopCode_(desktopCode) {}

  RotationRequest RequestFor(int32_t code) const {
    RotationRequest request;
    const bool swap = Sideways(code) != Sideways(desktopCode_);
    request.Width = swap ? env_.currentMode.height : env_.currentMode.width;
    request.Height = swap ? env_.currentMode.width : env_.currentMode.height;
    request.BitsPerPel = env_.currentMode.bitsPerPel;
    request.Rotation = static_cast<uint32_t>(code);
    return request;
  }

  // The driver's switch, then the matching mode through Windows. True when both took.
  bool RotateAndApply(int32_t code) {
    const RotationRequest request = RequestFor(code);
    const bool applied = SetRotation(dc_, request) && ApplyMode(request);
    EnumerateAllModes(env_);
    return applied;
  }

 private:
  bool ApplyMode(const RotationRequest& request) {
    namespace Flag = platform::DisplayChangeFlag;
    platform::DisplayMode mode;
    mode.fields = kRotationModeFields;
    mode.width = request.Width;
    mode.height = request.Height;
    mode.bitsPerPel = env_.currentMode.bitsPerPel;
    mode.frequency = env_.currentMode.frequency;
    mode.orientation = request.Rotation;
    if (env_.devices.ChangeSettings(env_.deviceName, mode, Flag::Test) != platform::DisplayChangeResult::Successful)
      return false;
    const int32_t result = env_.devices.ChangeSettings(env_.deviceName, mode, Flag::UpdateRegistry | Flag::Reset);
    env_.devices.ChangeSettings(L"", std::nullopt, 0);
    RefreshCurrentDisplayMode(env_);
    if (env_.currentMode.width == request.Width && env_.currentMode.height == request.Height)
      desktopCode_ = static_cast<int32_t>(request.Rotation);
    return result == platform::DisplayChangeResult::Successful;
  }

  DisplayEnvironment& env_;
  EscapeContext& dc_;
  int32_t desktopCode_;
};

}  // namespace

int32_t GetCurrentRotation(DisplayEnvironment& env) {
  EscapeContext dc(env.escapes, env.deviceName);
  return GetRotation(dc);
}

void SetDesktopRotation(DisplayEnvironment& env, int32_t requested, const ConfirmDisplayChange& confirm) {
  {
    EscapeContext dc(env.escapes, env.deviceName);
    const int32_t current = GetRotation(dc);
    if (requested == current) return;
    // Without the driver's current rotation there is nothing to turn back to.
    RotationFlow flow(env, dc, current);
    if (current != Rotation::Unknown && CheckRotation(dc, flow.RequestFor(requested))) {
      if (flow.RotateAndApply(requested)) {
        if (!confirm || !confirm()) flow.RotateAndApply(current);
      } else {
        flow.RotateAndApply(current);
        env.user.ShowMessage({L"错误", kRotationErrorText, platform::MessageIcon::Error, platform::MessageButtons::Ok});
      }
    }
  }
  PersistDriverSettings(env);
}

}  // namespace corvane::display
