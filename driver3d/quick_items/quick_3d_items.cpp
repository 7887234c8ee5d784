#include "driver3d/quick_items/quick_3d_items.h"

#include "driver3d/quick_items/quick_actions.h"
#include "driver3d/quick_items/refresh_steps.h"

namespace corvane::driver3d {

Quick3DItems::Quick3DItems(ui::TPopupMenu& pm1, Quick3DContext context)
    : pm1_(pm1),
      ctx_(std::move(context)),
      driverWatch_(ctx_.driver.WatchDriverKey()),
      directDrawWatch_(ctx_.driver.WatchDirectDrawKey()) {
  WireDirect3DItems(pm1_, ctx_);
  WireOpenGLItems(pm1_, ctx_);
  WireTweakItems(pm1_, ctx_);
}

void Quick3DItems::Refresh() {
  // The desktop's mode may have changed since the last popup.
  const uint32_t desktopRate = ctx_.DesktopRefreshRate ? ctx_.DesktopRefreshRate() : 0;
  // Both watches are looked at, so that neither reports an old change next time.
  const bool changed = driverWatch_.Changed() | directDrawWatch_.Changed();
  if (shown_ && !changed && desktopRate == shownDesktopRate_) {
    ctx_.quality = shownQuality_;
    return;
  }
  ctx_.quality.Clear();
  // In AceMode the OpenGL submenu is hidden and its settings are the Direct3D ones.
  if (!ctx_.driver.AceMode()) RefreshOpenGLItems(pm1_, ctx_, desktopRate);
  RefreshDirect3DItems(pm1_, ctx_);
  RefreshTweakItems(pm1_, ctx_);
  RefreshDirect3DRefreshRate(pm1_, ctx_, desktopRate);
  shown_ = true;
  shownDesktopRate_ = desktopRate;
  shownQuality_ = ctx_.quality;
}

bool Quick3DItems::TemporalAAOn() { return driver3d::TemporalAAOn(ctx_); }

void Quick3DItems::SwitchTemporalAAOff() { driver3d::SwitchTemporalAAOff(ctx_); }

}  // namespace corvane::driver3d
