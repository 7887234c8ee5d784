// The main form's hotkey list, PCI latency dialog and card report, as the tray shows them.
#include "app/main_form.h"

#include "display/display_environment.h"
#include "hardware/report/hardware_form.h"
#include "hardware/report/rad_info_form.h"
#include "hotkeys/editor/hotkeys_form.h"
#include "settings/global.h"

namespace corvane {

bool TfrmMainQRX::ShowHotkeyEditor() {
  hotkeys::HotkeyEditorContext context{ui::FormContext{window_.Forms(), env_.ports.clock},
                                       env_.ports.registry,
                                       env_.ports.user,
                                       *reg1_,
                                       global::ProfilesRoot,
                                       ui::Picture::BitmapResource(SupportLibrary(), L"mainimg")};
  if (rvx_) {
    context.coreClock = rvx_->CoreClock;
    context.memClock = rvx_->MemClock;
  }
  hotkeys::TfrmHotKeys dialog(context);
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

bool TfrmMainQRX::ShowHardwareDialog() {
  if (!rvx_) return false;
  hardware::TfrmHardware dialog({ui::FormContext{window_.Forms(), env_.ports.clock}, *reg1_, *rvx_});
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

bool TfrmMainQRX::ShowCardInformation() {
  if (!rvx_ || !displayEnv_) return false;
  display::RefreshCurrentDisplayMode(*displayEnv_);
  hardware::HardwareReportSources sources{*rvx_,
                                          env_.hardware.driverEscape,
                                          display_.deviceName,
                                          display_.DriverKeyPath,
                                          displayEnv_->currentMode.bitsPerPel,
                                          [this](std::string_view text) { return display::AnsiToWide(*displayEnv_, text); }};
  // The report goes where the user names, through the same whole-file writer as "audio.dat".
  hardware::TfrmRadInfo dialog(
      {ui::FormContext{window_.Forms(), env_.ports.clock}, env_.ports.user, std::move(sources), env_.openFile});
  dialog.ShowModal();
  return true;
}

}  // namespace corvane
