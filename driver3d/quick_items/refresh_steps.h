#pragma once
// The steps of the menu refresh that rebuild the quick items from the registry, in the
// order Quick3DItems::Refresh runs them. Each opens the key it reads.

#include <cstdint>
#include <optional>

#include "driver3d/quick_items/quick_3d_items.h"
#include "driver3d/settings_table.h"

namespace corvane::driver3d {

// The OpenGL submenu, outside AceMode only; its forced refresh rate lives in the driver key.
void RefreshOpenGLItems(ui::TPopupMenu& pm1, Quick3DContext& ctx, uint32_t desktopRate);
// The Direct3D submenu but its refresh rate, with the AceMode-only groups.
void RefreshDirect3DItems(ui::TPopupMenu& pm1, Quick3DContext& ctx);
// The tweaks: switches, Z compression, shader overrides, VPU recovery, bus switches,
// Catalyst A.I. and temporal anti-aliasing.
void RefreshTweakItems(ui::TPopupMenu& pm1, Quick3DContext& ctx);
// The Direct3D refresh rate, from the DirectDraw key.
void RefreshDirect3DRefreshRate(ui::TPopupMenu& pm1, Quick3DContext& ctx, uint32_t desktopRate);

// A check item on a driver-key switch: checked when the stored text is "1".
void CheckWhenOn(ui::TPopupMenu& pm1, Quick3DContext& ctx, const wchar_t* item, const TextSetting& setting);
// A forced refresh rate group: `stored` absent checks 禁用, the desktop's rate 同桌面,
// any other rate 自定义 with the rate in its caption.
void ShowForcedRefreshRate(ui::TMenuItem& disabled, ui::TMenuItem& desktop, ui::TMenuItem& custom,
                           std::optional<uint32_t> stored, uint32_t desktopRate);
// The forced rate the open key holds: a REG_DWORD of four bytes, else nothing.
std::optional<uint32_t> StoredRefreshRate(const DriverRegistry& registry, const DwordSetting& setting);

}  // namespace corvane::driver3d
