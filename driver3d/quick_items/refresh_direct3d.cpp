#include <string>

#include "driver3d/quick_items/item_checks.h"
#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/quick_items/refresh_steps.h"

namespace corvane::driver3d {
namespace {

using namespace driver_key;

// Checks member's group by the item named prefix + the stored text + suffix.
void CheckByText(ui::TPopupMenu& pm1, Quick3DContext& ctx, const wchar_t* member, const TextSetting& setting,
                 const wchar_t* prefix, const wchar_t* suffix = L"x") {
  CheckNamedInGroup(pm1.Item(member), prefix, ReadSetting(ctx.driver, setting), suffix);
}

void RefreshAntiAlias(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  const std::wstring mode = ReadSetting(ctx.driver, AntiAlias);
  const std::wstring samples = ReadSetting(ctx.driver, AntiAliasSamples);
  ui::TMenuItem& application = pm1.Item(L"dxAAapp");
  if (mode == L"1" || mode == L"0") {
    application.SetChecked(true);
    return;
  }
  // Forced: a sample count the menu does not offer still shows in the tooltip.
  CheckNamedInGroup(application, L"dxAA", samples, L"x");
  ctx.quality.d3dAA = CounterLevel(samples);
}

void RefreshAnisotropy(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  CheckByText(pm1, ctx, L"dxAFQ1x", AnisoType, L"dxAFQ");
  const std::wstring degree = ReadSetting(ctx.driver, AnisoDegree);
  const bool forced = degree != L"0";
  if (forced) {
    CheckNamedInGroup(pm1.Item(L"dxAFApp"), L"dxAF", degree, L"x");
    ctx.quality.d3dAF = CounterLevel(degree);
  } else {
    pm1.Item(L"dxAFApp").SetChecked(true);
  }
  // The filter type only matters for a forced degree.
  for (const wchar_t* type : {L"dxAFQ1x", L"dxAFQ2x", L"dxAFQ0x"}) pm1.Item(type).Enabled = forced;
}

void RefreshVerticalSync(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  const bool ace = ctx.driver.AceMode();
  // The control centre offers four choices under another value.
  if (ace)
    CheckByText(pm1, ctx, L"dxnVS0", VSyncControl, L"dxnVS", L"");
  else
    CheckByText(pm1, ctx, L"dxVS0x", VSync, L"dxVS");
  pm1.Item(L"D3DVaitV").Visible = !ace;
  pm1.Item(L"WaitforVerticalSync1").Visible = ace;
}

void RefreshAceModeItems(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  const std::wstring depth = ReadSetting(ctx.driver, ForceZBufferDepth);
  if (depth == L"0")
    pm1.Item(L"nglZBDis").SetChecked(true);
  else
    CheckNamedInGroup(pm1.Item(L"nglZBDis"), L"nglZB", depth);
  CheckWhenOn(pm1, ctx, L"nglTripple", EnableTripleBuffering);
}

}  // namespace

void CheckWhenOn(ui::TPopupMenu& pm1, Quick3DContext& ctx, const wchar_t* item, const TextSetting& setting) {
  pm1.Item(item).Checked = ReadSetting(ctx.driver, setting) == L"1";
}

void RefreshDirect3DItems(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  ctx.driver.OpenDriverKey();
  RefreshAntiAlias(pm1, ctx);
  RefreshAnisotropy(pm1, ctx);
  CheckByText(pm1, ctx, L"dxTP3x", TextureOpt, L"dxTP");
  CheckByText(pm1, ctx, L"dxLOD3x", TextureLod, L"dxLOD");
  RefreshVerticalSync(pm1, ctx);
  CheckByText(pm1, ctx, L"dxTRUE0x", TruformMode, L"dxTRUE");
  CheckWhenOn(pm1, ctx, L"dxALTpix", PixelCenter);
  CheckWhenOn(pm1, ctx, L"dxDXT", ExportCompressedTex);
  CheckWhenOn(pm1, ctx, L"d3dBump", ExportBumpMappedTex);
  CheckWhenOn(pm1, ctx, L"miAFOpt", AnisotropyOptimise);
  CheckWhenOn(pm1, ctx, L"miTROpt", TrilinearOptimise);
  CheckWhenOn(pm1, ctx, L"mGI", GI);
  if (ctx.driver.AceMode()) RefreshAceModeItems(pm1, ctx);
}

}  // namespace corvane::driver3d
