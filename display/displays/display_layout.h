#pragma once
// Which displays each controller drives, as the Displays dialog edits it: the pair
// (P, S) of display masks for controller 0 (the primary desktop) and controller 1 (the
// clone), the lamps that show it, and what each layout button makes of it.

#include <cstdint>

namespace corvane::display {

struct DisplayLayout {
  uint32_t P = 0;  // controller 0
  uint32_t S = 0;  // controller 1
  bool operator==(const DisplayLayout&) const = default;
};

// The TV's bit and the "TV and first monitor on controller 0" mask. Drivers before
// interface revision 5 number the TV 4 (and the pair 5).
struct LayoutMasks {
  uint32_t tv = 8;
  uint32_t tvWithMonitor = 9;
  bool older = false;
};
inline constexpr LayoutMasks kNormalLayout{8, 9, false};
inline constexpr LayoutMasks kOlderLayout{4, 5, true};

// The three displays of the dialog, each with its power, "主要" and "镜像" lamp.
enum class LayoutDisplay { FirstMonitor, SecondMonitor, Tv };

struct DisplayLamps {
  bool power = false;
  bool primary = false;
  bool clone = false;
};

uint32_t DisplayBitOf(LayoutDisplay display, const LayoutMasks& masks);

// Power: driven by either controller. "主要": on controller 0, or on controller 1 while
// controller 0 drives nothing. "镜像": on controller 1 beside a primary display.
DisplayLamps LampsOf(LayoutDisplay display, DisplayLayout layout, const LayoutMasks& masks);

enum class LayoutButton { Power, Primary, Clone };

// The layout after the user pressed a display's button; the layout itself when the
// button does nothing in that state.
DisplayLayout PressLayoutButton(LayoutDisplay display, LayoutButton button, DisplayLayout layout,
                                const LayoutMasks& masks);

}  // namespace corvane::display
