#pragma once
// TfrmColor, "颜色调整": brightness, contrast and gamma for all channels or one, shown on
// the screen while the sliders move, with the curve of the table drawn beside them; named
// colour profiles and the one loaded at start-up. OK keeps the edited values as the
// settings in force; Cancel puts the table of the settings in force back.

#include <functional>
#include <span>
#include <string>

#include "display/color/color_state.h"
#include "platform/user_interaction.h"
#include "settings/profile_transfer.h"
#include "ui/form.h"
#include "ui/pixel_image.h"

namespace corvane::display {

// The start-up profile ("LoadColor", "LoadColorProfile").
struct ColorStartup {
  bool load = false;
  std::wstring profile;
};

struct ColorDialogContext {
  ui::FormContext forms;
  platform::UserInteraction& user;
  ColorState& color;
  ColorStartup startup;
  // OK: where the start-up choice is written.
  std::function<void(const ColorStartup&)> saveStartup;
  // A profile to a file and back; null: the two buttons are not offered.
  const settings::ProfileTransferContext* profileFiles = nullptr;
};

// Which values the sliders show and move.
enum class ColorView { All, Red, Green, Blue };

// The 127x127 curve of a table: grey grid, one white curve (blue bytes) for all channels,
// or the three channel curves with the shown one drawn last.
ui::PixelImage DrawColorCurve(const ColorTable& table, ColorView view);
// The decorative colour field beside the curve.
ui::PixelImage DrawColorGradient();

class TfrmColor final : public ui::TForm {
 public:
  static constexpr int kCurveSize = 127;

  explicit TfrmColor(const ColorDialogContext& context);
  static std::span<const ui::ComponentDecl> ComponentTable();

  const ColorSettings& Edited() const { return edited_; }
  ColorView View() const { return view_; }

 protected:
  void FormClose() override;

 private:
  void sbChannelClick(ui::TComponent& sender);
  void tbChange(ui::TComponent& sender);
  void btBrightResetClick(ui::TComponent& sender);
  void btContResetClick(ui::TComponent& sender);
  void btGammaResetClick(ui::TComponent& sender);
  void btResetClick(ui::TComponent& sender);
  void cbTemplatesChange(ui::TComponent& sender);
  void btSaveClick(ui::TComponent& sender);
  void btLoadClick(ui::TComponent& sender);
  void btDeleteClick(ui::TComponent& sender);
  void btExportClick(ui::TComponent& sender);
  void btImportClick(ui::TComponent& sender);
  void cbStartupClick(ui::TComponent& sender);

  // Shows the channel's values on the sliders (all: red's), then recomputes once.
  void SelectView(ColorView view);
  // "全" when the three channels agree, else "红".
  void SelectViewForValues();
  void SetSlider(const wchar_t* name, int position);
  // The sliders into the edited values, the labels, the palette and the curve.
  void Recompute();
  void ReloadProfiles(const std::wstring& select);
  void ShowStartup();

  ColorDialogContext ctx_;
  ColorSettings edited_;
  ColorView view_ = ColorView::All;
  ColorStartup startup_;
  bool settingSliders_ = false;
};

}  // namespace corvane::display
