#include "display/displays/display_layout.h"

namespace corvane::display {
namespace {

constexpr uint32_t kFirst = 1;
constexpr uint32_t kSecond = 2;

bool Has(uint32_t mask, uint32_t bit) { return (mask & bit) != 0; }

bool PowerLit(LayoutDisplay display, DisplayLayout layout, const LayoutMasks& masks) {
  return LampsOf(display, layout, masks).power;
}

DisplayLayout PressFirstMonitor(LayoutButton button, DisplayLayout layout, const LayoutMasks& masks) {
  const uint32_t T = masks.tv;
  const DisplayLamps own = LampsOf(LayoutDisplay::FirstMonitor, layout, masks);
  const bool otherLit = PowerLit(LayoutDisplay::SecondMonitor, layout, masks) || PowerLit(LayoutDisplay::Tv, layout, masks);
  switch (button) {
    case LayoutButton::Power:
      if (!own.power) return {kFirst, layout.P};
      // Switching the first monitor off leaves the desktop on what else is lit.
      if (!otherLit) return layout;
      if (Has(layout.P | layout.S, kSecond)) layout = {kSecond, 0};
      if (Has(layout.P | layout.S, T)) layout = {T, 0};
      return layout;
    case LayoutButton::Primary:
      if (own.primary || !otherLit) return layout;
      if (PowerLit(LayoutDisplay::Tv, layout, masks) && layout == DisplayLayout{T, kFirst})
        layout = {masks.tvWithMonitor, 0};
      if (PowerLit(LayoutDisplay::SecondMonitor, layout, masks)) layout = {kFirst, kSecond};
      return layout;
    case LayoutButton::Clone:
      if (own.clone || !otherLit) return layout;
      if (PowerLit(LayoutDisplay::Tv, layout, masks)) layout = {T, kFirst};
      if (PowerLit(LayoutDisplay::SecondMonitor, layout, masks)) layout = {kSecond, kFirst};
      return layout;
  }
  return layout;
}

DisplayLayout PressSecondMonitor(LayoutButton button, DisplayLayout layout, const LayoutMasks& masks) {
  const DisplayLamps own = LampsOf(LayoutDisplay::SecondMonitor, layout, masks);
  const bool firstLit = PowerLit(LayoutDisplay::FirstMonitor, layout, masks);
  const bool otherLit = firstLit || PowerLit(LayoutDisplay::Tv, layout, masks);
  switch (button) {
    case LayoutButton::Power:
      if (!own.power) return {kFirst, kSecond};
      return firstLit ? DisplayLayout{kFirst, 0} : layout;
    case LayoutButton::Primary:
      if (own.primary || !otherLit || !firstLit) return layout;
      return {kSecond, kFirst};
    case LayoutButton::Clone:
      if (own.clone || !otherLit || !firstLit) return layout;
      return {kFirst, kSecond};
  }
  return layout;
}

DisplayLayout PressTv(LayoutButton button, DisplayLayout layout, const LayoutMasks& masks) {
  const uint32_t T = masks.tv;
  const DisplayLamps own = LampsOf(LayoutDisplay::Tv, layout, masks);
  const bool monitorLit =
      PowerLit(LayoutDisplay::FirstMonitor, layout, masks) || PowerLit(LayoutDisplay::SecondMonitor, layout, masks);
  switch (button) {
    case LayoutButton::Power:
      if (masks.older) return layout;
      return own.power ? DisplayLayout{kFirst, 0} : DisplayLayout{kFirst, T};
    case LayoutButton::Primary:
      if (!monitorLit || own.primary) return layout;
      return layout == DisplayLayout{kFirst, T} ? DisplayLayout{masks.tvWithMonitor, 0} : layout;
    case LayoutButton::Clone:
      if (!monitorLit || own.clone) return layout;
      return {kFirst, T};
  }
  return layout;
}

}  // namespace

uint32_t DisplayBitOf(LayoutDisplay display, const LayoutMasks& masks) {
  switch (display) {
    case LayoutDisplay::FirstMonitor:
      return kFirst;
    case LayoutDisplay::SecondMonitor:
      return kSecond;
    case LayoutDisplay::Tv:
      return masks.tv;
  }
  return 0;
}

DisplayLamps LampsOf(LayoutDisplay display, DisplayLayout layout, const LayoutMasks& masks) {
  const uint32_t bit = DisplayBitOf(display, masks);
  DisplayLamps lamps;
  lamps.power = Has(layout.P | layout.S, bit);
  lamps.primary = Has(layout.P, bit) || (Has(layout.S, bit) && layout.P == 0);
  lamps.clone = Has(layout.S, bit) && layout.P != 0;
  return lamps;
}

DisplayLayout PressLayoutButton(LayoutDisplay display, LayoutButton button, DisplayLayout layout,
                                const LayoutMasks& masks) {
  // Before revision 5 only the TV's two buttons change the layout.
  if (masks.older && display != LayoutDisplay::Tv) return layout;
  switch (display) {
    case LayoutDisplay::FirstMonitor:
      return PressFirstMonitor(button, layout, masks);
    case LayoutDisplay::SecondMonitor:
      return PressSecondMonitor(button, layout, masks);
    case LayoutDisplay::Tv:
      return PressTv(button, layout, masks);
  }
  return layout;
}

}  // namespace corvane::display
