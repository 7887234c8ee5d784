#pragma once
// TfrmSelDP: the small choice dialog the program asks for a number or a name with. The
// caller sets the caption and the prompt, fills the list, and chooses what shows: the
// drop-down list (pick one, or in its editable form also type), and/or the name box.
//
//   TfrmSelDP dialog(forms);
//   dialog.SetPrompt(L"设置自定义刷新率", L"选择刷新率");
//   dialog.SetChoices({L"60", L"75", L"85"}, L"75");
//   if (dialog.ShowModal() == TModalResult::Ok) Use(dialog.Chosen());

#include <string>
#include <vector>

#include "ui/form.h"

namespace corvane::ui {

class TfrmSelDP final : public TForm {
 public:
  // Components: lbSelect (the prompt), edName (hidden), cbSelect, btOk "确定(&O)"
  // (default, OK) and btCancel "取消" (Cancel, also Esc).
  explicit TfrmSelDP(const FormContext& context);

  void SetPrompt(const std::wstring& caption, const std::wstring& label);
  // Fills cbSelect and selects the first entry equal to `selected` (none when no entry is).
  void SetChoices(std::vector<std::wstring> items, const std::wstring& selected = L"");
  // The name box edName: shown with its text, or hidden.
  void ShowNameBox(bool show, const std::wstring& text = L"");
  // cbSelect: hidden, or shown; editable, it takes typed text as well as a pick.
  void ShowList(bool show, bool editable = false);
  // While on, OK (any result but Cancel) keeps the dialog open when the visible name box
  // or the visible list's text is empty after trimming.
  bool ValidateInput = false;

  // After OK: the trimmed text of the name box when it shows, else the list's text.
  std::wstring Chosen() const;

 protected:
  bool FormCloseQuery() override;

 private:
  void btOkClick(TComponent& sender);
};

}  // namespace corvane::ui
