#include <string>

#include "driver3d/quick_items/item_checks.h"
#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/quick_items/refresh_steps.h"

namespace corvane::driver3d {
namespace {

using namespace opengl_key;

// Checks member's group by the item named prefix + value + suffix.
void CheckByValue(ui::TPopupMenu& pm1, Quick3DContext& ctx, const wchar_t* member, const DwordSetting& setting,
                  const wchar_t* prefix, const wchar_t* suffix = L"x") {
  CheckNamedInGroup(pm1.Item(member), prefix, std::to_wstring(ReadSetting(ctx.driver, setting)), suffix);
}

// A forced level: 0 checks the application-controlled item, another the item of that
// level; returns the level for the tooltip.
int32_t CheckLevel(ui::TPopupMenu& pm1, Quick3DContext& ctx, const DwordSetting& setting, const wchar_t* zeroItem,
                   const wchar_t* prefix, const wchar_t* suffix) {
  const int32_t level = ReadSetting(ctx.driver, setting);
  ui::TMenuItem& zero = pm1.Item(zeroItem);
  if (level == 0)
    zero.SetChecked(true);
  else
    CheckNamedInGroup(zero, prefix, std::to_wstring(level), suffix);
  return level;
}

void RefreshAnisoType(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  const int32_t type = ReadSetting(ctx.driver, OGLAnisoType);
  const int32_t fast = ReadSetting(ctx.driver, OGLEnableFastFullSceneAA);
  ui::TMenuItem& perf = pm1.Item(L"glAFPerf");
  ui::TMenuItem& quality = pm1.Item(L"glAFQuality");
  ClearRadioGroup(perf);
  if (type == 2 && fast == 0) quality.SetChecked(true);
  if (type == 1 && fast == 1) perf.SetChecked(true);
  // Type 0 goes with an application-controlled degree: there is no filter to choose.
  perf.Enabled = type != 0;
  quality.Enabled = type != 0;
}

}  // namespace

void RefreshOpenGLItems(ui::TPopupMenu& pm1, Quick3DContext& ctx, uint32_t desktopRate) {
  ctx.driver.OpenOpenGLKey();
  ctx.quality.oglAA = CounterLevel(CheckLevel(pm1, ctx, OGLFullSceneAAScale, L"ApplicationControlled1", L"glaa", L"x"));
  ctx.quality.oglAF = CounterLevel(CheckLevel(pm1, ctx, OGLMaxAnisotropy, L"glAFApp", L"glAF", L"x"));
  RefreshAnisoType(pm1, ctx);
  CheckLevel(pm1, ctx, OGLForceZBufferDepth, L"glZBDis", L"glZB", L"b");
  CheckByValue(pm1, ctx, L"glTP3x", OGLTextureOpt, L"glTP");
  CheckByValue(pm1, ctx, L"glLOD3x", OGLLODBias, L"glLOD");
  CheckByValue(pm1, ctx, L"glVS0x", OGLWaitVerticalSync, L"glVS");
  CheckByValue(pm1, ctx, L"glTRUE0x", OGLTruformMode, L"glTRUE");
  pm1.Item(L"glTripple").Checked = ReadSetting(ctx.driver, OGLEnableTripleBuffering) == 1;

  ctx.driver.OpenDriverKey();
  ShowForcedRefreshRate(pm1.Item(L"glROVdis"), pm1.Item(L"glROVDesk"), pm1.Item(L"glROVCust"),
                        StoredRefreshRate(ctx.driver, driver_key::OGLForceRate), desktopRate);
}

}  // namespace corvane::driver3d
