#include "hardware/report/hardware_form.h"

#include "hardware/rvx.h"

namespace corvane::hardware {

namespace {

using ui::ComponentKind;

constexpr int kLowestLatency = 16;
constexpr int kHighestLatency = 255;

const ui::ComponentDecl kComponents[] = {
    {.kind = ComponentKind::Form, .name = L"frmHardware", .caption = L"硬件设置", .width = 300, .height = 136},
    {ComponentKind::Label, L"lbLatency", L"PCI 延迟时间:", L"", 8, 12, 120, 13},
    {.kind = ComponentKind::UpDown, .name = L"udLatency", .left = 136, .top = 8, .width = 64, .height = 21,
     .min = kLowestLatency, .max = kHighestLatency, .position = kLowestLatency},
    {ComponentKind::CheckBox, L"cbApply", L"启动时应用硬件设置(&P)", L"", 8, 42, 284, 17},
    {ComponentKind::CheckBox, L"cbRestore", L"在挂起模式后恢复(&R)", L"", 24, 64, 268, 17},
    {.kind = ComponentKind::Button, .name = L"btOk", .caption = L"确定", .left = 56, .top = 103, .width = 75,
     .height = 25, .isDefault = true},
    {.kind = ComponentKind::Button, .name = L"btCancel", .caption = L"取消", .left = 137, .top = 103, .width = 75,
     .height = 25, .modalResult = ui::TModalResult::Cancel, .isCancel = true},
    {.kind = ComponentKind::Button, .name = L"btApply", .caption = L"应用(&A)", .left = 218, .top = 103, .width = 75,
     .height = 25, .altKey = L'A'},
};

}  // namespace

TfrmHardware::TfrmHardware(HardwareDialogContext context)
    : TForm(context.form, kComponents), context_(context) {
  HandleClick(L"cbApply", &TfrmHardware::cbApplyClick);
  HandleClick(L"btApply", &TfrmHardware::btApplyClick);
  HandleClick(L"btOk", &TfrmHardware::btOkClick);
  (*this)[L"cbApply"].SetChecked(context_.reg1.GetBool(L"ApplyHardware"));
  (*this)[L"cbRestore"].SetChecked(context_.reg1.GetBool(L"RestoreHardware"));
  (*this)[L"udLatency"].SetPosition(context_.rvx.CardConfigRead8(kPciLatencyRegister));
  cbApplyClick((*this)[L"cbApply"]);
}

void TfrmHardware::cbApplyClick(ui::TComponent&) { (*this)[L"cbRestore"].SetEnabled((*this)[L"cbApply"].Checked()); }

void TfrmHardware::btApplyClick(ui::TComponent&) {
  context_.reg1.SetValue(L"ApplyHardware", (*this)[L"cbApply"].Checked());
  context_.reg1.SetValue(L"RestoreHardware", (*this)[L"cbRestore"].Checked());
  const int latency = (*this)[L"udLatency"].Position();
  // Without a found card the location would be 00:00.0, the host bridge.
  if (context_.rvx.CardFound)
    context_.rvx.PciWrite8(static_cast<uint8_t>(context_.rvx.Bus), static_cast<uint8_t>(context_.rvx.Device),
                           static_cast<uint8_t>(context_.rvx.Function), kPciLatencyRegister,
                           static_cast<uint8_t>(latency));
  context_.reg1.SetValue(L"PCILatency", int32_t{latency});
  context_.reg1.SaveAll();
}

void TfrmHardware::btOkClick(ui::TComponent& sender) {
  btApplyClick(sender);
  SetModalResult(ui::TModalResult::Ok);
}

}  // namespace corvane::hardware
