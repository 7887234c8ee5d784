#include "ui/about_box.h"

#include <algorithm>
#include <cwctype>

namespace corvane::ui {

namespace {

using K = ComponentKind;

// Laid out for the branded box; the unbranded one moves what is below the band up.
const ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmAbout", .caption = L"关于", .width = 320, .height = 196},
    {.kind = K::Image, .name = L"imIcon", .left = 16, .top = 16, .width = 32, .height = 32,
     .picture = Picture::ApplicationIcon()},
    {.kind = K::Label, .name = L"lbTitle", .left = 64, .top = 16, .width = 240, .height = 16, .bold = true},
    {.kind = K::Label, .name = L"lbSimulated", .caption = L"模拟硬件", .left = 64, .top = 36, .width = 240,
     .height = 16, .visible = false},
    {.kind = K::Image, .name = L"imBrand", .left = 16, .top = 60, .width = 288, .height = 48},
    {.kind = K::Label, .name = L"lbBrand", .left = 16, .top = 116, .width = 288, .height = 16},
    {.kind = K::LinkLabel, .name = L"lkBrand", .left = 16, .top = 134, .width = 288, .height = 16},
    {.kind = K::Button, .name = L"btOk", .caption = L"确定", .left = 122, .top = 160, .width = 75, .height = 25,
     .modalResult = TModalResult::Ok, .isDefault = true, .isCancel = true},
};

bool Blank(const std::wstring& text) {
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return std::iswspace(c); });
}

}  // namespace

TfrmAbout::TfrmAbout(const FormContext& context, const AboutInfo& info) : TForm(context, kComponents) {
  (*this)[L"lbTitle"].SetCaption(L"Corvane v" + info.version);
  (*this)[L"lbSimulated"].SetVisible(info.simulatedHardware);
  (*this)[L"imBrand"].SetPicture(info.brandBitmap);

  TComponent& brand = (*this)[L"lbBrand"];
  TComponent& link = (*this)[L"lkBrand"];
  brand.SetCaption(info.brandText);
  link.SetAddress(info.linkAddress);
  link.SetCaption(info.linkCaption.empty() ? info.linkAddress : info.linkCaption);
  brand.SetVisible(info.branded);
  link.SetVisible(info.branded && !Blank(info.linkAddress));
  HandleClick(L"lkBrand", &TfrmAbout::lkBrandClick);

  if (!info.branded) {
    SetClientSize(ClientWidth(), ClientHeight() - kBrandBandHeight);
    TComponent& ok = (*this)[L"btOk"];
    ok.SetBounds(ok.Left(), ok.Top() - kBrandBandHeight, ok.Width(), ok.Height());
  }
}

void TfrmAbout::lkBrandClick(TComponent& sender) {
  if (OnOpenLink) OnOpenLink(sender.Address());
}

}  // namespace corvane::ui
