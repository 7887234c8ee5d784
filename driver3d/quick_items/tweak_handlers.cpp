// The "优化" (tweaks) submenu: overrides and switches in the driver key, each followed by
// a reload. Shader versions, temporal anti-aliasing and Z compression are always plain
// strings; deleting them gives the driver back its own choice.
#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/quick_items/rate_dialogs.h"
#include "driver3d/setting_values.h"

namespace corvane::driver3d {
namespace {

using namespace driver_key;

// Opens the driver key, writes `text` (deletes the setting when there is none), reloads.
void SetAndReload(Quick3DContext& ctx, const TextSetting& setting, const std::optional<std::wstring>& text) {
  ctx.driver.OpenDriverKey();
  if (text)
    WriteSetting(ctx.driver, setting, *text);
  else
    DeleteSetting(ctx.driver, setting.name);
  Reload(ctx);
}

void psDisClick(Quick3DContext& ctx, ui::TMenuItem&) { SetAndReload(ctx, PixelShaderVersion, std::nullopt); }
void ps10Click(Quick3DContext& ctx, ui::TMenuItem& sender) { SetAndReload(ctx, PixelShaderVersion, TagText(sender)); }
void vsDisClick(Quick3DContext& ctx, ui::TMenuItem&) { SetAndReload(ctx, VertexShaderVersion, std::nullopt); }
void vs10Click(Quick3DContext& ctx, ui::TMenuItem& sender) { SetAndReload(ctx, VertexShaderVersion, TagText(sender)); }

void TAADisClick(Quick3DContext& ctx, ui::TMenuItem&) { SwitchTemporalAAOff(ctx); }
void TAA2xClick(Quick3DContext& ctx, ui::TMenuItem&) { SetAndReload(ctx, TemporalAAMultiplier, L"2"); }
void TAA3xClick(Quick3DContext& ctx, ui::TMenuItem&) { SetAndReload(ctx, TemporalAAMultiplier, L"3"); }
void TAAFrameDefClick(Quick3DContext& ctx, ui::TMenuItem&) {
  SetAndReload(ctx, TemporalAAFrameThreshold, std::nullopt);
}

void TAAFrameCustomClick(Quick3DContext& ctx, ui::TMenuItem&) {
  ctx.driver.OpenDriverKey();
  // The driver's own threshold is taken to be 60 frames per second.
  const std::wstring current = ReadSettingText(ctx.driver, TemporalAAFrameThreshold.name, false, L"60");
  // Cancel leaves the setting, and the driver, as they are.
  if (std::optional<std::wstring> chosen = ChooseFrameThreshold(ctx, current))
    SetAndReload(ctx, TemporalAAFrameThreshold, chosen);
}

void AIOff1Click(Quick3DContext& ctx, ui::TMenuItem& sender) { SetAndReload(ctx, CatalystAI, TagText(sender)); }

// The 默认 item's tag, which is no compression mode.
constexpr int kDefaultZCompressionTag = 55;

void ZCMDefClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  std::optional<std::wstring> mode;
  if (sender.Tag != kDefaultZCompressionTag) mode = TagText(sender);
  SetAndReload(ctx, ZCompressionMode, mode);
}

void rvmallClick(Quick3DContext& ctx, ui::TMenuItem&) {
  ctx.driver.OpenDriverKey();
  for (const TextSetting* setting : {&ZMaskEnable, &FastZClearEnabled, &ZCompressionMode})
    DeleteSetting(ctx.driver, setting->name);
  Reload(ctx);
}

// VPU Recover shows recovery on, which the driver stores as "DisableSmartSave" 0.
void VPURecover1Click(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, DisableSmartSave, sender.Checked ? 1 : 0);
  Reload(ctx);
}

template <const DwordSetting& setting>
void ToggleDword(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, setting, sender.Checked ? 0 : 1);
  Reload(ctx);
}

}  // namespace

bool TemporalAAOn(Quick3DContext& ctx) {
  ctx.driver.OpenDriverKey();
  return ReadSetting(ctx.driver, TemporalAAMultiplier) != L"0";
}

void SwitchTemporalAAOff(Quick3DContext& ctx) { SetAndReload(ctx, TemporalAAMultiplier, std::nullopt); }

void WireTweakItems(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  OnClick(pm1, ctx, {L"psDis"}, psDisClick);
  OnClick(pm1, ctx, {L"ps10", L"ps11", L"ps12", L"ps13", L"ps14", L"ps20", L"ps21"}, ps10Click);
  OnClick(pm1, ctx, {L"vsDis"}, vsDisClick);
  OnClick(pm1, ctx, {L"vs10", L"vs11", L"vs20"}, vs10Click);

  OnClick(pm1, ctx, {L"OPSC1"}, Toggle<OptimizePSCode>);
  OnClick(pm1, ctx, {L"mGI"}, Toggle<GI>);
  OnClick(pm1, ctx, {L"WMVAccseleration1"}, Toggle<DXVA_WMV>);
  OnClick(pm1, ctx, {L"VPURecover1"}, VPURecover1Click);
  OnClick(pm1, ctx, {L"DisableDMACopy1"}, ToggleDword<DisableDMACopy>);
  OnClick(pm1, ctx, {L"DisableBlockWrite1"}, ToggleDword<DisableBlockWrite>);

  OnClick(pm1, ctx, {L"TAADis"}, TAADisClick);
  OnClick(pm1, ctx, {L"TAA2x"}, TAA2xClick);
  OnClick(pm1, ctx, {L"TAA3x"}, TAA3xClick);
  OnClick(pm1, ctx, {L"TAAFrameDef"}, TAAFrameDefClick);
  OnClick(pm1, ctx, {L"TAAFrameCustom"}, TAAFrameCustomClick);
  OnClick(pm1, ctx, {L"AIOff1", L"AILow1", L"AIHigh1"}, AIOff1Click);

  OnClick(pm1, ctx, {L"FastZClearEnabled1"}, Toggle<FastZClearEnabled>);
  OnClick(pm1, ctx, {L"ZMaskEnable1"}, Toggle<ZMaskEnable>);
  OnClick(pm1, ctx, {L"ZCMDef", L"ZCM0", L"ZCM2"}, ZCMDefClick);
  OnClick(pm1, ctx, {L"rvmall"}, rvmallClick);
}

}  // namespace corvane::driver3d
