#include "ui/select_dialog.h"

#include <cwctype>

namespace corvane::ui {

namespace {

using K = ComponentKind;

constexpr int kRowTop = 28;
constexpr int kRowStep = 27;  // a second input row, when both show
constexpr int kButtonTop = 76;
constexpr int kClientHeight = 110;

const ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmSelDP", .width = 250, .height = kClientHeight},
    {.kind = K::Label, .name = L"lbSelect", .left = 8, .top = 8, .width = 234, .height = 16},
    {.kind = K::Edit, .name = L"edName", .left = 8, .top = kRowTop, .width = 234, .height = 21, .visible = false},
    {.kind = K::ComboBox, .name = L"cbSelect", .left = 8, .top = kRowTop, .width = 234, .height = 21},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 86, .top = kButtonTop, .width = 75,
     .height = 25, .modalResult = TModalResult::Ok, .isDefault = true},
    {.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 167, .top = kButtonTop, .width = 75,
     .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true},
};

bool Blank(wchar_t c) { return c <= L' ' || std::iswspace(static_cast<wint_t>(c)); }

std::wstring Trimmed(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && Blank(text[first])) ++first;
  while (last > first && Blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

void MoveTo(TComponent& component, int top) {
  component.SetBounds(component.Left(), top, component.Width(), component.Height());
}

// The name box sits under the prompt; the list under it when both show. The buttons and
// the form's bottom follow.
void Arrange(TForm& form) {
  TComponent& name = form[L"edName"];
  TComponent& list = form[L"cbSelect"];
  const int extra = name.Visible() && list.Visible() ? kRowStep : 0;
  MoveTo(name, kRowTop);
  MoveTo(list, kRowTop + extra);
  MoveTo(form[L"btOk"], kButtonTop + extra);
  MoveTo(form[L"btCancel"], kButtonTop + extra);
  form.SetClientSize(form.ClientWidth(), kClientHeight + extra);
}

}  // namespace

TfrmSelDP::TfrmSelDP(const FormContext& context) : TForm(context, kComponents) {
  HandleClick(L"btOk", &TfrmSelDP::btOkClick);
}

void TfrmSelDP::SetPrompt(const std::wstring& caption, const std::wstring& label) {
  SetCaption(caption);
  (*this)[L"lbSelect"].SetCaption(label);
}

void TfrmSelDP::SetChoices(std::vector<std::wstring> items, const std::wstring& selected) {
  TComponent& list = (*this)[L"cbSelect"];
  list.SetItems(std::move(items));
  // Selects the entry; an editable list also starts with this text.
  list.SetText(selected);
}

void TfrmSelDP::ShowNameBox(bool show, const std::wstring& text) {
  TComponent& name = (*this)[L"edName"];
  name.SetText(text);
  name.SetVisible(show);
  Arrange(*this);
}

void TfrmSelDP::ShowList(bool show, bool editable) {
  TComponent& list = (*this)[L"cbSelect"];
  list.SetEditable(editable);
  list.SetVisible(show);
  Arrange(*this);
}

std::wstring TfrmSelDP::Chosen() const {
  const TComponent& name = (*this)[L"edName"];
  return name.Visible() ? Trimmed(name.Text()) : (*this)[L"cbSelect"].Text();
}

bool TfrmSelDP::FormCloseQuery() {
  // The close box asks before it sets Cancel: no result yet is a Cancel too.
  const TModalResult result = ModalResult();
  if (!ValidateInput || result == TModalResult::Cancel || result == TModalResult::None) return true;
  const TComponent& name = (*this)[L"edName"];
  const TComponent& list = (*this)[L"cbSelect"];
  if (name.Visible() && Trimmed(name.Text()).empty()) return false;
  if (list.Visible() && Trimmed(list.Text()).empty()) return false;
  return true;
}

// OK ends the dialog only when the close check lets it.
void TfrmSelDP::btOkClick(TComponent&) {
  if (!FormCloseQuery()) SetModalResult(TModalResult::None);
}

}  // namespace corvane::ui
