#pragma once
// TfrmDisplayProp, "显示属性": one monitor's position, size and sync polarities, each
// change sent to the driver at once. OK hands the values to the Displays dialog; Cancel
// puts back what the monitor had when the dialog opened.

#include <cstdint>

#include "display/display_environment.h"
#include "display/escape_records.h"
#include "ui/form.h"

namespace corvane::display {

struct DisplayPropContext {
  ui::FormContext forms;
  DisplayEnvironment& env;
  uint32_t displayIndex = 0;  // 0 or 1
  AdjustmentValues values;    // what the monitor has now, as the Displays dialog holds it
};

class TfrmDisplayProp final : public ui::TForm {
 public:
  explicit TfrmDisplayProp(const DisplayPropContext& context);

  const AdjustmentValues& Values() const { return values_; }
  const AdjustmentCaps& Caps() const { return caps_; }

 protected:
  void FormClose() override;

 private:
  void btStepClick(ui::TComponent& sender);
  void cbSyncClick(ui::TComponent& sender);
  void btDefaultClick(ui::TComponent& sender);

  void Send();
  void ShowValues();

  DisplayPropContext ctx_;
  AdjustmentCaps caps_{};
  AdjustmentValues start_;
  AdjustmentValues values_;
};

}  // namespace corvane::display
