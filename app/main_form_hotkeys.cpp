// The main form's side of the hotkeys: the key reports, the table, and the operations the
// 28 actions reach.
#include "app/main_form.h"

#include "display/display_support.h"
#include "display/rotation.h"
#include "settings/global.h"

namespace corvane {

void TfrmMainQRX::LoadHotkeys() {
  if (keys_) {
    keys_->LoadHotkeys();
    return;
  }
  keys_ = std::make_unique<hotkeys::TKeyCollection>(env_.ports.registry, global::ProfilesRoot + L"keys");
}

void TfrmMainQRX::HandleKeyEvent(hotkeys::KeyReport& report) {
  // The editor is waiting for the user to press the keys of a new binding: they are not
  // meant as commands.
  if (HotkeyEditorOpen) {
    report.pending = 0;
    return;
  }
  if (report.pending != 1) return;
  // Cleared first: an action that opens a dialog lets further reports through meanwhile.
  report.pending = 0;
  if (!keys_) return;
  const hotkeys::HotkeyOperations ops = HotkeyOperations();
  keys_->ExecuteHotkey(report.keyCode, [&ops](const hotkeys::HotkeyEntry& entry) { RunHotkeyAction(entry, ops); });
}

hotkeys::HotkeyOperations TfrmMainQRX::HotkeyOperations() {
  hotkeys::HotkeyOperations ops;
  ops.App3DRunning = [this] { return App3DRunning; };
  if (profile3DMenus_) {
    ops.ApplyD3DProfile = [this](const std::wstring& name) { driver3d::ApplyD3DProfile(Profiles3DContext(), name); };
    ops.ApplyOpenGLProfile = [this](const std::wstring& name) {
      driver3d::ApplyOpenGLProfile(Profiles3DContext(), name);
    };
  }
  ops.ApplyOverProfile = [this](const std::wstring& name) { ApplyOverProfile(name); };
  if (colorState_) {
    ops.ApplyColorProfile = [this](const std::wstring& name) { colorState_->ApplyColorProfile(name); };
    ops.Color = [this](hotkeys::ColorStep step) { ApplyColorStep(step); };
  }
  ops.ApplyDisplayProfile = [this](const std::wstring& name) { ApplyDisplayProfile(name); };
  ops.Execute = [this](const platform::ShellExecuteRequest& request) { env_.ports.shell.Execute(request); };
  ops.owner = window_.Handle();
  ops.MonitorOff = [this] { TurnMonitorOff(); };
  ops.MonitorOn = [this] {
    if (Hotkeys.TurnMonitor) Hotkeys.TurnMonitor(hotkeys::MonitorPower::On);
  };
  if (displayEnv_) {
    ops.CurrentRotation = [this] { return display::GetCurrentRotation(*displayEnv_); };
    if (displayCommands_) ops.SetRotation = [this](int32_t code) { displayCommands_->SetDesktopRotation(code); };
    ops.DefaultSingleDisplay = [this] { DefaultSingleDisplay(); };
    ops.ToggleExtendedDesktop = [this] { ToggleExtendedDesktop(); };
  }
  ops.Screenshot = [this] { TakeScreenshot(); };
  ops.audio = Hotkeys.audio;
  return ops;
}

void TfrmMainQRX::ApplyColorStep(hotkeys::ColorStep step) {
  using hotkeys::ColorStep;
  display::ColorState& color = *colorState_;
  switch (step) {
    case ColorStep::GammaUp: color.GammaUp(); break;
    case ColorStep::GammaDown: color.GammaDown(); break;
    case ColorStep::BrightnessUp: color.BrightnessUp(); break;
    case ColorStep::BrightnessDown: color.BrightnessDown(); break;
    case ColorStep::ContrastUp: color.ContrastUp(); break;
    case ColorStep::ContrastDown: color.ContrastDown(); break;
    case ColorStep::Reset:
      color.ResetColor();
      color.ApplyCurrentColor();
      break;
  }
}

void TfrmMainQRX::TurnMonitorOff() {
  // One switch at a time: a held key repeats its report.
  if (monOff_ && !monOff_->Done()) return;
  monOff_.reset();
  monOff_ = hotkeys::TMonOff::Start(env_.ports.threading, env_.ports.dispatcher,
                                    ui::FormContext{window_.Forms(), env_.ports.clock}, hotkeys::kMonitorOffDelayMs,
                                    [this] {
                                      if (Hotkeys.TurnMonitor) Hotkeys.TurnMonitor(hotkeys::MonitorPower::Off);
                                    });
}

void TfrmMainQRX::TakeScreenshot() {
  // Without the frame-buffer window the capture has nothing to read.
  if (!rvx_ || rvx_->FrameBufferWindow() == 0 || !Hotkeys.SaveScreenshot) return;
  std::optional<hotkeys::TimeOfDay> time;
  if (reg1_->GetBool(L"SSAddTime") && Hotkeys.Now) time = Hotkeys.Now();
  platform::Shell& shell = env_.ports.shell;
  const std::wstring path = hotkeys::ScreenshotFileName(reg1_->GetString(L"SSFolder"), time,
                                                        [&shell](const std::wstring& file) { return shell.FileExists(file); });
  if (!path.empty()) Hotkeys.SaveScreenshot(path);
}

void TfrmMainQRX::ToggleExtendedDesktop() {
  display::SetExtendedDesktop(*displayEnv_, !display::IsDesktopExtended(displayEnv_->devices));
}

}  // namespace corvane
