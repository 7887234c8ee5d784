#pragma once
// The driver's display records as the display features read and change them: both
// controllers, the adjustments of the two monitors and the TV, and theater mode; and the
// configuration request that puts a layout in force with a mode for each controller.

#include <array>
#include <cstdint>
#include <optional>

#include "display/display_environment.h"
#include "display/displays/display_layout.h"
#include "display/escape_records.h"

namespace corvane::display {

// Display indexes of the two monitors.
inline constexpr uint32_t kFirstMonitorIndex = 0;
inline constexpr uint32_t kSecondMonitorIndex = 1;

struct DisplayRecords {
  std::array<ControllerConfig, 2> controllers{};
  AdjustmentValues tv{};
  std::array<AdjustmentValues, 2> monitors{};  // display indexes 0 and 1
  TheaterMode theater{};
  bool operator==(const DisplayRecords&) const = default;

  DisplayLayout Layout() const { return {controllers[0].Displays, controllers[1].Displays}; }
  void SetLayout(DisplayLayout layout) {
    controllers[0].Displays = layout.P;
    controllers[1].Displays = layout.S;
  }
};

// Reads every record; one the driver does not give stays as prepared (its Size, zeros).
DisplayRecords ReadDisplayRecords(DisplayEnvironment& env, uint32_t tvDisplayIndex);

struct ConfigRequest {
  ControllerConfig first;
  ControllerConfig second;
};

// The request for `layout`, built from zero: controller 0 starts from `readFirst`'s mode
// and keeps it for a display it already drives (as the widest mode to look for); every
// other display gets the driver's first mode no wider than its preferred one. The TV with
// the first monitor on controller 0 puts both controllers in the preferred mode.
ConfigRequest BuildConfigRequest(DisplayEnvironment& env, DisplayLayout layout, const ControllerConfig& readFirst,
                                 const LayoutMasks& masks);

// Sends the layout; when the driver takes it, Windows records controller 0's mode as the
// primary display's and rebuilds its mode list. False when the driver refused.
bool ApplyDisplayLayout(DisplayEnvironment& env, DisplayLayout layout, const ControllerConfig& readFirst,
                        const LayoutMasks& masks);

}  // namespace corvane::display
