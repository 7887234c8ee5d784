// The "OpenGL" submenu: dwords in the OpenGL key, which the driver reads when an OpenGL
// program starts, so no reload follows. In AceMode the submenu is hidden and both
// interfaces share the driver key's text settings; a handler run there writes those.
#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/setting_values.h"

namespace corvane::driver3d {
namespace {

using namespace opengl_key;
namespace shared = driver_key;

void glAA2xClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  if (ctx.driver.AceMode()) {
    ctx.driver.OpenDriverKey();
    WriteSetting(ctx.driver, shared::AntiAlias, sender.Tag == 0 ? L"1" : L"2");
    WriteSetting(ctx.driver, shared::AntiAliasSamples, TagText(sender));
    ctx.quality.d3dAA = CounterLevel(sender.Tag);
  } else {
    ctx.driver.OpenOpenGLKey();
    WriteSetting(ctx.driver, OGLFullSceneAAScale, sender.Tag);
    ctx.quality.oglAA = CounterLevel(sender.Tag);
  }
  UpdateTip(ctx);
}

// 性能 (fast) and 质量 (quality) filtering.
void WriteAnisoType(Quick3DContext& ctx, bool fast) {
  if (ctx.driver.AceMode()) {
    ctx.driver.OpenDriverKey();
    // Always a plain string here, whatever the storage mode.
    WriteSettingText(ctx.driver, shared::AnisoType.name, fast ? L"1" : L"2", false);
    return;
  }
  ctx.driver.OpenOpenGLKey();
  WriteSetting(ctx.driver, OGLAnisoType, fast ? 1 : 2);
  WriteSetting(ctx.driver, OGLEnableFastFullSceneAA, fast ? 1 : 0);
}

void glAFPerfClick(Quick3DContext& ctx, ui::TMenuItem&) { WriteAnisoType(ctx, true); }
void glAFQualityClick(Quick3DContext& ctx, ui::TMenuItem&) { WriteAnisoType(ctx, false); }

void glAF2xClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  if (ctx.driver.AceMode()) {
    ctx.driver.OpenDriverKey();
    WriteSetting(ctx.driver, shared::AnisoDegree, TagText(sender));
    ctx.quality.d3dAF = CounterLevel(sender.Tag);
  } else {
    ctx.driver.OpenOpenGLKey();
    WriteSetting(ctx.driver, OGLMaxAnisotropy, sender.Tag);
    ctx.quality.oglAF = CounterLevel(sender.Tag);
    // A forced degree keeps the filter type that goes with the fast-AA choice.
    int32_t type = 0;
    if (sender.Tag != 0) type = ReadSetting(ctx.driver, OGLEnableFastFullSceneAA) != 0 ? 1 : 2;
    WriteSetting(ctx.driver, OGLAnisoType, type);
  }
  UpdateTip(ctx);
}

// A radio group that writes the clicked tag as a dword of the OpenGL key (in AceMode the
// driver key, which stands in for it).
template <const DwordSetting& setting>
void WriteTag(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ctx.driver.OpenOpenGLKey();
  WriteSetting(ctx.driver, setting, sender.Tag);
}

// The same for a choice both interfaces share in AceMode, where it is the driver key's
// text setting.
template <const DwordSetting& setting, const TextSetting& shared>
void WriteTagOrShared(Quick3DContext& ctx, ui::TMenuItem& sender) {
  if (!ctx.driver.AceMode()) return WriteTag<setting>(ctx, sender);
  ctx.driver.OpenDriverKey();
  WriteSetting(ctx.driver, shared, TagText(sender));
}

void glTrippleClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  if (ctx.driver.AceMode()) {
    ctx.driver.OpenDriverKey();
    WriteSetting(ctx.driver, shared::EnableTripleBuffering, sender.Checked ? L"0" : L"1");
    return;
  }
  ctx.driver.OpenOpenGLKey();
  WriteSetting(ctx.driver, OGLEnableTripleBuffering, sender.Checked ? 0 : 1);
}

void glROVdisClick(Quick3DContext& ctx, ui::TMenuItem& sender) {
  WriteForcedRefreshRate(ctx, sender, &DriverRegistry::OpenDriverKey, shared::OGLForceRate);
}

}  // namespace

void WireOpenGLItems(ui::TPopupMenu& pm1, Quick3DContext& ctx) {
  OnClick(pm1, ctx, {L"ApplicationControlled1", L"glAA2x", L"glAA4x", L"glAA6x"}, glAA2xClick);
  OnClick(pm1, ctx, {L"glAFPerf"}, glAFPerfClick);
  OnClick(pm1, ctx, {L"glAFQuality"}, glAFQualityClick);
  OnClick(pm1, ctx, {L"glAFApp", L"glAF2x", L"glAF4x", L"glAF8x", L"glAF16x"}, glAF2xClick);
  OnClick(pm1, ctx, {L"glTP3x", L"glTP2x", L"glTP1x", L"glTP0x"}, WriteTagOrShared<OGLTextureOpt, shared::TextureOpt>);
  OnClick(pm1, ctx, {L"glLOD3x", L"glLOD2x", L"glLOD1x", L"glLOD0x"}, WriteTagOrShared<OGLLODBias, shared::TextureLod>);
  OnClick(pm1, ctx, {L"glVS0x", L"glVS1x", L"glVS2x", L"glVS3x"},
          WriteTagOrShared<OGLWaitVerticalSync, shared::VSyncControl>);
  OnClick(pm1, ctx, {L"glTRUE0x", L"glTRUE1x"}, WriteTagOrShared<OGLTruformMode, shared::TruformMode>);
  OnClick(pm1, ctx, {L"glZBDis", L"glZB16b", L"glZB24b"}, WriteTag<OGLForceZBufferDepth>);
  OnClick(pm1, ctx, {L"glTripple"}, glTrippleClick);
  OnClick(pm1, ctx, {L"glROVdis", L"glROVDesk", L"glROVCust"}, glROVdisClick);
}

}  // namespace corvane::driver3d
