#pragma once
// The one way a tray command shows a modal dialog: one dialog at a time, some only with
// the card's driver, the tray focus given back and the main window hidden afterwards.

#include <optional>

#include "app/menus/menu_context.h"

namespace corvane::menus {

struct DialogRules {
  bool needsDriverObject = false;  // nothing without TRVX
  bool needsOpenDriver = false;    // ... nor while its kernel driver is not open
  bool hideMainWindow = false;     // the dialog activates the main form; hide it again
  bool trayMenuDone = true;
};

// The dialog's result, or nothing when the rules kept it from showing. A missing hook
// counts as a dialog closed with Cancel.
std::optional<bool> RunMenuDialog(MenuContext& ctx, const ShowDialogHook& show, const DialogRules& rules);

}  // namespace corvane::menus
