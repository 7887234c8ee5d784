#pragma once
// The program's one notification-area icon: adding and removing it, its tooltip with the
// clocks and the anti-aliasing levels, and which menu a click on it opens.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/menus/menu_context.h"
#include "settings/reg_values.h"
#include "platform/notify_icon.h"

namespace corvane {

// The icon's id and the message its clicks arrive with at the main form's window.
inline constexpr uint32_t kTrayIconId = 6655;
inline constexpr uint32_t kTrayCallbackMessage = 1599;

// Mouse messages the tray callback carries in its second parameter.
namespace TrayMouse {
inline constexpr uint32_t LeftButtonDown = 0x201;
inline constexpr uint32_t RightButtonDown = 0x204;
}  // namespace TrayMouse

// What the tooltip shows.
struct TrayTipInputs {
  double coreClockMhz = 0;
  double memClockMhz = 0;
  bool showDdr = false;  // the memory clock doubled, as DDR memory is sold
  bool aceMode = false;  // the driver's newer storage: one "3D" pair instead of D3D and OpenGL
  bool simulated = false;
  menus::QualityCounters quality;
};

// A clock as the tooltip shows it: to the nearest integer, ties to even. A clock the
// arithmetic made infinite reads as the x87 "integer indefinite", as it always has.
int32_t RoundClock(double mhz);

// The whole tooltip before the notify-icon call cuts it to its 63 ANSI bytes.
std::wstring TrayTipText(const TrayTipInputs& inputs);

enum class TrayMenuChoice { None, MainMenu, ResolutionMenu };

// Which menu a tray mouse message opens: a right click the main menu and a left click the
// resolution menu, or the other way round with "swap_buttons"; nothing on release or
// double click.
TrayMenuChoice MenuForTrayClick(uint32_t mouseMessage, bool swapButtons);

class TrayIcon {
 public:
  // `programFolder` ends in '\'; the branded icon file is relative to it.
  TrayIcon(platform::NotifyIcon& notifyIcon, settings::TRegValues& reg1, std::wstring programFolder);
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The main form's window; set before the icon is added.
  void SetWindow(platform::WindowHandle window) { window_ = window; }

  // With "OemVersion" 1 a loadable "OemIcon" file becomes the application icon first.
  void AddTrayIcon();
  void RemoveTrayIcon();
  void UpdateTrayTip(const TrayTipInputs& inputs);
  // After a tray menu closes: the keyboard focus goes back to the notification area.
  void TrayMenuDone();

 private:
  platform::NotifyIcon& notifyIcon_;
  settings::TRegValues& reg1_;
  std::wstring programFolder_;
  platform::WindowHandle window_ = 0;
  // The application icon (or the branded one) and the copy the shell shows.
  std::unique_ptr<platform::IconImage> applicationIcon_;
  std::unique_ptr<platform::IconImage> shownIcon_;
};

}  // namespace corvane
