#pragma once
// The tray's one-click 3D settings: the items of the "Direct3D" (or "3D"), "OpenGL" and
// "优化" submenus of pm1. A click writes the driver's registry at once; each time the menu
// opens, Refresh reads it back into checks, captions and enabled states, but only when the
// driver's keys changed (by anyone) or the desktop's refresh rate did since the last time.

#include <cstdint>
#include <functional>

#include "driver3d/driver_registry.h"
#include "driver3d/quality_counters.h"
#include "platform/key_watch.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace corvane::driver3d {

// What the items need from the main form.
struct Quick3DContext {
  // The main form's driver registry, its storage mode settled at start-up.
  DriverRegistry& driver;
  // The tooltip's levels, kept in step by every anti-aliasing and anisotropy write.
  QualityCounters& quality;
  // Where the custom refresh-rate and threshold dialogs are shown.
  ui::FormContext forms;
  std::function<void()> UpdateTrayTip;
  // Makes the driver re-read its settings.
  std::function<void()> ReloadDriverSettings;
  // Re-reads the desktop's current mode; its refresh rate in Hz (0: not known).
  std::function<uint32_t()> DesktopRefreshRate;
};

class Quick3DItems {
 public:
  // Sets the click handlers of the items in `pm1`, which must outlive this object.
  Quick3DItems(ui::TPopupMenu& pm1, Quick3DContext context);
  Quick3DItems(const Quick3DItems&) = delete;
  Quick3DItems& operator=(const Quick3DItems&) = delete;

  // The menu refresh's 3D steps, on the registry as it is now. Sets the counters; with
  // nothing changed they are what the last read found.
  void Refresh();

  // The driver's temporal anti-aliasing, which the artifact tester needs off: whether it
  // is on, and switching it off as the "禁用" item does.
  bool TemporalAAOn();
  void SwitchTemporalAAOff();

 private:
  ui::TPopupMenu& pm1_;
  // The click handlers hold on to it, so the object neither copies nor moves.
  Quick3DContext ctx_;
  // The driver key (its OpenGL key below it included) and the DirectDraw key.
  platform::KeyWatch driverWatch_;
  platform::KeyWatch directDrawWatch_;
  // What the last read showed against.
  bool shown_ = false;
  uint32_t shownDesktopRate_ = 0;
  QualityCounters shownQuality_;
};

}  // namespace corvane::driver3d
