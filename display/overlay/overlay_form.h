#pragma once
// TfrmOverlay, "覆盖调整": the video overlay's brightness, contrast, saturation, hue and
// gamma, each sent to the driver while its slider moves. OK makes the driver keep them;
// Cancel sends back what was in force when the dialog opened.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "display/display_environment.h"
#include "display/escape_records.h"
#include "ui/form.h"

namespace corvane::display {

struct OverlayDialogContext {
  ui::FormContext forms;
  DisplayEnvironment& env;
};

// What a value button shows for a slider position: the number, and for hue a tenth of it
// with two decimals (15 → "1.50").
std::wstring OverlayValueText(uint32_t property, int position);

class TfrmOverlay final : public ui::TForm {
 public:
  explicit TfrmOverlay(const OverlayDialogContext& context);

  // Whether the driver offers the overlay controls; without them only "取消" works.
  bool Available() const { return available_; }
  // By property number 1..5; nothing where the driver gave no range.
  const std::optional<OverlayRange>& Range(uint32_t property) const { return ranges_[property]; }
  int32_t OpeningValue(uint32_t property) const { return opening_[property]; }

 protected:
  void FormClose() override;

 private:
  void tbChange(ui::TComponent& sender);
  void sbValueClick(ui::TComponent& sender);
  void btDefaultClick(ui::TComponent& sender);
  void btOkClick(ui::TComponent& sender);

  // Moves the property's slider; a move sends the value, as the user's would.
  void SetSlider(uint32_t property, int position);
  void ShowValue(uint32_t property);

  OverlayDialogContext ctx_;
  bool available_ = false;
  std::array<std::optional<OverlayRange>, 6> ranges_{};
  std::array<int32_t, 6> opening_{};
};

}  // namespace corvane::display
