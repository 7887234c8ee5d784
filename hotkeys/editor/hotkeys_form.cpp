#include "hotkeys/editor/hotkeys_form.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "hotkeys/editor/action_tree.h"
#include "hotkeys/editor/edit_key_form.h"
#include "hotkeys/editor/shortcut_text.h"
#include "platform/registry_values.h"

namespace corvane::hotkeys {

namespace {

using ui::ComponentKind;

const ui::ComponentDecl kComponents[] = {
    {.kind = ComponentKind::Form, .name = L"frmHotKeys", .caption = L"热键", .width = 470, .height = 318},
    {ComponentKind::CheckBox, L"cb1", L"开启热键(&H)", L"", 8, 8, 200, 17},
    {.kind = ComponentKind::ListView, .name = L"lv1", .left = 8, .top = 32, .width = 454, .height = 244,
     .columns = {{L"热键", 100}, {L"操作", 150}, {L"值", 195}}},
    {.kind = ComponentKind::Button, .name = L"bt1", .caption = L"添加(&A)", .left = 8, .top = 285, .width = 75,
     .height = 25, .altKey = L'A'},
    {.kind = ComponentKind::Button, .name = L"bt2", .caption = L"编辑(&E)", .left = 89, .top = 285, .width = 75,
     .height = 25, .enabled = false, .altKey = L'E'},
    {.kind = ComponentKind::Button, .name = L"bt3", .caption = L"删除(&D)", .left = 170, .top = 285, .width = 75,
     .height = 25, .enabled = false, .altKey = L'D'},
    {.kind = ComponentKind::Button, .name = L"btnOk", .caption = L"确定(&O)", .left = 306, .top = 285, .width = 75,
     .height = 25, .isDefault = true, .altKey = L'O'},
    {.kind = ComponentKind::Button, .name = L"btnCancel", .caption = L"取消", .left = 387, .top = 285, .width = 75,
     .height = 25, .modalResult = ui::TModalResult::Cancel, .isCancel = true},
};

// A list row's cells: the key, the action's name, the argument, the action number. The
// list only shows them; a tab in an argument would start a new cell, so it shows as a blank.
std::wstring RowText(const HotkeyEntry& entry) {
  std::wstring argument = entry.argument;
  std::replace(argument.begin(), argument.end(), L'\t', L' ');
  return ui::JoinCells({ShortCutToText(entry.keyCode), std::wstring(HotkeyActionName(entry.action)), argument,
                        std::to_wstring(entry.action)});
}

}  // namespace

TfrmHotKeys::TfrmHotKeys(const HotkeyEditorContext& context) : TForm(context.form, kComponents), context_(context) {
  (*this)[L"lv1"].OnClick = [this](ui::TComponent& sender) { lv1Change(sender); };
  (*this)[L"lv1"].OnDblClick = [this](ui::TComponent& sender) { lv1DblClick(sender); };
  HandleClick(L"bt1", &TfrmHotKeys::bt1Click);
  HandleClick(L"bt2", &TfrmHotKeys::bt2Click);
  HandleClick(L"bt3", &TfrmHotKeys::bt3Click);
  HandleClick(L"btnOk", &TfrmHotKeys::btnOkClick);
  FormCreate();
}

void TfrmHotKeys::FormCreate() {
  (*this)[L"cb1"].SetChecked(context_.reg1.GetBool(L"EnableHotKeys"));
  auto key = context_.registry.OpenKey(platform::RegistryRoot::CurrentUser, context_.profilesRoot + L"keys", true);
  if (key) {
    for (const std::wstring& name : key->ValueNames()) {
      const std::optional<std::wstring> data = platform::ReadRegString(*key, name);
      if (!data) continue;
      // What does not parse is no hotkey the table could run; it is not shown, and OK drops it.
      if (std::optional<HotkeyEntry> entry = ParseStoredHotkey(name, *data)) rows_.push_back(std::move(*entry));
    }
  }
  ShowRows(-1);
}

void TfrmHotKeys::ShowRows(int selected) {
  std::vector<std::wstring> items;
  for (const HotkeyEntry& row : rows_) items.push_back(RowText(row));
  ui::TComponent& list = (*this)[L"lv1"];
  list.SetItems(std::move(items));
  list.SetItemIndex(selected);
  lv1Change(list);
}

std::vector<uint16_t> TfrmHotKeys::ListCodes() const {
  std::vector<uint16_t> codes;
  for (const std::wstring& item : (*this)[L"lv1"].Items()) codes.push_back(TextToShortCut(ui::SplitCells(item)[0]));
  return codes;
}

void TfrmHotKeys::lv1Change(ui::TComponent&) {
  const bool selected = (*this)[L"lv1"].ItemIndex() >= 0;
  (*this)[L"bt2"].SetEnabled(selected);
  (*this)[L"bt3"].SetEnabled(selected);
}

void TfrmHotKeys::lv1DblClick(ui::TComponent&) {
  lv1Change((*this)[L"lv1"]);
  if ((*this)[L"bt2"].Enabled()) bt2Click((*this)[L"bt2"]);
}

void TfrmHotKeys::bt1Click(ui::TComponent&) {
  EditKeyRequest request;
  request.listCodes = ListCodes();
  TfrmEditKey editor(context_, request);
  if (editor.ShowModal() != ui::TModalResult::Ok) return;
  rows_.push_back(editor.Result());
  ShowRows(static_cast<int>(rows_.size()) - 1);
}

void TfrmHotKeys::bt2Click(ui::TComponent&) {
  const int index = (*this)[L"lv1"].ItemIndex();
  if (index < 0) return;
  EditKeyRequest request;
  request.editing = true;
  request.start = rows_[static_cast<size_t>(index)];
  request.listCodes = ListCodes();
  TfrmEditKey editor(context_, request);
  if (editor.ShowModal() != ui::TModalResult::Ok) return;
  rows_[static_cast<size_t>(index)] = editor.Result();
  ShowRows(index);
}

void TfrmHotKeys::bt3Click(ui::TComponent&) {
  const int index = (*this)[L"lv1"].ItemIndex();
  if (index < 0) return;
  if (context_.user.ShowMessage({L"确认", L"删除该热键?", platform::MessageIcon::Question,
                                 platform::MessageButtons::YesNo}) != platform::MessageAnswer::Yes)
    return;
  rows_.erase(rows_.begin() + index);
  ShowRows(-1);
}

void TfrmHotKeys::btnOkClick(ui::TComponent&) {
  context_.reg1.SetValue(L"EnableHotKeys", (*this)[L"cb1"].Checked());
  context_.reg1.SaveAll();
  const std::wstring path = context_.profilesRoot + L"keys";
  context_.registry.DeleteKey(platform::RegistryRoot::CurrentUser, path);
  if (auto key = context_.registry.OpenKey(platform::RegistryRoot::CurrentUser, path, true)) {
    for (const HotkeyEntry& row : rows_)
      platform::WriteRegString(*key, L"s_" + std::to_wstring(row.keyCode),
                               std::to_wstring(row.action) + L":" + row.argument);
  }
  SetModalResult(ui::TModalResult::Ok);
}

}  // namespace corvane::hotkeys
