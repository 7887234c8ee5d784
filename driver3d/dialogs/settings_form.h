#pragma once
// What the Direct3D and OpenGL settings dialogs share: the temporal anti-aliasing and
// forced refresh-rate controls, the track-bar labels, the changed flag behind
// "应用(&A)", the frame-threshold check, and the profile box "配置文件(&P)". Each dialog
// says how its controls are read from and written to the driver and to a profile.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "driver3d/profiles/profile_store.h"
#include "platform/registry.h"
#include "platform/user_interaction.h"
#include "settings/profile_transfer.h"
#include "ui/form.h"

namespace corvane::driver3d {

// What the dialogs need from the main form.
struct Dialog3DContext {
  ui::FormContext forms;
  // The driver registry, the profile area, the tooltip's levels and the driver reload.
  Profile3DContext profiles;
  platform::UserInteraction& user;
  // Re-reads the desktop's current mode; its refresh rate in Hz (0: not known).
  std::function<uint32_t()> DesktopRefreshRate;
  // The strip of the tray menu's images, which the pages show with the newer storage.
  ui::Picture pageImages{};
  // A profile to a file and back; null: the two buttons are not offered.
  const settings::ProfileTransferContext* profileFiles = nullptr;
};

// The temporal anti-aliasing values as the driver key and the profiles keep them:
// the multiplier ("0", "2" or "3") and the frame threshold, absent for the driver's own.
struct TemporalAA {
  std::wstring multiplier = L"0";
  std::optional<std::wstring> threshold;
};

// Which dialog a component table is for.
enum class Settings3DLayout { Direct3D, OpenGL };

// The component table of either dialog (the Direct3D one has all three pages).
std::vector<ui::ComponentDecl> BuildSettings3DComponents(Settings3DLayout layout);

class TSettings3DForm : public ui::TForm {
 public:
  // The dialog changed something that "应用(&A)" would write.
  bool Changed() const { return changed_; }

  // Fills cbTemplates with the stored profiles of this dialog's kind; selects the first
  // one that equals the driver's settings when `selectMatching`, and the one named `name`.
  void FillTemplates(bool selectMatching, const std::wstring& name);
  // "另存(&S)" and "加载(&L)".
  void SaveTemplate(const std::wstring& name);
  void LoadTemplate();

 protected:
  TSettings3DForm(const Dialog3DContext& context, std::span<const ui::ComponentDecl> components, ProfileKind kind);

  // Fills the controls from the driver.
  virtual void LoadFromDriver() = 0;
  // Writes the controls into the driver (the frame threshold is known to be valid).
  virtual void ApplyToDriver() = 0;
  // The dialog's values into a new, empty profile key, and back from one.
  virtual void WriteProfile(platform::RegistryKey& profile) = 0;
  virtual void ReadProfile(const platform::RegistryKey& profile) = 0;

  void MarkChanged();
  void ShowTrackLabels();

  // The anisotropy choice: the type buttons are for a forced degree only.
  void EnableAnisoTypes();
  // Forced refresh rate: nothing stored selects "禁用", the desktop's rate "等同于桌面",
  // another "自定义" with its item when the list has it.
  void ShowRefreshRate(std::optional<uint32_t> stored);
  // What the refresh-rate controls ask for: nothing is "禁用". A choice that cannot name a
  // number (the desktop's rate unknown, a custom rate not in the list) keeps the stored one.
  std::optional<uint32_t> ChosenRefreshRate() const;
  void ShowTemporalAA(const std::optional<std::wstring>& multiplier, const std::wstring& threshold);
  TemporalAA ChosenTemporalAA() const;
  // "CatalystAI" 0, 1 or 2 selects its item; anything else keeps the stored text.
  void ShowCatalystAI(const std::wstring& stored);
  std::wstring ChosenCatalystAI() const;

  Dialog3DContext ctx_;

 private:
  void FormShow() override;
  // Every control a user changes marks the dialog changed, before its own handler runs.
  void WatchControls();
  void cbAFChange(ui::TComponent& sender);
  void cbMultChange(ui::TComponent& sender);
  void cbFrameChange(ui::TComponent& sender);
  void btDefClick(ui::TComponent& sender);
  void cbRefreshRateChange(ui::TComponent& sender);
  void cbTemplatesChange(ui::TComponent& sender);
  void btApplyClick(ui::TComponent& sender);
  void btOkClick(ui::TComponent& sender);
  void btSaveClick(ui::TComponent& sender);
  void btLoadClick(ui::TComponent& sender);
  void btDeleteClick(ui::TComponent& sender);
  void btExportClick(ui::TComponent& sender);
  void btImportClick(ui::TComponent& sender);

  // With "手动" chosen the threshold must be a number: otherwise a beep, page "附加" and
  // the focus on edFValue.
  bool FrameThresholdValid();
  // "应用(&A)": writes when changed; false when the threshold check refused.
  bool ApplyChanges();
  void EnableTemporalAA();
  void EnableTemplateButtons();
  bool AskOkCancel(const std::wstring& caption, const std::wstring& text, platform::MessageIcon icon,
                   int defaultButton);

  ProfileKind kind_;
  bool changed_ = false;
  // What the refresh-rate controls were filled from (nothing: no forced rate).
  std::optional<uint32_t> storedRefreshRate_;
  std::wstring storedCatalystAI_ = L"0";
};

// A whole number of decimal digits, blanks around it allowed; nothing for anything else.
std::optional<uint32_t> ParseSettingNumber(std::wstring_view text);
// A profile name as it is stored: / \ ? | " * < > : each become '_'.
std::wstring CleanProfileName(std::wstring name);

}  // namespace corvane::driver3d
