#include "driver3d/quick_items/quick_actions.h"

#include "driver3d/quick_items/rate_dialogs.h"
#include "driver3d/setting_values.h"

namespace corvane::driver3d {

void OnClick(ui::TPopupMenu& pm1, Quick3DContext& ctx, std::initializer_list<const wchar_t*> items, QuickClick click) {
  for (const wchar_t* name : items)
    pm1.Item(name).OnClick = [&ctx, click](ui::TMenuItem& sender) { click(ctx, sender); };
}

void OnChangedChoice(ui::TPopupMenu& pm1, Quick3DContext& ctx, std::initializer_list<const wchar_t*> items,
                     QuickClick click) {
  for (const wchar_t* name : items)
    pm1.Item(name).OnClick = [&ctx, click](ui::TMenuItem& sender) {
      if (!sender.Checked) click(ctx, sender);
    };
}

void ToggleSettingText(Quick3DContext& ctx, const ui::TMenuItem& item, const TextSetting& setting) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, setting, item.Checked ? L"0" : L"1");
  Reload(ctx);
}

void WriteForcedRefreshRate(Quick3DContext& ctx, const ui::TMenuItem& sender, bool (DriverRegistry::*open)(),
                            const DwordSetting& setting) {
  std::optional<uint32_t> rate;
  switch (sender.Tag) {
    case 0:
      (ctx.driver.*open)();
      DeleteSetting(ctx.driver, setting.name);
      return;
    case 1:
      if (ctx.DesktopRefreshRate) rate = ctx.DesktopRefreshRate();
      if (rate == 0u) rate.reset();
      break;
    default:
      // The key is opened after the dialog: while it shows, other commands may use the
      // registry object.
      rate = ChooseCustomRefreshRate(ctx);
      break;
  }
  if (!rate) return;
  (ctx.driver.*open)();
  WriteSetting(ctx.driver, setting, static_cast<int32_t>(*rate));
}

void Reload(Quick3DContext& ctx) {
  if (ctx.ReloadDriverSettings) ctx.ReloadDriverSettings();
}

void UpdateTip(Quick3DContext& ctx) {
  if (ctx.UpdateTrayTip) ctx.UpdateTrayTip();
}

std::wstring TagText(const ui::TMenuItem& item) { return std::to_wstring(item.Tag); }

uint16_t CounterLevel(std::wstring_view text) { return static_cast<uint16_t>(ParseDecimal(text).value_or(0)); }

uint16_t CounterLevel(int32_t value) { return static_cast<uint16_t>(value); }

}  // namespace corvane::driver3d
