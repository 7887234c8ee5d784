#pragma once
// The Displays dialog's component table: three display groups on the first tab (lamps,
// layout buttons, limits), the TV's controls, theater mode, profiles and the buttons; and
// the tags its buttons carry.

#include <cstddef>
#include <string>
#include <vector>

#include "display/displays/display_layout.h"
#include "ui/form.h"

namespace corvane::display::displays_form {

// A layout button's tag: the display and the button.
constexpr int LayoutTag(LayoutDisplay display, LayoutButton button) {
  return static_cast<int>(display) * 3 + static_cast<int>(button);
}
constexpr LayoutDisplay DisplayOfTag(int tag) { return static_cast<LayoutDisplay>(tag / 3); }
constexpr LayoutButton ButtonOfTag(int tag) { return static_cast<LayoutButton>(tag % 3); }
// A TV step button's tag: the slot it moves and the direction.
constexpr int StepTag(size_t slot, bool up) { return static_cast<int>(slot) * 2 + (up ? 1 : 0); }

// Component tables of the three display groups on the first tab: the same controls with
// a suffix each.
struct DisplayGroup {
  LayoutDisplay display;
  const wchar_t* suffix;
  const wchar_t* caption;
  bool monitor;
};
inline constexpr DisplayGroup kGroups[] = {
    {LayoutDisplay::FirstMonitor, L"1", L"显示器", true},
    {LayoutDisplay::SecondMonitor, L"2", L"DVI 显示器", true},
    {LayoutDisplay::Tv, L"Tv", L"TV", false},
};

std::wstring Named(const wchar_t* prefix, const DisplayGroup& group);

const std::vector<ui::ComponentDecl>& Components();

}  // namespace corvane::display::displays_form
