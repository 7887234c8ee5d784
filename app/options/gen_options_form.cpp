#include "app/options/gen_options_form.h"

#include <algorithm>
#include <cwchar>

#include "app/options/autostart.h"
#include "audio/wave_format.h"

namespace corvane::options {
namespace {

using ui::TComponent;

// Check boxes of the general page and the Boolean settings they edit.
struct CheckSetting {
  const wchar_t* box;
  const wchar_t* setting;
};
constexpr CheckSetting kGeneralChecks[] = {
    {L"cbUseLimit", L"use_limits"},          {L"cbSB", L"swap_buttons"},
    {L"cbSkin", L"use_skinned_menu"},        {L"cbNew3D", L"UseNew3DApply"},
    {L"cbConfirmClocks", L"confirm_new_clocks"}, {L"cbDontAsk", L"res_dont_ask_rate"},
    {L"cbSelMax", L"res_select_refresh_max"}, {L"cbDontWait", L"res_dont_wait"},
};

constexpr wchar_t kFolderTitle[] = L"选择文件夹";
constexpr wchar_t kFirstFolder[] = L"C:\\";

}  // namespace

TfrmGenOptions::TfrmGenOptions(const GenOptionsContext& context)
    : TForm(context.forms, ComponentTable()), ctx_(context) {
  HandleClick(L"btnOk", &TfrmGenOptions::btnOkClick);
  HandleClick(L"rbUnlim", &TfrmGenOptions::rbUnlimClick);
  HandleClick(L"rbLimit", &TfrmGenOptions::rbLimitClick);
  HandleClick(L"SpeedButton12", &TfrmGenOptions::SpeedButton12Click);
  HandleClick(L"SpeedButton1", &TfrmGenOptions::SpeedButton1Click);
  HandleClick(L"Button12", &TfrmGenOptions::Button12Click);
  HandleClick(L"bt2", &TfrmGenOptions::bt2Click);
  HandleClick(L"bt1", &TfrmGenOptions::bt1Click);
  FormCreate();
}

void TfrmGenOptions::FormCreate() {
  auto& self = *this;
  self[L"pc1"].SetActivePage(L"ts1");
  const bool haveChoosers = ctx_.choosers != nullptr;
  self[L"SpeedButton12"].SetEnabled(haveChoosers);
  self[L"SpeedButton1"].SetEnabled(haveChoosers);
  self[L"Button12"].SetEnabled(haveChoosers && ctx_.recorder != nullptr);
  self[L"bt2"].SetEnabled(ctx_.update != nullptr);
  self[L"bt1"].SetEnabled(static_cast<bool>(ctx_.openFile));
  LoadGeneral();
  LoadRecording();
  LoadScreenshots();
}

void TfrmGenOptions::LoadGeneral() {
  auto& self = *this;
  settings::TRegValues& reg1 = ctx_.reg1;
  self[L"cbStart"].SetChecked(AutostartOn(ctx_.registry, ctx_.programFile));
  for (const CheckSetting& check : kGeneralChecks) self[check.box].SetChecked(reg1.GetBool(check.setting));
  self[L"udUp"].SetPosition(reg1.GetInteger(L"up_limit"));
  self[L"udDown"].SetPosition(reg1.GetInteger(L"down_limit"));
}

void TfrmGenOptions::LoadRecording() {
  auto& self = *this;
  settings::TRegValues& reg1 = ctx_.reg1;
  if (ctx_.recorder && ctx_.recorder->FormatLoaded()) {
    const std::span<const uint8_t> format = ctx_.recorder->Format();
    formatCopy_.assign(format.begin(), format.end());
    formatValid_ = true;
    self[L"lbCodec"].SetCaption(reg1.GetString(L"AudioComp"));
    self[L"lbFormat"].SetCaption(reg1.GetString(L"AudioFormat"));
  } else {
    self[L"lbCodec"].SetCaption(L"未配置!");
  }
  self[L"edFolder"].SetText(reg1.GetString(L"AudioFolder"));
  const bool limited = reg1.GetInteger(L"AudioLimit") != 0;
  self[limited ? L"rbLimit" : L"rbUnlim"].SetChecked(true);
  self[L"UpDown1"].SetEnabled(limited);
  self[L"UpDown1"].SetPosition(reg1.GetInteger(L"AudioSeconds"));
}

void TfrmGenOptions::LoadScreenshots() {
  auto& self = *this;
  self[L"edSFolder"].SetText(ctx_.reg1.GetString(L"SSFolder"));
  self[L"cbAddTime"].SetChecked(ctx_.reg1.GetBool(L"SSAddTime"));
}

void TfrmGenOptions::SaveGeneral() {
  auto& self = *this;
  settings::TRegValues& reg1 = ctx_.reg1;
  SetAutostart(ctx_.registry, ctx_.programFile, self[L"cbStart"].Checked());
  for (const CheckSetting& check : kGeneralChecks) reg1.SetValue(check.setting, self[check.box].Checked());
  reg1.SetValue(L"up_limit", self[L"udUp"].Position());
  reg1.SetValue(L"down_limit", self[L"udDown"].Position());
  if (ctx_.UseSkinnedMenu) ctx_.UseSkinnedMenu(self[L"cbSkin"].Checked());
}

void TfrmGenOptions::SaveRecording() {
  auto& self = *this;
  settings::TRegValues& reg1 = ctx_.reg1;
  // The names go with the format: only when "audio.dat" took it.
  if (formatValid_ && ctx_.recorder && ctx_.recorder->ChooseFormat(formatCopy_)) {
    reg1.SetValue(L"AudioComp", self[L"lbCodec"].Caption());
    reg1.SetValue(L"AudioFormat", self[L"lbFormat"].Caption());
  }
  reg1.SetValue(L"AudioFolder", self[L"edFolder"].Text());
  reg1.SetValue(L"AudioLimit", int32_t{self[L"rbLimit"].Checked() ? 1 : 0});
  reg1.SetValue(L"AudioSeconds", self[L"UpDown1"].Position());
}

void TfrmGenOptions::SaveScreenshots() {
  auto& self = *this;
  ctx_.reg1.SetValue(L"SSFolder", self[L"edSFolder"].Text());
  ctx_.reg1.SetValue(L"SSAddTime", self[L"cbAddTime"].Checked());
}

void TfrmGenOptions::btnOkClick(TComponent&) {
  SaveGeneral();
  SaveRecording();
  SaveScreenshots();
  ctx_.reg1.SaveAll();
}

void TfrmGenOptions::rbUnlimClick(TComponent&) { (*this)[L"UpDown1"].SetEnabled(false); }

void TfrmGenOptions::rbLimitClick(TComponent&) { (*this)[L"UpDown1"].SetEnabled(true); }

void TfrmGenOptions::BrowseInto(const wchar_t* edit) {
  if (!ctx_.choosers) return;
  TComponent& folder = (*this)[edit];
  const std::wstring start = folder.Text().empty() ? std::wstring(kFirstFolder) : folder.Text();
  if (const std::optional<std::wstring> chosen = ctx_.choosers->ChooseFolder({kFolderTitle, start}))
    folder.SetText(*chosen);
}

void TfrmGenOptions::SpeedButton12Click(TComponent&) { BrowseInto(L"edFolder"); }

void TfrmGenOptions::SpeedButton1Click(TComponent&) { BrowseInto(L"edSFolder"); }

void TfrmGenOptions::Button12Click(TComponent&) {
  if (!ctx_.choosers) return;
  const std::span<const uint8_t> start = formatValid_ ? std::span<const uint8_t>(formatCopy_) : std::span<const uint8_t>();
  std::optional<platform::AudioFormatChoice> choice = ctx_.choosers->ChooseAudioFormat(start, audio::kFormatBufferSize);
  if (!choice) return;
  // Only a format the recorder can take replaces the copy.
  const std::optional<audio::WaveFormat> format = audio::WaveFormat::Parse(choice->format);
  if (!format) return;
  formatCopy_.assign(format->Bytes().begin(), format->Bytes().end());
  formatValid_ = true;
  (*this)[L"lbCodec"].SetCaption(choice->tagName);
  (*this)[L"lbFormat"].SetCaption(choice->formatName);
}

void TfrmGenOptions::bt2Click(TComponent&) {
  if (!ctx_.update) return;
  RunUpdateCheck({ctx_.forms, ctx_.iniFiles, *ctx_.update, ctx_.user, ctx_.shell, ctx_.programFolder,
                  ctx_.programFile, ctx_.builtInVersion});
}

void TfrmGenOptions::bt1Click(TComponent&) {
  if (!ctx_.openFile) return;
  BackupProfiles({ctx_.shell, ctx_.user, ctx_.openFile});
}

}  // namespace corvane::options
