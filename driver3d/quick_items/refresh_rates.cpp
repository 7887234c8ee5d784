#include "driver3d/quick_items/refresh_steps.h"

#include "driver3d/quick_items/item_checks.h"
#include "driver3d/settings_table.h"
#include "platform/registry_values.h"

namespace corvane::driver3d {
namespace {

constexpr const wchar_t* kCustomCaption = L"自定义";

}  // namespace

std::optional<uint32_t> StoredRefreshRate(const DriverRegistry& registry, const DwordSetting& setting) {
  const platform::RegistryKey* key = registry.Key();
  if (!key) return std::nullopt;
  return platform::ReadRegDword(*key, setting.name);
}

void ShowForcedRefreshRate(ui::TMenuItem& disabled, ui::TMenuItem& desktop, ui::TMenuItem& custom,
                           std::optional<uint32_t> stored, uint32_t desktopRate) {
  // The caption names the rate only while it is the one in force.
  custom.Caption = kCustomCaption;
  if (!stored) {
    disabled.SetChecked(true);
  } else if (*stored == desktopRate) {
    desktop.SetChecked(true);
  } else {
    custom.SetChecked(true);
    custom.Caption = std::wstring(kCustomCaption) + L" " + std::to_wstring(*stored) + L"Hz (点击设置新值)";
  }
}

void RefreshDirect3DRefreshRate(ui::TPopupMenu& pm1, Quick3DContext& ctx, uint32_t desktopRate) {
  ctx.driver.OpenDirectDrawKey();
  ShowForcedRefreshRate(pm1.Item(L"dxRRdis"), pm1.Item(L"dxRRDesk"), pm1.Item(L"dxRRCust"),
                        StoredRefreshRate(ctx.driver, directdraw_key::ForceRefreshRate), desktopRate);
}

}  // namespace corvane::driver3d
