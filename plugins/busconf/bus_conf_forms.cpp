#include "plugins/busconf/bus_conf_forms.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

namespace corvane::busconf {
namespace {

using ui::ComponentDecl;
using K = ui::ComponentKind;
using ui::TModalResult;

std::vector<std::wstring> Numbers(int count) {
  std::vector<std::wstring> items;
  for (int i = 0; i < count; ++i) items.push_back(std::to_wstring(i));
  return items;
}

std::wstring Format(const wchar_t* format, unsigned value) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), format, value);
  return text;
}

std::vector<ComponentDecl> EntryComponents() {
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, L"frmBusConfEntry", L"PCI 设置", L"", 0, 0, 260, 226});
  const wchar_t* captions[] = {L"Bus", L"设备", L"功能", L"寄存器", L"数据类型", L"数据"};
  const wchar_t* labels[] = {L"lbBus", L"lbDevice", L"lbFunction", L"lbRegister", L"lbWidth", L"lbValue"};
  for (int i = 0; i < 6; ++i) c.push_back({K::Label, labels[i], captions[i], L"", 12, 14 + 30 * i, 80, 13});
  c.push_back({.kind = K::ComboBox, .name = L"cbBus", .left = 100, .top = 10, .width = 148, .height = 21,
               .items = Numbers(8), .itemIndex = 0});
  c.push_back({.kind = K::ComboBox, .name = L"cbDevice", .left = 100, .top = 40, .width = 148, .height = 21,
               .items = Numbers(32), .itemIndex = 0});
  c.push_back({.kind = K::ComboBox, .name = L"cbFunction", .left = 100, .top = 70, .width = 148, .height = 21,
               .items = Numbers(8), .itemIndex = 0});
  c.push_back({.kind = K::Edit, .name = L"edRegister", .left = 100, .top = 100, .width = 148, .height = 21,
               .maxLength = 2});
  c.push_back({.kind = K::ComboBox, .name = L"cbWidth", .left = 100, .top = 130, .width = 148, .height = 21,
               .items = {L"字节", L"单字", L"双字"}});
  c.push_back({.kind = K::Edit, .name = L"edValue", .left = 100, .top = 160, .width = 148, .height = 21,
               .maxLength = 8});
  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定", .left = 84, .top = 192, .width = 80,
               .height = 26, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 170, .top = 192, .width = 80,
               .height = 26, .modalResult = TModalResult::Cancel, .isCancel = true});
  return c;
}

std::vector<ComponentDecl> ListComponents() {
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, L"frmBusConf", L"PCI 设置插件", L"", 0, 0, 470, 300});
  c.push_back({.kind = K::ListView, .name = L"lvSettings", .left = 8, .top = 8, .width = 454, .height = 246,
               .columns = {{L"Bus", 50}, {L"设备", 50}, {L"功能", 50}, {L"寄存器", 60}, {L"数据类型", 80},
                           {L"数据", 90}}});
  c.push_back({K::Button, L"btAdd", L"(&A)", L"", 8, 264, 60, 26});
  c.push_back({K::Button, L"btEdit", L"(&E)", L"", 74, 264, 60, 26});
  c.push_back({K::Button, L"btDelete", L"(&D)", L"", 140, 264, 60, 26});
  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定", .left = 296, .top = 264, .width = 80,
               .height = 26, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 382, .top = 264, .width = 80,
               .height = 26, .modalResult = TModalResult::Cancel, .isCancel = true});
  return c;
}

