#pragma once
// TfrmDisplays, "显示": which displays are on and how the two controllers share them
// ("显示"), the TV's picture ("TV 属性"), theater mode ("剧院模式"), display profiles and
// the one applied at start-up. It keeps the records as the driver reported them and as
// edited: Apply sends the layout and whatever differs; Cancel sends back what was tried
// live and never applied.

#include <functional>
#include <span>
#include <string>

#include "display/display_environment.h"
#include "display/display_support.h"
#include "display/displays/display_config.h"
#include "display/displays/display_layout.h"
#include "display/displays/display_profiles.h"
#include "settings/profile_transfer.h"
#include "ui/form.h"

namespace corvane::display {

// The start-up profile ("Use_LoadDisplays", "LoadDisplays").
struct DisplayStartup {
  bool load = false;
  std::wstring profile;
};

struct DisplaysDialogContext {
  ui::FormContext forms;
  DisplayEnvironment& env;
  const DisplaySupport& support;
  DisplayProfiles& profiles;
  DisplayStartup startup;
  // OK: where the start-up choice is written.
  std::function<void(const DisplayStartup&)> saveStartup;
  // A profile to a file and back; null: the two buttons are not offered.
  const settings::ProfileTransferContext* profileFiles = nullptr;
};

class TfrmDisplays final : public ui::TForm {
 public:
  explicit TfrmDisplays(const DisplaysDialogContext& context);
  static std::span<const ui::ComponentDecl> ComponentTable();

  const DisplayRecords& Read() const { return read_; }
  const DisplayRecords& Edited() const { return edited_; }
  const LayoutMasks& Masks() const { return masks_; }

 protected:
  void FormShow() override;
  void FormClose() override;

 private:
  // "显示"
  void btLayoutClick(ui::TComponent& sender);
  void btAdvancedClick(ui::TComponent& sender);
  void pcDisplaysChange(ui::TComponent& sender);
  // "TV 属性"
  void tbTvChange(ui::TComponent& sender);
  void btTvStepClick(ui::TComponent& sender);
  void cbOverscanClick(ui::TComponent& sender);
  void cbSharpnessChange(ui::TComponent& sender);
  void cbDotCrawlChange(ui::TComponent& sender);
  void cbStandardChange(ui::TComponent& sender);
  void btTvResetClick(ui::TComponent& sender);
  void btTvDefaultClick(ui::TComponent& sender);
  // "剧院模式"
  void rbTheaterModeClick(ui::TComponent& sender);
  void rbVideoAspectClick(ui::TComponent& sender);
  void rbDisplayAspectClick(ui::TComponent& sender);
  // Profiles and the dialog's buttons.
  void cbProfilesChange(ui::TComponent& sender);
  void btSaveClick(ui::TComponent& sender);
  void btLoadClick(ui::TComponent& sender);
  void btDeleteClick(ui::TComponent& sender);
  void btExportClick(ui::TComponent& sender);
  void btImportClick(ui::TComponent& sender);
  void cbStartupClick(ui::TComponent& sender);
  void btApplyClick(ui::TComponent& sender);
  void btOkClick(ui::TComponent& sender);

  void ReadRecords();
  void ShowConnections();
  void ShowAll();
  void ShowIndicators();
  void ShowTvControls();
  void ShowTheater();
  void UpdateApplyButton();
  void Apply();
  void SendTv();
  void SendTheater();
  // The TV tab is reachable while the TV is lit and the driver's configuration drives it.
  bool TvOutputActive() const;
  void ReloadProfiles(const std::wstring& select);
  void ShowStartup();

  DisplaysDialogContext ctx_;
  LayoutMasks masks_;
  DisplayRecords read_;
  DisplayRecords edited_;
  AdjustmentCaps tvCaps_{};
  uint32_t connected_ = 0;
  DisplayStartup startup_;
};

// The tray's "设置...": refused with a message on a driver without the display functions,
// else the dialog. True when it closed with OK.
bool OpenDisplaysDialog(const DisplaysDialogContext& context);

}  // namespace corvane::display
