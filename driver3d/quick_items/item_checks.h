#pragma once
// Check marks of the quick items. A radio group is the radio items of one submenu that
// share a group index; the refresh finds the item to check by composing its name from the
// value it read, so a value with no item leaves the whole group unchecked.

#include <string_view>

#include "ui/menu.h"

namespace corvane::driver3d {

// Unchecks every item of `member`'s radio group, `member` included.
void ClearRadioGroup(ui::TMenuItem& member);

// Checks, alone in `member`'s radio group, the item named `prefix` + `value` + `suffix`
// (names compared without case, as the driver's values are spelt freely); with no such
// item in the group, the group is left unchecked. Returns whether one was checked.
bool CheckNamedInGroup(ui::TMenuItem& member, std::wstring_view prefix, std::wstring_view value,
                       std::wstring_view suffix = L"");

}  // namespace corvane::driver3d
