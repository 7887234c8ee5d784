#include "display/resolutions/ref_lock_form.h"

#include <algorithm>
#include <utility>

#include "settings/decimal_text.h"

namespace corvane::display {
namespace {

using K = ui::ComponentKind;
using ui::TModalResult;

const ui::ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmRefLock", .caption = L"定制锁定刷新率", .width = 420, .height = 300},
    {.kind = K::CheckBox, .name = L"cbEnabled", .caption = L"开启锁定刷新率", .left = 8, .top = 8, .width = 200,
     .height = 20},
    {.kind = K::Label, .name = L"stRes", .caption = L"分辨率", .left = 8, .top = 38, .width = 120, .height = 16},
    {.kind = K::ComboBox, .name = L"cbRes", .left = 8, .top = 56, .width = 140, .height = 21},
    {.kind = K::Label, .name = L"stFreq", .caption = L"刷新率", .left = 156, .top = 38, .width = 80, .height = 16},
    {.kind = K::ComboBox, .name = L"cbFreq", .left = 156, .top = 56, .width = 70, .height = 21, .editable = true},
    {.kind = K::ListView, .name = L"lvRes", .left = 8, .top = 88, .width = 218, .height = 170,
     .columns = {{L"分辨率", 130}, {L"刷新率", 80}}},
    {.kind = K::Button, .name = L"btAdd", .caption = L"添加/替换 分辨率 (Alt+A)", .left = 236, .top = 54,
     .width = 176, .height = 25, .altKey = L'A'},
    {.kind = K::Button, .name = L"btRemove", .caption = L"移除所选分辨率 (Alt+D)", .left = 236, .top = 88,
     .width = 176, .height = 25, .altKey = L'D'},
    {.kind = K::Button, .name = L"btAddAll", .caption = L"为所有分辨率添加支持的最大刷新率", .left = 236, .top = 122,
     .width = 176, .height = 40},
    {.kind = K::Button, .name = L"btRemoveAll", .caption = L"移除所有分辨率", .left = 236, .top = 170, .width = 176,
     .height = 25},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 256, .top = 268, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true},
    {.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 337, .top = 268, .width = 75, .height = 25,
     .modalResult = TModalResult::Cancel, .isCancel = true},
};


}  // namespace

std::span<const ui::ComponentDecl> TfrmRefLock::ComponentTable() { return kComponents; }

TfrmRefLock::TfrmRefLock(const RefLockDialogContext& context)
    : TForm(context.forms, kComponents),
      ctx_(context),
      table_(RefreshLockTable::Load(context.registry, context.profilesRoot)) {
  HandleChange(L"cbRes", &TfrmRefLock::cbResChange);
  HandleClick(L"btAdd", &TfrmRefLock::btAddClick);
  HandleClick(L"btRemove", &TfrmRefLock::btRemoveClick);
  HandleClick(L"btAddAll", &TfrmRefLock::btAddAllClick);
  HandleClick(L"btRemoveAll", &TfrmRefLock::btRemoveAllClick);
  HandleClick(L"lvRes", &TfrmRefLock::lvResClick);
  (*this)[L"lvRes"].OnDblClick = [this](ui::TComponent& sender) { lvResDblClick(sender); };

  for (auto [button, glyph] : {std::pair{L"btAdd", L"ADDNEW"}, std::pair{L"btRemove", L"REMOVE"},
                                std::pair{L"btAddAll", L"ADDALL"}, std::pair{L"btRemoveAll", L"ALLDEL"}})
    (*this)[button].SetPicture(ui::Picture::BitmapResource(ctx_.supportLibrary, glyph));
  (*this)[L"cbEnabled"].SetChecked(ctx_.lockEnabled);
  std::vector<std::wstring> resolutions;
  for (const ResolutionEntry& entry : ctx_.catalogue.Entries())
    resolutions.push_back(ModeText(entry.width, entry.height, entry.bitsPerPixel));
  ui::TComponent& list = (*this)[L"cbRes"];
  list.SetItems(std::move(resolutions));
  list.SetItemIndex(list.Items().empty() ? -1 : 0);
  cbResChange(list);
  ShowRows(-1);
}

void TfrmRefLock::FormClose() {
  if (ModalResult() != TModalResult::Ok) return;
  if (ctx_.saveEnabled) ctx_.saveEnabled((*this)[L"cbEnabled"].Checked());
  table_.Save(ctx_.registry, ctx_.profilesRoot);
}

