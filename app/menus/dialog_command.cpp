#include "app/menus/dialog_command.h"

#include "hardware/rvx.h"

namespace corvane::menus {

namespace {

// DialogOpen must drop even when the dialog throws, or every later command would be dead.
class DialogOpenScope {
 public:
  explicit DialogOpenScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~DialogOpenScope() { flag_ = false; }
  DialogOpenScope(const DialogOpenScope&) = delete;
  DialogOpenScope& operator=(const DialogOpenScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

std::optional<bool> RunMenuDialog(MenuContext& ctx, const ShowDialogHook& show, const DialogRules& rules) {
  if (ctx.DialogOpen) return std::nullopt;
  if ((rules.needsDriverObject || rules.needsOpenDriver) && ctx.rvx == nullptr) return std::nullopt;
  if (rules.needsOpenDriver && !ctx.rvx->DriverOpen) return std::nullopt;

  bool result = false;
  {
    DialogOpenScope scope(ctx.DialogOpen);
    if (show) result = show();
  }
  if (rules.trayMenuDone && ctx.calls.TrayMenuDone) ctx.calls.TrayMenuDone();
  if (rules.hideMainWindow && ctx.calls.HideMainWindow) ctx.calls.HideMainWindow();
  return result;
}

}  // namespace corvane::menus
