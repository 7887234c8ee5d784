#include <algorithm>
#include <array>
#include <string>

#include "driver3d/choices.h"
#include "driver3d/quick_items/item_checks.h"
#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/quick_items/refresh_steps.h"
#include "driver3d/setting_values.h"

namespace corvane::driver3d {
namespace {

using namespace driver_key;

void RefreshHyperZ(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  CheckWhenOn(pm1, ctx, L"ZMaskEnable1", ZMaskEnable);
  CheckWhenOn(pm1, ctx, L"FastZClearEnabled1", FastZClearEnabled);
  ui::TMenuItem& byDriver = pm1.Item(L"ZCMDef");
  if (!SettingExists(ctx.driver, ZCompressionMode.name)) {
    byDriver.SetChecked(true);
    return;
  }
  // A mode the menu does not offer shows no choice at all.
  const std::wstring mode = ReadSetting(ctx.driver, ZCompressionMode);
  ClearRadioGroup(byDriver);
  if (mode == L"2") pm1.Item(L"ZCM2").SetChecked(true);
  if (mode == L"0") pm1.Item(L"ZCM0").SetChecked(true);
}

// A shader version override: the stored version, with or without its point ("2.0" or
// "20"), checks its item; a version the menu does not offer is removed, so the driver
// runs with its own.
template <size_t N>
void RefreshShaderVersion(ui::TPopupMenu& pm1, Quick3DContext& ctx, const TextSetting& setting,
                          const std::array<uint16_t, N>& offered, const wchar_t* prefix, const wchar_t* noOverride) {
  ui::TMenuItem& none = pm1.Item(noOverride);
  if (!SettingExists(ctx.driver, setting.name)) {
    none.SetChecked(true);
    return;
  }
  std::wstring version = ReadSetting(ctx.driver, setting);
  std::erase(version, L'.');
  const std::optional<uint32_t> number = ParseDecimal(version);
  const bool isOffered = number && std::find(offered.begin(), offered.end(), *number) != offered.end();
  if (!isOffered) {
    DeleteSetting(ctx.driver, setting.name);
    none.SetChecked(true);
    return;
  }
  if (!CheckNamedInGroup(none, prefix, std::to_wstring(*number))) none.SetChecked(true);
}

void RefreshBusSwitches(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  pm1.Item(L"VPURecover1").Checked = ReadSetting(ctx.driver, DisableSmartSave) == 0;
  pm1.Item(L"DisableDMACopy1").Checked = ReadSetting(ctx.driver, DisableDMACopy) == 1;
  pm1.Item(L"DisableBlockWrite1").Checked = ReadSetting(ctx.driver, DisableBlockWrite) == 1;
}

void RefreshCatalystAI(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  const std::wstring level = ReadSetting(ctx.driver, CatalystAI);
  ui::TMenuItem& off = pm1.Item(L"AIOff1");
  ClearRadioGroup(off);
  if (level == L"0") off.SetChecked(true);
  if (level == L"1") pm1.Item(L"AILow1").SetChecked(true);
  if (level == L"2") pm1.Item(L"AIHigh1").SetChecked(true);
}

void RefreshTemporalAA(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  const std::wstring multiplier = ReadSetting(ctx.driver, TemporalAAMultiplier);
  const bool on = multiplier != L"0";
  ui::TMenuItem& off = pm1.Item(L"TAADis");
  ClearRadioGroup(off);
  if (!on) off.SetChecked(true);
  if (multiplier == L"2") pm1.Item(L"TAA2x").SetChecked(true);
  if (multiplier == L"3") pm1.Item(L"TAA3x").SetChecked(true);

  ui::TMenuItem& byDriver = pm1.Item(L"TAAFrameDef");
  ui::TMenuItem& custom = pm1.Item(L"TAAFrameCustom");
  // The threshold only matters while temporal anti-aliasing is on.
  byDriver.Enabled = on;
  custom.Enabled = on;
  const std::wstring threshold = ReadSetting(ctx.driver, TemporalAAFrameThreshold);
  if (threshold != L"0") {
    custom.SetChecked(true);
    custom.Caption = L"自定义 " + threshold;
  } else {
    byDriver.SetChecked(true);
    custom.Caption = L"自定义";
  }
}

}  // namespace

void RefreshTweakItems(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  ctx.driver.OpenDriverKey();
  CheckWhenOn(pm1, ctx, L"OPSC1", OptimizePSCode);
  CheckWhenOn(pm1, ctx, L"WMVAccseleration1", DXVA_WMV);
  RefreshHyperZ(pm1, ctx);
  RefreshShaderVersion(pm1, ctx, PixelShaderVersion, PixelShaderVersions, L"ps", L"psDis");
  RefreshShaderVersion(pm1, ctx, VertexShaderVersion, VertexShaderVersions, L"vs", L"vsDis");
  RefreshBusSwitches(pm1, ctx);
  RefreshCatalystAI(pm1, ctx);
  RefreshTemporalAA(pm1, ctx);
}

}  // namespace corvane::driver3d
