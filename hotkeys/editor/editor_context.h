#pragma once
// What the hotkey dialogs work with: the registry holding the table and the profiles the
// actions name, the settings store ("EnableHotKeys"), the user, the menu image strip and
// the card's clocks now (which pick the overclocking profile already in force).

#include <string>

#include "platform/registry.h"
#include "platform/user_interaction.h"
#include "settings/reg_values.h"
#include "ui/form.h"
#include "ui/picture.h"

namespace corvane::hotkeys {

struct HotkeyEditorContext {
  ui::FormContext form;
  platform::Registry& registry;
  platform::UserInteraction& user;
  settings::TRegValues& reg1;
  std::wstring profilesRoot;  // below HKEY_CURRENT_USER, ending in '\'
  ui::Picture images{};
  double coreClock = 0;  // MHz
  double memClock = 0;   // MHz
};

}  // namespace corvane::hotkeys
