#pragma once
// TfrmHardware: the card's PCI latency timer, whether it is set at start-up and whether
// again after the machine resumes from standby.

#include "settings/reg_values.h"
#include "ui/form.h"

namespace corvane::hardware {

class TRVX;

// The PCI latency timer of a configuration space.
inline constexpr uint16_t kPciLatencyRegister = 0x0D;

struct HardwareDialogContext {
  ui::FormContext form;
  settings::TRegValues& reg1;
  TRVX& rvx;
};

class TfrmHardware : public ui::TForm {
 public:
  explicit TfrmHardware(HardwareDialogContext context);

 private:
  void cbApplyClick(ui::TComponent&);
  void btApplyClick(ui::TComponent&);
  void btOkClick(ui::TComponent&);

  HardwareDialogContext context_;
};

}  // namespace corvane::hardware
