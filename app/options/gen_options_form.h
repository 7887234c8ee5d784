#pragma once
// TfrmGenOptions, "常规选项": start with Windows, the overclocking slider limits, menu and
// 3D apply behaviour, resolution changes, the recording and screenshot options; also the
// update check and the profile backup. Everything is written on OK only.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/options/profile_backup.h"
#include "app/options/update_check.h"
#include "audio/audio_recording.h"
#include "platform/choosers.h"
#include "platform/registry.h"
#include "settings/reg_values.h"
#include "ui/form.h"

namespace corvane::options {

struct GenOptionsContext {
  ui::FormContext forms;
  platform::Registry& registry;
  settings::TRegValues& reg1;
  platform::UserInteraction& user;
  platform::Shell& shell;
  platform::IniFiles& iniFiles;
  std::wstring programFile;    // what the Run value starts
  std::wstring programFolder;  // with a trailing '\'
  // The choosers and the update download; without them their buttons stay disabled.
  platform::Choosers* choosers = nullptr;
  platform::ProgramUpdate* update = nullptr;
  platform::FileVersion builtInVersion{};
  // The backup file; without it "备份配置" stays disabled.
  std::function<std::unique_ptr<platform::WholeFile>(const std::wstring& path)> openFile{};
  // The main form's recorder, which keeps the recording format; null without sound.
  audio::AudioRecording* recorder = nullptr;
  // Switches the drawing of the tray menus at once.
  std::function<void(bool skinned)> UseSkinnedMenu{};
};

class TfrmGenOptions final : public ui::TForm {
 public:
  explicit TfrmGenOptions(const GenOptionsContext& context);

  static std::span<const ui::ComponentDecl> ComponentTable();

  // The dialog's copy of the recording format, and whether it holds one.
  std::span<const uint8_t> FormatCopy() const { return formatCopy_; }
  bool FormatCopyValid() const { return formatValid_; }

  void btnOkClick(ui::TComponent& sender);
  void rbUnlimClick(ui::TComponent& sender);
  void rbLimitClick(ui::TComponent& sender);
  void SpeedButton12Click(ui::TComponent& sender);
  void SpeedButton1Click(ui::TComponent& sender);
  void Button12Click(ui::TComponent& sender);
  void bt2Click(ui::TComponent& sender);
  void bt1Click(ui::TComponent& sender);

 private:
  void FormCreate();
  void LoadGeneral();
  void LoadRecording();
  void LoadScreenshots();
  void SaveGeneral();
  void SaveRecording();
  void SaveScreenshots();
  void BrowseInto(const wchar_t* edit);

  GenOptionsContext ctx_;
  std::vector<uint8_t> formatCopy_;
  bool formatValid_ = false;
};

}  // namespace corvane::options
