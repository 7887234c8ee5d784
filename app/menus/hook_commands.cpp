#include "app/menus/hook_commands.h"

#include "app/menus/dialog_command.h"

namespace corvane::menus {

namespace {

void Call(const std::function<void()>& entry) {
  if (entry) entry();
}

void SetRefreshRateHook(MenuContext& ctx, bool on) {
  Call(on ? ctx.hooks.installRefreshRateHook : ctx.hooks.uninstallRefreshRateHook);
}

void SetKeyboardHook(MenuContext& ctx, bool on) {
  Call(on ? ctx.hooks.installKeyboardHook : ctx.hooks.uninstallKeyboardHook);
}

// The check mark is the state the user sees; the next popup re-reads it from the setting.
void Toggle(MenuContext& ctx, ui::TMenuItem& item, const wchar_t* setting, void (*setHook)(MenuContext&, bool)) {
  const bool on = !item.Checked;
  setHook(ctx, on);
  ctx.reg1.SetValue(setting, on);
  ctx.reg1.SaveAll();
}

}  // namespace

void RefreshHookToggles(MenuContext& ctx, ui::TPopupMenu& pm1) {
  pm1.Item(L"mROVEnabled").Checked = ctx.reg1.GetBool(L"ROVEnabled");
  pm1.Item(L"mEHT").Checked = ctx.reg1.GetBool(L"EnableHotKeys");
}

void WireHookCommands(MenuContext& ctx, ui::TPopupMenu& pm1) {
  pm1.Item(L"mROVEnabled").OnClick = [&ctx](ui::TMenuItem& item) {
    Toggle(ctx, item, L"ROVEnabled", SetRefreshRateHook);
  };
  pm1.Item(L"mEHT").OnClick = [&ctx](ui::TMenuItem& item) { Toggle(ctx, item, L"EnableHotKeys", SetKeyboardHook); };

  pm1.Item(L"Customize1").OnClick = [&ctx](ui::TMenuItem&) {
    if (RunMenuDialog(ctx, ctx.dialogs.refreshRateLock, {}).value_or(false))
      SetRefreshRateHook(ctx, ctx.reg1.GetBool(L"ROVEnabled"));
  };
  pm1.Item(L"Settings4").OnClick = [&ctx](ui::TMenuItem&) {
    if (ctx.DialogOpen) return;
    const bool wasEnabled = ctx.reg1.GetBool(L"EnableHotKeys");
    ctx.HotkeyEditorOpen = true;
    std::optional<bool> ok;
    try {
      ok = RunMenuDialog(ctx, ctx.dialogs.hotkeyEditor, {});
    } catch (...) {
      ctx.HotkeyEditorOpen = false;
      throw;
    }
    ctx.HotkeyEditorOpen = false;
    if (!ok.value_or(false)) return;
    Call(ctx.calls.ReloadHotkeys);
    const bool enabled = ctx.reg1.GetBool(L"EnableHotKeys");
    if (enabled != wasEnabled) SetKeyboardHook(ctx, enabled);
  };
}

}  // namespace corvane::menus
