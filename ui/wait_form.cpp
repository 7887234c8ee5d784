#include "ui/wait_form.h"

namespace corvane::ui {

namespace {

using K = ComponentKind;

const ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmWait", .caption = L"请稍候", .width = 220, .height = 60,
     .border = FormBorder::None, .stayOnTop = true},
    {.kind = K::Panel, .name = L"pnFrame", .width = 220, .height = 60, .framed = true},
    {.kind = K::Label, .name = L"lbMessage", .parent = L"pnFrame", .left = 10, .top = 22, .width = 200,
     .height = 16, .align = TextAlign::Center},
};

}  // namespace

TfrmWait::TfrmWait(const FormContext& context, std::wstring message) : TForm(context, kComponents) {
  SetMessage(std::move(message));
}

void TfrmWait::SetMessage(std::wstring message) { (*this)[L"lbMessage"].SetCaption(std::move(message)); }

const std::wstring& TfrmWait::Message() const { return (*this)[L"lbMessage"].Caption(); }

}  // namespace corvane::ui