std::vector<std::wstring> RowCells(const BusSetting& s) {
  return {Format(L"%02d", s.bus), Format(L"%02d", s.device), Format(L"%02d", s.function), Format(L"%02X", s.reg),
          WidthName(s.width), ValueText(s)};
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::optional<uint32_t> ParseHex(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (wchar_t c : text) {
    uint32_t digit = 0;
    if (c >= L'0' && c <= L'9')
      digit = static_cast<uint32_t>(c - L'0');
    else if (c >= L'a' && c <= L'f')
      digit = static_cast<uint32_t>(c - L'a' + 10);
    else if (c >= L'A' && c <= L'F')
      digit = static_cast<uint32_t>(c - L'A' + 10);
    else
      return std::nullopt;
    value = value << 4 | digit;
  }
  return value;
}

std::span<const ui::ComponentDecl> TfrmBusConfEntry::ComponentTable() {
  static const std::vector<ComponentDecl> table = EntryComponents();
  return table;
}

TfrmBusConfEntry::TfrmBusConfEntry(const ui::FormContext& context, platform::UserInteraction& user,
                                   const BusSetting& initial)
    : TForm(context, ComponentTable()), user_(user), result_(initial) {
  (*this)[L"cbBus"].SetItemIndex(initial.bus);
  (*this)[L"cbDevice"].SetItemIndex(initial.device);
  (*this)[L"cbFunction"].SetItemIndex(initial.function);
  (*this)[L"edRegister"].SetText(Format(L"%02X", initial.reg));
  (*this)[L"cbWidth"].SetItemIndex(static_cast<int>(initial.width));
  (*this)[L"edValue"].SetText(Format(L"%08X", initial.value));
  HandleClick(L"btOk", &TfrmBusConfEntry::btOkClick);
}

void TfrmBusConfEntry::btOkClick(ui::TComponent&) {
  const std::optional<uint32_t> reg = ParseHex((*this)[L"edRegister"].Text());
  const std::optional<uint32_t> value = ParseHex((*this)[L"edValue"].Text());
  if (!reg || !value || *reg == 0 || *value == 0) {
    SetModalResult(TModalResult::None);
    platform::MessageBoxRequest request;
    request.caption = L"错误";
    request.text = L"无效的16进制值!";
    request.icon = platform::MessageIcon::Error;
    user_.ShowMessage(request);
    return;
  }
  const int width = (*this)[L"cbWidth"].ItemIndex();
  result_.bus = static_cast<uint8_t>(std::max(0, (*this)[L"cbBus"].ItemIndex()));
  result_.device = static_cast<uint8_t>(std::max(0, (*this)[L"cbDevice"].ItemIndex()));
  result_.function = static_cast<uint8_t>(std::max(0, (*this)[L"cbFunction"].ItemIndex()));
  result_.reg = static_cast<uint8_t>(*reg & 0xFF);
  result_.width = width < 0 ? Width::Byte : static_cast<Width>(width);
  result_.value = *value & WidthMask(result_.width);
}

std::span<const ui::ComponentDecl> TfrmBusConf::ComponentTable() {
  static const std::vector<ComponentDecl> table = ListComponents();
  return table;
}

TfrmBusConf::TfrmBusConf(const ui::FormContext& context, platform::Registry& registry, platform::UserInteraction& user)
    : TForm(context, ComponentTable()),
      context_(context),
      registry_(registry),
      user_(user),
      settings_(ReadSettings(registry)) {
  HandleClick(L"btAdd", &TfrmBusConf::btAddClick);
  HandleClick(L"btEdit", &TfrmBusConf::btEditClick);
  HandleClick(L"btDelete", &TfrmBusConf::btDeleteClick);
  HandleClick(L"btOk", &TfrmBusConf::btOkClick);
  (*this)[L"lvSettings"].OnDblClick = [this](ui::TComponent& sender) { lvSettingsDblClick(sender); };
  ShowRows(-1);
}

void TfrmBusConf::ShowRows(int selected) {
  std::vector<std::wstring> rows;
  for (const BusSetting& setting : settings_) rows.push_back(ui::JoinCells(RowCells(setting)));
  ui::TComponent& list = (*this)[L"lvSettings"];
  list.SetItems(std::move(rows));
  list.SetItemIndex(selected);
}

std::optional<BusSetting> TfrmBusConf::AskEntry(const BusSetting& initial) {
  TfrmBusConfEntry entry(context_, user_, initial);
  if (entry.ShowModal() != TModalResult::Ok) return std::nullopt;
  return entry.Result();
}

void TfrmBusConf::btAddClick(ui::TComponent&) {
  std::optional<BusSetting> added = AskEntry(BusSetting{});
  if (!added) return;
  for (size_t i = 0; i < settings_.size(); ++i)
    if (settings_[i].SameRegister(*added)) {
      settings_[i] = *added;
      return ShowRows(static_cast<int>(i));
    }
  settings_.push_back(*added);
  ShowRows(static_cast<int>(settings_.size() - 1));
}

void TfrmBusConf::btEditClick(ui::TComponent&) {
  const int index = (*this)[L"lvSettings"].ItemIndex();
  if (index < 0) return;
  std::optional<BusSetting> changed = AskEntry(settings_[static_cast<size_t>(index)]);
  if (!changed) return;
  settings_[static_cast<size_t>(index)] = *changed;
  ShowRows(index);
}

void TfrmBusConf::lvSettingsDblClick(ui::TComponent& sender) { btEditClick(sender); }

void TfrmBusConf::btDeleteClick(ui::TComponent&) {
  const int index = (*this)[L"lvSettings"].ItemIndex();
  if (index < 0) return;
  platform::MessageBoxRequest request;
  request.caption = L"警告!";
  request.text = L"删除选择的项目?";
  request.icon = platform::MessageIcon::Warning;
  request.buttons = platform::MessageButtons::OkCancel;
  if (user_.ShowMessage(request) != platform::MessageAnswer::Ok) return;
  settings_.erase(settings_.begin() + index);
  ShowRows(-1);
}

void TfrmBusConf::btOkClick(ui::TComponent&) { WriteSettings(registry_, settings_); }

}  // namespace corvane::busconf
