#pragma once
// The tray's display commands that talk to the driver: the four rotation items, "重置显示
// 驱动" and "扩展桌面", and their checks when the menu opens.

#include <functional>

#include "display/display_environment.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace corvane::display {

struct DisplayCommandContext {
  // The main form's view of the primary display.
  DisplayEnvironment& env;
  // Where the confirmation after a rotation is shown.
  ui::FormContext forms;
  // Makes the driver re-read its settings.
  std::function<void()> ReloadDriverSettings;
};

class DisplayCommands {
 public:
  // Sets the click handlers of rt0..rt3, ResetDisplayDriver1 and miExtDesk in `pm1`,
  // which must outlive this object.
  DisplayCommands(ui::TPopupMenu& pm1, DisplayCommandContext context);
  DisplayCommands(const DisplayCommands&) = delete;
  DisplayCommands& operator=(const DisplayCommands&) = delete;

  // The rotation in force and whether the desktop spans more than one display.
  void Refresh();
  // Checks the rotation item of the driver's current rotation; none when it is unknown.
  void UpdateRotationMenu();
  // Rotates the desktop (a rotation code), asking the user to keep it.
  void SetDesktopRotation(int32_t code);

 private:
  ui::TPopupMenu& pm1_;
  DisplayCommandContext ctx_;
};

}  // namespace corvane::display
