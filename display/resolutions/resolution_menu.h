#pragma once
// The tray's resolution menu `pm2`: "8 bpp", "16 bpp" and "32 bpp", each with one radio
// item per mode of the catalogue, and the switch an item makes: a refresh rate asked for
// or chosen, the change, and a timed confirmation that puts the old mode back unless the
// user keeps the new one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/display_environment.h"
#include "display/resolutions/res_class.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace corvane::display {

// The settings that decide how a switch goes.
struct ResolutionOptions {
  bool refreshLockEnabled = false;  // "ROVEnabled": the lock forces the rates
  bool dontAskRate = false;         // "res_dont_ask_rate"
  bool selectRefreshMax = false;    // "res_select_refresh_max"
  bool dontWait = false;            // "res_dont_wait": no confirmation
};

// Whether the rate dialog is shown at all.
bool AsksForRate(const ResolutionOptions& options);
// The rate a switch uses from the entry's rates (not empty): the last with the lock on or
// when the highest is wanted without asking, the dialog's choice when asking, else the first.
uint16_t ChooseRefreshRate(const std::vector<uint16_t>& rates, const ResolutionOptions& options,
                           uint16_t dialogChoice);

struct ResolutionMenuContext {
  // The primary display; its current mode is kept up to date here.
  DisplayEnvironment& env;
  TResClass& catalogue;
  ui::FormContext forms;
  // The main form's busy flag: a click while it is set does nothing, and it is set while
  // the switch shows its dialogs.
  bool& busy;
  std::function<ResolutionOptions()> options;
};

class ResolutionMenu {
 public:
  // Takes over pm2's popup event; `pm2` must outlive this object.
  ResolutionMenu(ui::TPopupMenu& pm2, ResolutionMenuContext context);
  ResolutionMenu(const ResolutionMenu&) = delete;
  ResolutionMenu& operator=(const ResolutionMenu&) = delete;

  // Rebuilds the catalogue and the three depth sub-menus.
  void BuildResolutionMenu();
  // Before the menu shows: rebuilt, and the current depth and mode checked.
  void pm2Popup();
  // The click of every generated item.
  void ResolutionItemClick(ui::TMenuItem& item);

 private:
  void SwitchTo(const ModeSize& size);

  ui::TPopupMenu& pm2_;
  ResolutionMenuContext ctx_;
};

// The depth sub-menu's name, "N32bpp1", and a mode item's, "m1024x768x32".
std::wstring DepthItemName(int bitsPerPixel);
std::wstring ModeItemName(int width, int height, int bitsPerPixel);

// The game launcher's switch: the catalogue's highest (last) rate of the mode in the text,
// no questions. False, and nothing changed, when the text is not a mode of the catalogue.
bool SwitchToResolutionAtMaxRate(DisplayEnvironment& env, const TResClass& catalogue, const std::wstring& modeText);

}  // namespace corvane::display
