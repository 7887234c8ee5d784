#pragma once
// TfrmOver, "超频": the core and memory clock sliders within their limits, the divider
// mode, the three memory timing pages, the overclocking profiles, the start-up and resume
// profile, and the automatic 2D/3D switch. Shown modally from the tray; it reads what it
// shows from the settings store, the registry and the card when it is made, and writes
// back on "应用(&A)" and "确定(&O)".

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "settings/profile_transfer.h"
#include "settings/reg_values.h"
#include "hardware/artifacts/frame_source.h"
#include "hardware/artifacts/render_form.h"
#include "hardware/overclocking/timings.h"
#include "hardware/rvx.h"
#include "platform/registry.h"
#include "platform/threading.h"
#include "platform/user_interaction.h"
#include "ui/form.h"

namespace corvane::overclocking {

struct OverDialogContext {
  ui::FormContext forms;
  platform::Registry& registry;
  platform::UserInteraction& user;
  settings::TRegValues& reg1;
  hardware::TRVX& rvx;
  // corvane.ini [main] hide_timings is 1: the timings page is not offered.
  bool hideTimings = false;
  // Refreshes the tray tooltip, which shows the clocks, whenever the dialog re-reads them.
  std::function<void()> UpdateTrayTip{};

  // The artifact tester. Without a frame source its buttons stay disabled.
  platform::Threading* threading = nullptr;
  artifacts::FrameSourceFactory artifactFrames{};
  // The driver's temporal anti-aliasing, which changes every frame and so cannot be on
  // while frames are compared: whether it is on, and switching it off.
  std::function<bool()> TemporalAAOn{};
  std::function<void()> SwitchTemporalAAOff{};
  // Asks the user to keep clocks just set, giving up by itself after a while; true when
  // kept. Asked only with "confirm_new_clocks" on: the previous clocks come back otherwise,
  // so a card that no longer shows a picture gets its working clocks again.
  std::function<bool()> ConfirmNewClocks{};
  // A profile to a file and back; null: the two buttons are not offered.
  const settings::ProfileTransferContext* profileFiles = nullptr;
};

class TfrmOver final : public ui::TForm {
 public:
  explicit TfrmOver(const OverDialogContext& context);

  // The component table (also what the renderer tests lay out).
  static std::span<const ui::ComponentDecl> ComponentTable();

  // Whether the artifact tester's renderer window was opened: the main form then hides
  // its own window again after the dialog.
  bool RendererWasOpened() const { return rendererOpened_; }
  // The artifact tester's window while it is open.
  artifacts::Tfrm3DRender* Renderer() const { return renderer_.get(); }

 protected:
  // Frees the artifact tester's window.
  void FormClose() override;

 private:
  // FormCreate's work, done while the form is made.
  void FormCreate();

  // --- Clocks ---
  void tbCoreChange(ui::TComponent& sender);
  void tbMemChange(ui::TComponent& sender);
  void btCoreDownClick(ui::TComponent& sender);
  void btCoreUpClick(ui::TComponent& sender);
  void btMemDownClick(ui::TComponent& sender);
  void btMemUpClick(ui::TComponent& sender);
  void cbDDRClick(ui::TComponent& sender);
  void btCalcClick(ui::TComponent& sender);
  void btResetClick(ui::TComponent& sender);
  void btApplyClick(ui::TComponent& sender);
  void btOkClick(ui::TComponent& sender);

  // --- Timing pages (the sender's tag is the page) ---
  void tbTimingChange(ui::TComponent& sender);
  void btReadClick(ui::TComponent& sender);
  void btSetClick(ui::TComponent& sender);
  void btRestoreClick(ui::TComponent& sender);

  // --- Profiles ---
  void lbxProfilesClick(ui::TComponent& sender);
  void btLoadClick(ui::TComponent& sender);
  void btSaveClick(ui::TComponent& sender);
  void btDeleteClick(ui::TComponent& sender);
  void btExportClick(ui::TComponent& sender);
  void btImportClick(ui::TComponent& sender);
  void cbAutoLoadClick(ui::TComponent& sender);

  // --- Automatic 2D/3D ---
  void cbEnable2d3dClick(ui::TComponent& sender);
  void btExAddClick(ui::TComponent& sender);
  void btExRemoveClick(ui::TComponent& sender);
  void btPlay3dClick(ui::TComponent& sender);
  void btPlay2dClick(ui::TComponent& sender);

  // --- Artifact tester ---
  void btRenderClick(ui::TComponent& sender);
  void btScanClick(ui::TComponent& sender);
  void btMaxGpuClick(ui::TComponent& sender);
  void btMaxMemClick(ui::TComponent& sender);
  bool OpenRenderer();
  void CloseRenderer();
  // Starts or stops a maximum search on the slider; the button's idle caption afterwards.
  void ToggleSearch(ui::TComponent& button, const wchar_t* slider, const wchar_t* idleCaption);
  // Enables the artifact buttons for the renderer's state; `running` is the one button
  // that stays usable while a scan or search runs.
  void EnableArtifactButtons(const ui::TComponent* running);

  int MemoryFactor() const;
  bool Fixed() const;
  void SetSliderBounds();
  void RefreshDisplay();
  void ShowClockTexts();
  void ShowSliderLabels();
  void MoveSlider(const wchar_t* slider, int by);
  void FollowCoreWithMemory();

  std::vector<int> TimingPositions(TimingPage page) const;
  void ShowTimingPositions(TimingPage page, std::span<const int> positions);
  void ShowTimingValues(TimingPage page);
  void MarkTimingChanged(TimingPage page, bool changed);
  void ReadTimingPage(TimingPage page);
  void SetTimingPage(TimingPage page);

  void FillProfileLists();
  std::wstring SelectedProfileName() const;
  void Enable2d3dLists();

  // Stores the settings and applies the sliders and timings: "应用(&A)" and "确定(&O)".
  // False when the 2D/3D switch lacks a profile; nothing is applied then.
  bool ApplySettings();
  bool Check2d3dProfiles();
  void StoreSettings();
  void ApplyClocks();

  void Tell(const std::wstring& caption, const std::wstring& text, platform::MessageIcon icon);
  bool AskOkCancel(const std::wstring& caption, const std::wstring& text, platform::MessageIcon icon,
                   int defaultButton);
  std::optional<std::wstring> ChooseFile(const std::wstring& filter);

  OverDialogContext ctx_;
  std::array<bool, 3> timingChanged_{};
  // The registers as the card had them at this program's start ("deft1".."deft3").
  std::array<uint32_t, 3> timingDefaults_{};
  bool rendererOpened_ = false;
  std::unique_ptr<artifacts::Tfrm3DRender> renderer_;
};

}  // namespace corvane::overclocking
