#pragma once
// The names of the 28 hotkey actions as the editor shows them, and the tree the user picks
// an action from: categories (no action) over their actions.

#include <array>
#include <string_view>
#include <vector>

#include "ui/form.h"

namespace corvane::hotkeys {

extern const std::array<std::wstring_view, 28> kHotkeyActionNames;

// The action's name; "" for a number outside 0..27.
std::wstring_view HotkeyActionName(int action);

// A category node's data: no action.
inline constexpr int kNoAction = -1;

// Category nodes at level 0 (data kNoAction), their actions at level 1 (data: the action
// number), with the images of the menu image strip.
std::vector<ui::TreeNode> HotkeyActionTree();

}  // namespace corvane::hotkeys
