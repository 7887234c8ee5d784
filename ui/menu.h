#pragma once
// Popup menus as declared trees of named items. The program changes the model (checks,
// captions, visibility, dynamic items); ui/win32/ turns it into a real menu each time
// it pops up and hands the chosen item back to its click handler.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/picture.h"

namespace corvane::ui {

class TMenuItem;
using TMenuClick = std::function<void(TMenuItem& sender)>;

// One declared item: name, caption ("-" is a separator), image index (-1 none), tag,
// radio group (0: a plain or check item), and its children.
struct MenuDecl {
  std::wstring name{};
  std::wstring caption{};
  int imageIndex = -1;
  int tag = 0;
  int groupIndex = 0;
  bool radioItem = false;
  std::vector<MenuDecl> items{};
};

class TMenuItem {
 public:
  TMenuItem() = default;
  explicit TMenuItem(const MenuDecl& decl);
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  std::wstring Name;
  std::wstring Caption;
  int ImageIndex = -1;
  int Tag = 0;
  int GroupIndex = 0;
  bool RadioItem = false;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  bool BarBreak = false;      // starts a new menu column
  bool AutoHotkeys = true;    // false: no automatic '&' accelerators (dynamic items)
  TMenuClick OnClick;

  // Checking a radio item unchecks the radio items of its group among its siblings, as
  // a radio choice shows one mark; check items and unchecking touch only this item.
  void SetChecked(bool checked);

  bool IsSeparator() const { return Caption == L"-"; }
  TMenuItem* Parent() const { return parent_; }

  size_t Count() const { return items_.size(); }
  TMenuItem& operator[](size_t index) const { return *items_.at(index); }
  TMenuItem& Add(std::unique_ptr<TMenuItem> item);
  TMenuItem& Add(const MenuDecl& decl);
  // Deletes the children from `index` on; the declared ones before it stay.
  void DeleteFrom(size_t index);
  // Depth-first search of this item's subtree by name (exact, as names are identifiers).
  TMenuItem* Find(std::wstring_view name);

  // What the renderer calls for the chosen item: runs OnClick. Check marks are the
  // handler's business; the next popup rebuilds them from the registry anyway.
  void Click();

 private:
  TMenuItem* parent_ = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> items_;
};

// A popup menu: `Items` is the invisible root whose children are the top level.
class TPopupMenu {
 public:
  TPopupMenu(std::wstring name, const std::vector<MenuDecl>& items);

  std::wstring Name;
  TMenuItem Items;
  // A strip of 16x16 cells, magenta (0xFF00FF) transparent; ImageIndex picks a cell.
  Picture Images;
  std::function<void()> OnPopup;  // before the menu shows: rebuild its state here

  // The item of that name anywhere in the tree; throws std::out_of_range when absent,
  // as a misspelt name is a programming error.
  TMenuItem& Item(std::wstring_view name);
  TMenuItem* Find(std::wstring_view name) { return Items.Find(name); }
};

// Removes every '&' (the caption of a dynamic item back as its name).
std::wstring StripAmpersands(std::wstring_view caption);

}  // namespace corvane::ui