void TfrmRefLock::cbResChange(ui::TComponent& sender) {
  const int index = sender.ItemIndex();
  std::vector<std::wstring> rates;
  if (index >= 0)
    for (uint16_t rate : ctx_.catalogue.Item(index).rates) rates.push_back(std::to_wstring(rate));
  ui::TComponent& freq = (*this)[L"cbFreq"];
  const bool any = !rates.empty();
  const std::wstring last = any ? rates.back() : std::wstring();
  freq.SetItems(std::move(rates));
  freq.SetItemIndex(any ? static_cast<int>(freq.Items().size()) - 1 : -1);
  freq.SetText(last);
  (*this)[L"btAdd"].SetEnabled(any);
}

bool TfrmRefLock::Ask(const std::wstring& caption, const std::wstring& text, platform::MessageIcon icon,
                      platform::MessageButtons buttons) {
  platform::MessageBoxRequest request;
  request.caption = caption;
  request.text = text;
  request.icon = icon;
  request.buttons = buttons;
  const platform::MessageAnswer answer = ctx_.user.ShowMessage(request);
  return answer == platform::MessageAnswer::Yes || answer == platform::MessageAnswer::Ok;
}

void TfrmRefLock::btAddClick(ui::TComponent&) {
  const std::wstring resolution = (*this)[L"cbRes"].Text();
  if (resolution.empty()) return;
  ui::TComponent& freq = (*this)[L"cbFreq"];
  std::optional<uint32_t> rate = settings::ParseDecimal(settings::TrimBlanks(freq.Text()));
  if (!rate) {
    Ask(L"错误", L"错误的垂直刷新率", platform::MessageIcon::None, platform::MessageButtons::Ok);
    return;
  }
  const std::wstring text = std::to_wstring(*rate);
  const bool listed = std::find(freq.Items().begin(), freq.Items().end(), text) != freq.Items().end();
  if (!listed && !Ask(L"警告!", L"你选择了一个非标准垂直刷新率. 确定吗?", platform::MessageIcon::Warning,
                      platform::MessageButtons::YesNo))
    return;
  table_.AddOrReplace(resolution, *rate);
  ShowRows(-1);
}

void TfrmRefLock::btRemoveClick(ui::TComponent&) {
  const int index = (*this)[L"lvRes"].ItemIndex();
  if (index < 0) return;
  table_.Remove(static_cast<size_t>(index));
  ShowRows(-1);
}

void TfrmRefLock::btAddAllClick(ui::TComponent&) {
  for (const ResolutionEntry& entry : ctx_.catalogue.Entries())
    if (!entry.rates.empty())
      table_.AddOrReplace(ModeText(entry.width, entry.height, entry.bitsPerPixel), entry.rates.back());
  ShowRows(-1);
}

void TfrmRefLock::btRemoveAllClick(ui::TComponent&) {
  table_.Clear();
  ShowRows(-1);
}

void TfrmRefLock::lvResClick(ui::TComponent& sender) { (*this)[L"btRemove"].SetEnabled(sender.ItemIndex() >= 0); }

void TfrmRefLock::lvResDblClick(ui::TComponent& sender) {
  lvResClick(sender);
  const int index = sender.ItemIndex();
  if (index < 0 || static_cast<size_t>(index) >= table_.Rows().size()) return;
  const LockRow& row = table_.Rows()[static_cast<size_t>(index)];
  ui::TComponent& list = (*this)[L"cbRes"];
  list.SetText(row.resolution);
  cbResChange(list);
  (*this)[L"cbFreq"].SetText(std::to_wstring(row.rate));
}

void TfrmRefLock::ShowRows(int select) {
  std::vector<std::wstring> rows;
  for (const LockRow& row : table_.Rows()) rows.push_back(ui::JoinCells({row.resolution, std::to_wstring(row.rate)}));
  ui::TComponent& list = (*this)[L"lvRes"];
  list.SetItems(std::move(rows));
  list.SetItemIndex(select);
  (*this)[L"btRemove"].SetEnabled(list.ItemIndex() >= 0);
  (*this)[L"btRemoveAll"].SetEnabled(!table_.Rows().empty());
}

}  // namespace corvane::display
