#include "display/displays/display_prop_form.h"

#include <cwchar>
#include <iterator>

#include "display/driver_settings.h"
#include "display/escape_calls.h"

namespace corvane::display {
namespace {

using K = ui::ComponentKind;
using ui::TModalResult;
namespace A = Adjustment;

// A step button's tag: the slot it moves and the direction, as slot * 2 + (0 down, 1 up).
constexpr int StepTag(size_t slot, bool up) { return static_cast<int>(slot) * 2 + (up ? 1 : 0); }

const ui::ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmDisplayProp", .caption = L"显示属性", .width = 330, .height = 236},
    {.kind = K::GroupBox, .name = L"gbPosition", .caption = L"位置", .left = 8, .top = 8, .width = 150, .height = 120},
    {.kind = K::Button, .name = L"btPosUp", .caption = L"上", .parent = L"gbPosition", .left = 52, .top = 20,
     .width = 44, .height = 24, .tag = StepTag(A::VerticalPosition, false)},
    {.kind = K::Button, .name = L"btPosLeft", .caption = L"左", .parent = L"gbPosition", .left = 6, .top = 48,
     .width = 44, .height = 24, .tag = StepTag(A::HorizontalPosition, false)},
    {.kind = K::Button, .name = L"btPosRight", .caption = L"右", .parent = L"gbPosition", .left = 98, .top = 48,
     .width = 44, .height = 24, .tag = StepTag(A::HorizontalPosition, true)},
    {.kind = K::Button, .name = L"btPosDown", .caption = L"下", .parent = L"gbPosition", .left = 52, .top = 76,
     .width = 44, .height = 24, .tag = StepTag(A::VerticalPosition, true)},
    {.kind = K::Label, .name = L"lbPosition", .parent = L"gbPosition", .left = 6, .top = 102, .width = 136,
     .height = 14, .align = ui::TextAlign::Center},

    {.kind = K::GroupBox, .name = L"gbSize", .caption = L"大小", .left = 170, .top = 8, .width = 150, .height = 120},
    {.kind = K::Button, .name = L"btTaller", .caption = L"高+", .parent = L"gbSize", .left = 52, .top = 20,
     .width = 44, .height = 24, .tag = StepTag(A::VerticalSize, true)},
    {.kind = K::Button, .name = L"btNarrower", .caption = L"宽-", .parent = L"gbSize", .left = 6, .top = 48,
     .width = 44, .height = 24, .tag = StepTag(A::HorizontalSize, false)},
    {.kind = K::Button, .name = L"btWider", .caption = L"宽+", .parent = L"gbSize", .left = 98, .top = 48,
     .width = 44, .height = 24, .tag = StepTag(A::HorizontalSize, true)},
    {.kind = K::Button, .name = L"btShorter", .caption = L"高-", .parent = L"gbSize", .left = 52, .top = 76,
     .width = 44, .height = 24, .tag = StepTag(A::VerticalSize, false)},
    {.kind = K::Label, .name = L"lbSize", .parent = L"gbSize", .left = 6, .top = 102, .width = 136, .height = 14,
     .align = ui::TextAlign::Center},

    {.kind = K::GroupBox, .name = L"gbSync", .caption = L"同步", .left = 8, .top = 136, .width = 312, .height = 50},
    {.kind = K::CheckBox, .name = L"cbHSync", .caption = L"水平", .parent = L"gbSync", .left = 12, .top = 20,
     .width = 80, .height = 20, .tag = static_cast<int>(A::HorizontalSyncPolarity)},
    {.kind = K::CheckBox, .name = L"cbVSync", .caption = L"垂直", .parent = L"gbSync", .left = 112, .top = 20,
     .width = 80, .height = 20, .tag = static_cast<int>(A::VerticalSyncPolarity)},
    {.kind = K::CheckBox, .name = L"cbCSync", .caption = L"复合", .parent = L"gbSync", .left = 212, .top = 20,
     .width = 80, .height = 20, .tag = static_cast<int>(A::CompositeSync)},

