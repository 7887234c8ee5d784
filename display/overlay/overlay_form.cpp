#include "display/overlay/overlay_form.h"

#include <cwchar>
#include <iterator>

#include "display/driver_settings.h"
#include "display/escape_calls.h"

namespace corvane::display {
namespace {

using K = ui::ComponentKind;
using ui::TModalResult;
namespace P = OverlayProperty;

constexpr int kDesignedMin = -100;
constexpr int kDesignedMax = 100;

struct OverlayRow {
  uint32_t property;
  const wchar_t* label;
  const wchar_t* caption;
  const wchar_t* slider;
  const wchar_t* button;
};

// Top to bottom, as the dialog lays them out.
constexpr OverlayRow kRows[] = {
    {P::Brightness, L"lbBri", L"亮度(&B)", L"tbBri", L"sbBri"},
    {P::Contrast, L"lbCont", L"对比度(&C)", L"tbCont", L"sbCont"},
    {P::Saturation, L"lbSat", L"饱和度(&S)", L"tbSat", L"sbSat"},
    {P::Hue, L"lbHue", L"色调(&H)", L"tbHue", L"sbHue"},
    {P::Gamma, L"lbGamma", L"&Gamma", L"tbGamma", L"sbGamma"},
};

std::vector<ui::ComponentDecl> DeclareComponents() {
  std::vector<ui::ComponentDecl> c = {
      {.kind = K::Form, .name = L"frmOverlay", .caption = L"覆盖调整", .width = 360, .height = 272},
  };
  int top = 10;
  for (const OverlayRow& row : kRows) {
    const int tag = static_cast<int>(row.property);
    c.push_back({.kind = K::Label, .name = row.label, .caption = row.caption, .left = 8, .top = top + 6, .width = 76,
                 .height = 14, .tag = tag});
    c.push_back({.kind = K::TrackBar, .name = row.slider, .left = 84, .top = top, .width = 200, .height = 28,
                 .tag = tag, .min = kDesignedMin, .max = kDesignedMax, .frequency = 20});
    c.push_back({.kind = K::Button, .name = row.button, .caption = L"0", .left = 290, .top = top + 2, .width = 60,
                 .height = 22, .tag = tag});
    top += 36;
  }
  // The gamma row's range, under its slider's ends.
  c.push_back({.kind = K::Label, .name = L"lbGammaMin", .left = 84, .top = top - 6, .width = 60, .height = 14});
  c.push_back({.kind = K::Label, .name = L"lbGammaMax", .left = 224, .top = top - 6, .width = 60, .height = 14,
               .align = ui::TextAlign::Right});
  c.push_back({.kind = K::Button, .name = L"btDefault", .caption = L"默认(&D)", .left = 8, .top = 238, .width = 75,
               .height = 25});
  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定(&O)", .left = 194, .top = 238, .width = 75,
               .height = 25, .modalResult = TModalResult::Ok, .isDefault = true});
  c.push_back({.kind = K::Button, .name = L"btCancel", .caption = L"取消", .left = 275, .top = 238, .width = 75,
               .height = 25, .modalResult = TModalResult::Cancel, .isCancel = true});
  return c;
}

const std::vector<ui::ComponentDecl>& OverlayComponents() {
  static const std::vector<ui::ComponentDecl> components = DeclareComponents();
  return components;
}

const OverlayRow& RowOf(uint32_t property) {
  for (const OverlayRow& row : kRows)
    if (row.property == property) return row;
  return kRows[0];
}

}  // namespace

std::wstring OverlayValueText(uint32_t property, int position) {
  if (property != P::Hue) return std::to_wstring(position);
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%.2f", position / 10.0);
  return text;
}

TfrmOverlay::TfrmOverlay(const OverlayDialogContext& context) : TForm(context.forms, OverlayComponents()), ctx_(context) {
  for (const OverlayRow& row : kRows) {
    HandleChange(row.slider, &TfrmOverlay::tbChange);
    HandleClick(row.button, &TfrmOverlay::sbValueClick);
  }
  HandleClick(L"btDefault", &TfrmOverlay::btDefaultClick);
  HandleClick(L"btOk", &TfrmOverlay::btOkClick);

  EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
  for (uint32_t property = 1; property <= 5; ++property) {
    ranges_[property] = GetOverlayRange(dc, property);
    if (ranges_[property]) (*this)[RowOf(property).slider].SetRange(ranges_[property]->Minimum, ranges_[property]->Maximum);
  }
  for (uint32_t property = 1; property <= 5; ++property) opening_[property] = GetOverlayValue(dc, property);
  for (uint32_t property = 1; property <= 5; ++property) {
    (*this)[RowOf(property).slider].SetPosition(opening_[property]);
    ShowValue(property);
  }
  if (ranges_[P::Gamma]) {
    (*this)[L"lbGammaMin"].SetCaption(std::to_wstring(ranges_[P::Gamma]->Minimum));
    (*this)[L"lbGammaMax"].SetCaption(std::to_wstring(ranges_[P::Gamma]->Maximum));
  }
  available_ = QueryOverlayAvailable(dc);
  if (!available_) {
    for (const OverlayRow& row : kRows) {
      (*this)[row.slider].SetEnabled(false);
      (*this)[row.button].SetEnabled(false);
    }
    (*this)[L"btDefault"].SetEnabled(false);
    (*this)[L"btOk"].SetEnabled(false);
  }
}

void TfrmOverlay::FormClose() {
  if (ModalResult() == TModalResult::Ok) return;
  EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
  for (uint32_t property = 1; property <= 5; ++property) SetOverlayValue(dc, property, opening_[property]);
}

void TfrmOverlay::ShowValue(uint32_t property) {
  const OverlayRow& row = RowOf(property);
  (*this)[row.button].SetCaption(OverlayValueText(property, (*this)[row.slider].Position()));
}

void TfrmOverlay::tbChange(ui::TComponent& sender) {
  const auto property = static_cast<uint32_t>(sender.Tag());
  ShowValue(property);
  EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
  SetOverlayValue(dc, property, sender.Position());
}

void TfrmOverlay::SetSlider(uint32_t property, int position) {
  ui::TComponent& slider = (*this)[RowOf(property).slider];
  const int before = slider.Position();
  slider.SetPosition(position);
  if (slider.Position() != before) tbChange(slider);
}

void TfrmOverlay::sbValueClick(ui::TComponent& sender) {
  const auto property = static_cast<uint32_t>(sender.Tag());
  // Without a range there is no default: the middle of the designed range.
  SetSlider(property, ranges_[property] ? ranges_[property]->Default : 0);
}

void TfrmOverlay::btDefaultClick(ui::TComponent&) {
  for (const OverlayRow& row : kRows) sbValueClick((*this)[row.button]);
}

void TfrmOverlay::btOkClick(ui::TComponent&) { PersistDriverSettings(ctx_.env); }

}  // namespace corvane::display
