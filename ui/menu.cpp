#include "ui/menu.h"

#include <stdexcept>

#include "platform/text_encoding.h"

namespace corvane::ui {

TMenuItem::TMenuItem(const MenuDecl& decl)
    : Name(decl.name),
      Caption(decl.caption),
      ImageIndex(decl.imageIndex),
      Tag(decl.tag),
      GroupIndex(decl.groupIndex),
      RadioItem(decl.radioItem) {
  for (const MenuDecl& child : decl.items) Add(child);
}

TMenuItem& TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
  item->parent_ = this;
  items_.push_back(std::move(item));
  return *items_.back();
}

TMenuItem& TMenuItem::Add(const MenuDecl& decl) { return Add(std::make_unique<TMenuItem>(decl)); }

void TMenuItem::DeleteFrom(size_t index) {
  if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index), items_.end());
}

TMenuItem* TMenuItem::Find(std::wstring_view name) {
  for (auto& item : items_) {
    if (item->Name == name) return item.get();
    if (TMenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

void TMenuItem::SetChecked(bool checked) {
  Checked = checked;
  if (!checked || !RadioItem || !parent_) return;
  for (const std::unique_ptr<TMenuItem>& sibling : parent_->items_)
    if (sibling.get() != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex) sibling->Checked = false;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(*this);
}

TPopupMenu::TPopupMenu(std::wstring name, const std::vector<MenuDecl>& items) : Name(std::move(name)) {
  for (const MenuDecl& decl : items) Items.Add(decl);
}

TMenuItem& TPopupMenu::Item(std::wstring_view name) {
  TMenuItem* item = Find(name);
  if (!item) throw std::out_of_range("no menu item " + platform::ToUtf8(name) + " in " + platform::ToUtf8(Name));
  return *item;
}

std::wstring StripAmpersands(std::wstring_view caption) {
  std::wstring out;
  for (wchar_t c : caption)
    if (c != L'&') out.push_back(c);
  return out;
}

}  // namespace corvane::ui