    {.kind = K::Button, .name = L"btDefault", .caption = L"默认", .left = 8, .top = 200, .width = 75, .height = 25},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 164, .top = 200, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true},
    {.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 245, .top = 200, .width = 75, .height = 25,
     .modalResult = TModalResult::Cancel, .isCancel = true},
};

constexpr const wchar_t* kStepButtons[] = {L"btPosUp", L"btPosLeft", L"btPosRight", L"btPosDown",
                                           L"btTaller", L"btNarrower", L"btWider", L"btShorter"};
constexpr const wchar_t* kSyncBoxes[] = {L"cbHSync", L"cbVSync", L"cbCSync"};
// The slots this dialog sets, which "默认" puts back.
constexpr size_t kMonitorSlots[] = {A::VerticalPosition, A::HorizontalPosition, A::VerticalSize,
                                    A::HorizontalSize,   A::HorizontalSyncPolarity, A::VerticalSyncPolarity,
                                    A::CompositeSync};

std::wstring Pair(int32_t horizontal, int32_t vertical) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%d, %d", horizontal, vertical);
  return text;
}

}  // namespace

TfrmDisplayProp::TfrmDisplayProp(const DisplayPropContext& context)
    : TForm(context.forms, kComponents), ctx_(context), start_(context.values), values_(context.values) {
  for (const wchar_t* name : kStepButtons) HandleClick(name, &TfrmDisplayProp::btStepClick);
  for (const wchar_t* name : kSyncBoxes) HandleClick(name, &TfrmDisplayProp::cbSyncClick);
  HandleClick(L"btDefault", &TfrmDisplayProp::btDefaultClick);
  {
    EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
    caps_ = GetDisplayCaps(dc, ctx_.displayIndex).value_or(AdjustmentCaps{});
  }
  for (const wchar_t* name : kStepButtons) {
    ui::TComponent& button = (*this)[name];
    button.SetEnabled(caps_.Entries[static_cast<size_t>(button.Tag() / 2)].Supported());
  }
  for (const wchar_t* name : kSyncBoxes) {
    ui::TComponent& box = (*this)[name];
    box.SetEnabled(caps_.Entries[static_cast<size_t>(box.Tag())].Supported());
  }
  ShowValues();
}

void TfrmDisplayProp::FormClose() {
  if (ModalResult() != TModalResult::Ok && values_ != start_)
    ApplyAdjustments(ctx_.env, ctx_.displayIndex, start_, false);
}

void TfrmDisplayProp::btStepClick(ui::TComponent& sender) {
  const auto slot = static_cast<size_t>(sender.Tag() / 2);
  const int64_t step = sender.Tag() % 2 ? 1 : -1;
  const AdjustmentCap& cap = caps_.Entries[slot];
  // Wide enough for whatever the driver reported.
  const int64_t next = int64_t{values_.Slots[slot]} + step;
  if (next < cap.Minimum || next > cap.Maximum) return;
  values_.Slots[slot] = static_cast<int32_t>(next);
  Send();
}

void TfrmDisplayProp::cbSyncClick(ui::TComponent& sender) {
  values_.Slots[static_cast<size_t>(sender.Tag())] = sender.Checked() ? 1 : 0;
  Send();
}

void TfrmDisplayProp::btDefaultClick(ui::TComponent&) {
  for (size_t slot : kMonitorSlots) values_.Slots[slot] = caps_.Entries[slot].Default;
  Send();
}

void TfrmDisplayProp::Send() {
  ApplyAdjustments(ctx_.env, ctx_.displayIndex, values_, false);
  ShowValues();
}

void TfrmDisplayProp::ShowValues() {
  (*this)[L"lbPosition"].SetCaption(Pair(values_.Slots[A::HorizontalPosition], values_.Slots[A::VerticalPosition]));
  (*this)[L"lbSize"].SetCaption(Pair(values_.Slots[A::HorizontalSize], values_.Slots[A::VerticalSize]));
  for (const wchar_t* name : kSyncBoxes) {
    ui::TComponent& box = (*this)[name];
    box.SetChecked(values_.Slots[static_cast<size_t>(box.Tag())] != 0);
  }
}

}  // namespace corvane::display
