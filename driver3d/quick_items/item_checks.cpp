#include "driver3d/quick_items/item_checks.h"

#include <string>

#include "platform/text_encoding.h"

namespace corvane::driver3d {
namespace {

bool SameGroup(const ui::TMenuItem& a, const ui::TMenuItem& b) {
  return a.RadioItem && b.RadioItem && a.GroupIndex == b.GroupIndex;
}

// Calls `visit` for every item of `member`'s group, `member` included.
template <class Visit>
void ForEachInGroup(ui::TMenuItem& member, Visit visit) {
  ui::TMenuItem* parent = member.Parent();
  if (!parent || !member.RadioItem) {
    visit(member);
    return;
  }
  for (size_t i = 0; i < parent->Count(); ++i) {
    ui::TMenuItem& sibling = (*parent)[i];
    if (&sibling == &member || SameGroup(sibling, member)) visit(sibling);
  }
}

}  // namespace

void ClearRadioGroup(ui::TMenuItem& member) {
  ForEachInGroup(member, [](ui::TMenuItem& item) { item.Checked = false; });
}

bool CheckNamedInGroup(ui::TMenuItem& member, std::wstring_view prefix, std::wstring_view value,
                       std::wstring_view suffix) {
  std::wstring name(prefix);
  name.append(value).append(suffix);
  ui::TMenuItem* found = nullptr;
  ForEachInGroup(member, [&](ui::TMenuItem& item) {
    item.Checked = false;
    if (!found && platform::EqualsNoCase(item.Name, name)) found = &item;
  });
  if (found) found->Checked = true;
  return found != nullptr;
}

}  // namespace corvane::driver3d
