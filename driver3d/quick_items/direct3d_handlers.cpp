// The "Direct3D" submenu ("3D" in AceMode): each click writes the driver key and, except
// for the refresh-rate and AceMode-only items, makes the driver reload its settings.
#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/setting_values.h"

namespace corvane::driver3d {
namespace {

using namespace driver_key;

void dxAAappClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  if (sender.Tag == 0) {
    WriteSetting(ctx.driver, AntiAlias, L"1");
    WriteSetting(ctx.driver, AntiAliasSamples, L"0");
  } else {
    WriteSetting(ctx.driver, AntiAlias, L"2");
    WriteSetting(ctx.driver, AntiAliasSamples, TagText(sender));
  }
  ctx.quality.d3dAA = CounterLevel(sender.Tag);
  UpdateTip(ctx);
  Reload(ctx);
}

void dxAFAppClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, AnisoDegree, TagText(sender));
  ctx.quality.d3dAF = CounterLevel(sender.Tag);
  if (sender.Tag == 0) {
    // Type "0" goes with a degree the application chooses.
    WriteSetting(ctx.driver, AnisoType, L"0");
  } else if (ReadSettingText(ctx.driver, AnisoType.name, true, AnisoType.defaultText) == L"0") {
    // A forced degree needs a real filter type; quality is the driver's own default.
    WriteSetting(ctx.driver, AnisoType, L"2");
  }
  UpdateTip(ctx);
  Reload(ctx);
}

// A radio group that writes the clicked tag into one setting and reloads.
template <const TextSetting& setting>
void WriteTagAndReload(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, setting, TagText(sender));
  Reload(ctx);
}

void dxVS0xClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, ctx.driver.AceMode() ? VSyncControl : VSync, TagText(sender));
  Reload(ctx);
}

void dxRRdisClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  WriteForcedRefreshRate(ctx, sender, &DriverRegistry::OpenDirectDrawKey, directdraw_key::ForceRefreshRate);
}

// The AceMode-only items: the control centre picks these up without a reload.
void nglZBDisClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, ForceZBufferDepth, TagText(sender));
}

void nglTrippleClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, EnableTripleBuffering, sender.Checked ? L"0" : L"1");
}

}  // namespace

void WireDirect3DItems(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  OnChangedChoice(pm1, ctx, {L"dxAAapp", L"dxAA2x", L"dxAA4x", L"dxAA6x"}, dxAAappClick);
  OnChangedChoice(pm1, ctx, {L"dxAFQ1x", L"dxAFQ2x", L"dxAFQ0x"}, WriteTagAndReload<AnisoType>);
  OnChangedChoice(pm1, ctx, {L"dxAFApp", L"dxAF2x", L"dxAF4x", L"dxAF8x", L"dxAF16x"}, dxAFAppClick);
  OnChangedChoice(pm1, ctx, {L"dxTP3x", L"dxtp2x", L"dxTp1x", L"dxTp0x"}, WriteTagAndReload<TextureOpt>);
  OnChangedChoice(pm1, ctx, {L"dxLOD3x", L"dxLOD2x", L"dxLOD1x", L"dxLOD0x"}, WriteTagAndReload<TextureLod>);
  OnChangedChoice(pm1, ctx, {L"dxVS0x", L"dxVS1x", L"dxVS2x"}, dxVS0xClick);
  OnChangedChoice(pm1, ctx, {L"dxnVS0", L"dxnVS1", L"dxnVS2", L"dxnVS3"}, WriteTagAndReload<VSyncControl>);
  OnChangedChoice(pm1, ctx, {L"dxTRUE0x", L"dxTRUE1x"}, WriteTagAndReload<TruformMode>);
  OnClick(pm1, ctx, {L"dxRRdis", L"dxRRDesk", L"dxRRCust"}, dxRRdisClick);

  OnClick(pm1, ctx, {L"dxALTpix"}, Toggle<PixelCenter>);
  OnClick(pm1, ctx, {L"dxDXT"}, Toggle<ExportCompressedTex>);
  OnClick(pm1, ctx, {L"d3dBump"}, Toggle<ExportBumpMappedTex>);
  OnClick(pm1, ctx, {L"miAFOpt"}, Toggle<AnisotropyOptimise>);
  OnClick(pm1, ctx, {L"miTROpt"}, Toggle<TrilinearOptimise>);

  OnClick(pm1, ctx, {L"nglZBDis", L"nglZB16", L"nglZB24"}, nglZBDisClick);
  OnClick(pm1, ctx, {L"nglTripple"}, nglTrippleClick);
}

}  // namespace corvane::driver3d
