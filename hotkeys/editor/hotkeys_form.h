#pragma once
// TfrmHotKeys (uHotKeys): the hotkey table in a list the user adds to, edits and deletes
// from. It works on its own copy and writes the whole table back only on OK; the caller
// then reloads the table it runs keys from.

#include <vector>

#include "hotkeys/editor/editor_context.h"
#include "hotkeys/stored_hotkey.h"
#include "ui/form.h"

namespace corvane::hotkeys {

class TfrmHotKeys : public ui::TForm {
 public:
  explicit TfrmHotKeys(const HotkeyEditorContext& context);

  // The rows as the list holds them.
  const std::vector<HotkeyEntry>& Rows() const { return rows_; }

 private:
  void FormCreate();
  void lv1Change(ui::TComponent&);
  void lv1DblClick(ui::TComponent&);
  void bt1Click(ui::TComponent&);
  void bt2Click(ui::TComponent&);
  void bt3Click(ui::TComponent&);
  void btnOkClick(ui::TComponent&);

  void ShowRows(int selected);
  std::vector<uint16_t> ListCodes() const;

  HotkeyEditorContext context_;
  std::vector<HotkeyEntry> rows_;
};

}  // namespace corvane::hotkeys
