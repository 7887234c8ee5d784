#include "plugins/busview/bus_view_form.h"

#include <vector>

#include "plugins/busview/bus_scan.h"

namespace corvane::busview {
namespace {

using ui::ComponentDecl;
using K = ui::ComponentKind;

std::vector<ComponentDecl> BuildComponents() {
  std::vector<ComponentDecl> c;
  c.push_back({K::Form, L"frmBusView", L"PCI 信息", L"", 0, 0, 620, 340});
  c.push_back({.kind = K::ListView, .name = L"lvDevices", .left = 8, .top = 8, .width = 604, .height = 286,
               .columns = {{L"总线", 75}, {L"设备", 75}, {L"功能", 75}, {L"供应商", 75}, {L"设备 ID", 75},
                           {L"描述", 220}}});
  c.push_back({.kind = K::Button, .name = L"btOk", .caption = L"确定", .left = 532, .top = 304, .width = 80,
               .height = 26, .modalResult = ui::TModalResult::Ok, .isDefault = true, .isCancel = true});
  return c;
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmBusView::ComponentTable() {
  static const std::vector<ComponentDecl> table = BuildComponents();
  return table;
}

TfrmBusView::TfrmBusView(const ui::FormContext& context, HostService service) : TForm(context, ComponentTable()) {
  std::vector<std::wstring> rows;
  for (const PciFunction& function : ScanPciBus(service)) rows.push_back(ui::JoinCells(RowCells(function)));
  (*this)[L"lvDevices"].SetItems(std::move(rows));
}

}  // namespace corvane::busview
