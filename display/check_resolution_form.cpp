#include "display/check_resolution_form.h"

#include <string>

namespace corvane::display {

namespace {

using K = ui::ComponentKind;
using ui::TModalResult;

std::wstring CountdownText(int seconds) { return std::to_wstring(seconds) + L" 秒内恢复"; }

const ui::ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmCheckRes", .caption = L"正在检测分辨率", .width = 240,
     .height = 96},
    {.kind = K::Label, .name = L"lbQuestion", .caption = L"要保留当前设置吗?", .left = 8, .top = 12, .width = 224,
     .height = 16, .align = ui::TextAlign::Center},
    {.kind = K::Label, .name = L"lbCountdown", .left = 8, .top = 34, .width = 224, .height = 16,
     .align = ui::TextAlign::Center},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定", .left = 37, .top = 62, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true},
    {.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 128, .top = 62, .width = 75, .height = 25,
     .modalResult = TModalResult::Cancel, .isCancel = true},
    {.kind = K::Timer, .name = L"tmCountdown", .interval = 1000},
};

}  // namespace

TfrmCheckRes::TfrmCheckRes(const ui::FormContext& context) : TForm(context, kComponents) {
  (*this)[L"lbCountdown"].SetCaption(CountdownText(secondsLeft_));
  HandleTimer(L"tmCountdown", &TfrmCheckRes::tmCountdownTimer);
}

void TfrmCheckRes::tmCountdownTimer(ui::TComponent& sender) {
  // Only a dialog on screen counts down: one already answered keeps its answer.
  if (!Showing() || secondsLeft_ <= 0) return;
  --secondsLeft_;
  (*this)[L"lbCountdown"].SetCaption(CountdownText(secondsLeft_));
  if (secondsLeft_ > 0) return;
  sender.SetEnabled(false);
  SetModalResult(TModalResult::Cancel);
}

bool ConfirmDisplayChangeDialog(const ui::FormContext& context, const std::wstring& caption) {
  TfrmCheckRes dialog(context);
  if (!caption.empty()) dialog.SetCaption(caption);
  return dialog.ShowModal() == TModalResult::Ok;
}

}  // namespace corvane::display
