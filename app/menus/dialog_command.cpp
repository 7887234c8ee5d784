#include "app/menus/dialog_command.h"

#include "ui/flag_scope.h"

#include "hardware/rvx.h"

namespace corvane::menus {

std::optional<bool> RunMenuDialog(MenuContext& ctx, const ShowDialogHook& show, const DialogRules& rules) {
  if (ctx.DialogOpen) return std::nullopt;
  if ((rules.needsDriverObject || rules.needsOpenDriver) && ctx.rvx == nullptr) return std::nullopt;
  if (rules.needsOpenDriver && !ctx.rvx->DriverOpen) return std::nullopt;

  bool result = false;
  {
    ui::FlagScope scope(ctx.DialogOpen);
    if (show) result = show();
  }
  if (rules.trayMenuDone && ctx.calls.TrayMenuDone) ctx.calls.TrayMenuDone();
  if (rules.hideMainWindow && ctx.calls.HideMainWindow) ctx.calls.HideMainWindow();
  return result;
}

}  // namespace corvane::menus
