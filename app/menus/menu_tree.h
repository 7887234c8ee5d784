#pragma once
// The static trees of the tray menus, as the main form's resources declare them: every
// item's name, caption, image index and tag. Behaviour is wired onto the built model.

#include <vector>

#include "ui/menu.h"

namespace corvane::menus {

std::vector<ui::MenuDecl> DeclarePm1();
std::vector<ui::MenuDecl> DeclarePm2();

// Items the resources declare invisible: the AceMode-only Direct3D items and the
// HYDRAVISION menu, shown only once the tools are found.
extern const std::vector<const wchar_t*> kInitiallyHiddenItems;

}  // namespace corvane::menus
