#pragma once
// What the quick items' click handlers share: binding a handler to its items, the guard
// of the radio groups that only rewrite a changed choice, the toggles of the check items,
// and the numbers behind tags and stored texts.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "driver3d/quick_items/quick_3d_items.h"
#include "driver3d/settings_table.h"
#include "settings/decimal_text.h"

namespace corvane::driver3d {

using QuickClick = void (*)(Quick3DContext& ctx, ui::TMenuItem& sender);

// Sets `click` as the handler of every named item of pm1.
void OnClick(ui::TPopupMenu& pm1, Quick3DContext& ctx, std::initializer_list<const wchar_t*> items, QuickClick click);
// The same, for a group whose choice is written only when it changes: a click on the
// item already checked does nothing, so the driver is not made to reload for nothing.
void OnChangedChoice(ui::TPopupMenu& pm1, Quick3DContext& ctx, std::initializer_list<const wchar_t*> items,
                     QuickClick click);

// The wiring of each submenu.
void WireDirect3DItems(ui::TPopupMenu& pm1, Quick3DContext& ctx);
void WireOpenGLItems(ui::TPopupMenu& pm1, Quick3DContext& ctx);
void WireTweakItems(ui::TPopupMenu& pm1, Quick3DContext& ctx);

// A check item's click on a driver-key text setting: "0" when the item shows it on, "1"
// when it shows it off, in the storage of the mode; then the driver reloads.
void ToggleSettingText(Quick3DContext& ctx, const ui::TMenuItem& item, const TextSetting& setting);
template <const TextSetting& setting>
void Toggle(Quick3DContext& ctx, ui::TMenuItem& sender) {
  ToggleSettingText(ctx, sender, setting);
}

// The forced full-screen refresh rate items (禁用 / 同桌面 / 自定义, tags 0 / 1 / 2) on
// the value `setting` of the key `open` opens: deleted, the desktop's rate, or the rate
// the user picks. Nothing is written when the pick is cancelled or the desktop's rate is
// not known.
void WriteForcedRefreshRate(Quick3DContext& ctx, const ui::TMenuItem& sender, bool (DriverRegistry::*open)(),
                            const DwordSetting& setting);

void Reload(Quick3DContext& ctx);

// The driver's temporal anti-aliasing: whether it is on; off as "禁用" sets it.
bool TemporalAAOn(Quick3DContext& ctx);
void SwitchTemporalAAOff(Quick3DContext& ctx);
void UpdateTip(Quick3DContext& ctx);

// The item's tag as the decimal text the driver's settings hold.
std::wstring TagText(const ui::TMenuItem& item);
// Plain decimal digits; nothing for anything else or for more than nine digits.
using settings::ParseDecimal;
// What a tooltip counter shows for a stored level: its low 16 bits, 0 when not a number.
uint16_t CounterLevel(std::wstring_view text);
uint16_t CounterLevel(int32_t value);

}  // namespace corvane::driver3d
