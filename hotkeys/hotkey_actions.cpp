#include "hotkeys/hotkey_actions.h"

#include <utility>

namespace corvane::hotkeys {
namespace {

// The driver's rotation codes.
constexpr int32_t kRotation0 = 0;
constexpr int32_t kRotation180 = 2;

template <typename F, typename... A>
void Call(const F& f, A&&... args) {
  if (f) f(std::forward<A>(args)...);
}

bool Blocked3D(const HotkeyOperations& ops) { return ops.App3DRunning && ops.App3DRunning(); }

// The folder part of a path, without its trailing '\'; empty when it has none.
std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

platform::ShellExecuteRequest StartProgramRequest(const std::wstring& argument, platform::WindowHandle owner) {
  platform::ShellExecuteRequest request;
  request.owner = owner;
  request.verb = L"open";
  const size_t star = argument.find(L'*');
  request.file = argument.substr(0, star);
  if (star != std::wstring::npos) request.parameters = argument.substr(star + 1);
  request.directory = FolderOf(request.file);
  request.show = platform::ShowCommand::Show;
  return request;
}

std::optional<int32_t> AlternatedRotation(int32_t current) {
  if (current == kRotation0) return kRotation180;
  if (current == kRotation180) return kRotation0;
  return std::nullopt;
}

void RunHotkeyAction(const HotkeyEntry& entry, const HotkeyOperations& ops) {
  namespace A = HotkeyAction;
  const std::wstring& argument = entry.argument;
  switch (entry.action) {
    case A::LoadD3DProfile:
      if (!Blocked3D(ops)) Call(ops.ApplyD3DProfile, argument);
      break;
    case A::LoadOpenGLProfile:
      if (!Blocked3D(ops)) Call(ops.ApplyOpenGLProfile, argument);
      break;
    case A::LoadOverProfile: Call(ops.ApplyOverProfile, argument); break;
    case A::RunProgram:
      if (!argument.empty()) Call(ops.Execute, StartProgramRequest(argument, ops.owner));
      break;
    case A::GammaUp: Call(ops.Color, ColorStep::GammaUp); break;
    case A::GammaDown: Call(ops.Color, ColorStep::GammaDown); break;
    case A::BrightnessUp: Call(ops.Color, ColorStep::BrightnessUp); break;
    case A::BrightnessDown: Call(ops.Color, ColorStep::BrightnessDown); break;
    case A::ContrastUp: Call(ops.Color, ColorStep::ContrastUp); break;
    case A::ContrastDown: Call(ops.Color, ColorStep::ContrastDown); break;
    case A::ResetColor: Call(ops.Color, ColorStep::Reset); break;
    case A::LoadColorProfile: Call(ops.ApplyColorProfile, argument); break;
    case A::MonitorOff: Call(ops.MonitorOff); break;
    case A::MonitorOn: Call(ops.MonitorOn); break;
    case A::VolumeUp: Call(ops.audio.VolumeUp); break;
    case A::VolumeDown: Call(ops.audio.VolumeDown); break;
    case A::ToggleMute: Call(ops.audio.ToggleMute); break;
    case A::Rotate0:
    case A::Rotate90Right:
    case A::Rotate180:
    case A::Rotate90Left: Call(ops.SetRotation, static_cast<int32_t>(entry.action - A::Rotate0)); break;
    case A::AlternateRotation:
      if (ops.CurrentRotation) {
        if (std::optional<int32_t> next = AlternatedRotation(ops.CurrentRotation())) Call(ops.SetRotation, *next);
      }
      break;
    case A::DefaultSingleDisplay: Call(ops.DefaultSingleDisplay); break;
    case A::LoadDisplayProfile:
      if (!Blocked3D(ops)) Call(ops.ApplyDisplayProfile, argument);
      break;
    case A::StartRecording:
      if (!(ops.audio.Recording && ops.audio.Recording())) Call(ops.audio.StartRecording);
      break;
    case A::StopRecording:
      if (!ops.audio.Recording || ops.audio.Recording()) Call(ops.audio.StopRecording);
      break;
    case A::Screenshot: Call(ops.Screenshot); break;
    case A::ToggleExtendedDesktop: Call(ops.ToggleExtendedDesktop); break;
    default: break;
  }
}

}  // namespace corvane::hotkeys
