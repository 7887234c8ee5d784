#pragma once
// TfrmBusView, "PCI 信息": the PCI functions the host service finds, one row each.

#include <span>

#include "plugins/sdk/corvane_plugin.h"
#include "ui/form.h"

namespace corvane::busview {

class TfrmBusView final : public ui::TForm {
 public:
  TfrmBusView(const ui::FormContext& context, HostService service);
  static std::span<const ui::ComponentDecl> ComponentTable();
};

}  // namespace corvane::busview
