#pragma once
// TfrmEditKey (uEditKey): one hotkey, its key combination and its action with the
// action's argument (a profile, or a program and its parameters). It refuses a key the
// calling list already holds.

#include <cstdint>
#include <string>
#include <vector>

#include "hotkeys/editor/editor_context.h"
#include "hotkeys/stored_hotkey.h"
#include "ui/form.h"

namespace corvane::hotkeys {

struct EditKeyRequest {
  bool editing = false;
  HotkeyEntry start{};             // editing: the row as it is
  std::vector<uint16_t> listCodes;  // the key codes of every row of the calling list
};

class TfrmEditKey : public ui::TForm {
 public:
  TfrmEditKey(const HotkeyEditorContext& context, const EditKeyRequest& request);

  // After OK: the key and the action with its argument.
  const HotkeyEntry& Result() const { return result_; }

 private:
  void tv1Change(ui::TComponent&);
  void SpeedButton1Click(ui::TComponent&);
  void bt1Click(ui::TComponent&);

  void PrepareForEditing();
  int SelectedAction() const;
  void ShowPage(const wchar_t* page);
  void FillProfiles(int action);
  std::vector<std::wstring> SubKeysButBackups(const std::wstring& kind) const;
  std::vector<std::wstring> OverProfileEntries(int* matching) const;
  bool IsDuplicate(uint16_t code) const;

  HotkeyEditorContext context_;
  EditKeyRequest request_;
  HotkeyEntry result_{};
};

}  // namespace corvane::hotkeys
