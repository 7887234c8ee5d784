#include "games/gp_form.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <iterator>

#include "hardware/overclocking/profile_store.h"
#include "platform/registry_values.h"

namespace corvane::games {
namespace {

using K = ui::ComponentKind;
using ui::TModalResult;

const wchar_t kNoChange[] = L"不更改";
const wchar_t kBackupProfile[] = L"$$";

const ui::ComponentDecl kComponents[] = {
    {.kind = K::Form, .name = L"frmGP", .caption = L"游戏配置管理", .width = 452, .height = 392},
    {.kind = K::PageControl, .name = L"pcGP", .left = 4, .top = 4, .width = 444, .height = 318, .itemIndex = 0},
    {K::TabSheet, L"tsGeneral", L"常规", L"pcGP"},
    {K::Label, L"lbGames", L"配置:", L"tsGeneral", 8, 12, 90, 16},
    {K::ComboBox, L"cbGames", L"", L"tsGeneral", 100, 8, 320, 21},
    {K::Label, L"lbName", L"配置名称:", L"tsGeneral", 8, 48, 90, 16},
    {K::Edit, L"edName", L"", L"tsGeneral", 100, 44, 320, 21},
    {K::Label, L"lbFile", L"游戏程序:", L"tsGeneral", 8, 80, 90, 16},
    {K::Edit, L"edFile", L"", L"tsGeneral", 100, 76, 290, 21},
    {K::Button, L"SpeedButton1", L"...", L"tsGeneral", 396, 76, 24, 21},
    {K::Label, L"lbParams", L"参数:", L"tsGeneral", 8, 112, 90, 16},
    {K::Edit, L"edParams", L"", L"tsGeneral", 100, 108, 320, 21},
    {K::Label, L"lbFS", L"分辨率:", L"tsGeneral", 8, 144, 90, 16},
    {K::ComboBox, L"cbFS", L"", L"tsGeneral", 100, 140, 160, 21},
    {K::CheckBox, L"cbExit", L"游戏结束后退出程序", L"tsGeneral", 8, 176, 300, 20},
    {K::Button, L"btShortcut", L"创建桌面快捷方式", L"tsGeneral", 8, 250, 160, 25},

    {K::TabSheet, L"tsSettings", L"设置", L"pcGP"},
    {K::CheckBox, L"cbUseD3D", L"Direct3D", L"tsSettings", 8, 10, 110, 20},
    {K::ComboBox, L"cbD3D", L"", L"tsSettings", 120, 8, 180, 21},
    {K::CheckBox, L"cbRestoreD3D", L"游戏后恢复", L"tsSettings", 310, 10, 120, 20},
    {K::CheckBox, L"cbUseOGL", L"OpenGL", L"tsSettings", 8, 40, 110, 20},
    {K::ComboBox, L"cbOGL", L"", L"tsSettings", 120, 38, 180, 21},
    {K::CheckBox, L"cbRestoreOGL", L"游戏后恢复", L"tsSettings", 310, 40, 120, 20},
    {K::Label, L"lbBefore", L"游戏前超频:", L"tsSettings", 8, 76, 110, 16},
    {.kind = K::ComboBox, .name = L"cbBefore", .parent = L"tsSettings", .left = 120, .top = 72, .width = 140,
     .height = 21, .items = {L"无操作", L"手动超频", L"使用自动 2d/3d"}, .itemIndex = 0},
    {K::ComboBox, L"cbOvers", L"", L"tsSettings", 120, 100, 310, 21},
    {K::Label, L"lbAfterAction", L"游戏后超频:", L"tsSettings", 8, 136, 110, 16},
    {.kind = K::ComboBox, .name = L"cbAfterAction", .parent = L"tsSettings", .left = 120, .top = 132, .width = 140,
     .height = 21, .items = {L"无操作", L"手动超频", L"使用自动 2d/3d"}, .itemIndex = 0},
    {K::ComboBox, L"cbAfter", L"", L"tsSettings", 120, 160, 310, 21},
    {K::CheckBox, L"cbUseColor", L"颜色配置", L"tsSettings", 8, 198, 110, 20},
    {K::ComboBox, L"cbColors", L"", L"tsSettings", 120, 196, 180, 21},

    {K::Button, L"btNew", L"新建(&N)", L"", 4, 330, 80, 25},
    {K::Button, L"btSave", L"保存(&A)", L"", 90, 330, 80, 25},
    {K::Button, L"btDelete", L"删除(&D)", L"", 176, 330, 80, 25},
    {K::Button, L"btExport", L"导出...", L"", 262, 330, 48, 25},
    {K::Button, L"btImport", L"导入...", L"", 314, 330, 48, 25},
    {.kind = K::Button, .name = L"btClose", .caption = L"关闭", .left = 368, .top = 330, .width = 80, .height = 25,
     .modalResult = TModalResult::Ok, .isCancel = true},
    {K::Label, L"StatusBar1", L"", L"", 4, 366, 444, 18},
};

// The profiles of one kind below the profiles root, without the launcher's backup.
std::vector<std::wstring> ListedNames(platform::Registry& registry, const std::wstring& path, bool values) {
  std::vector<std::wstring> names;
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, path, false);
  if (!key) return names;
  for (std::wstring& name : values ? key->ValueNames() : key->SubKeyNames())
    if (name != kBackupProfile) names.push_back(std::move(name));
  return names;
}

long WholeMhz(const std::optional<double>& value) {
  if (!value || !std::isfinite(*value) || *value > 1e6) return 0;
  return std::lround(*value);
}

// "name (core:mem) T1 T2", memory doubled where DDR clocks are shown.
std::wstring OverEntry(platform::Registry& registry, const std::wstring& name, bool showDdr) {
  std::optional<overclocking::StoredOverProfile> stored = overclocking::ReadOverProfile(registry, name);
  overclocking::StoredOverProfile values = stored.value_or(overclocking::StoredOverProfile{});
  wchar_t entry[512];
  std::swprintf(entry, std::size(entry), L"%ls (%ld:%ld) %ls %ls", name.c_str(), WholeMhz(values.vpu),
                WholeMhz(values.mem) * (showDdr ? 2 : 1), values.t1 != 0 ? L"T1" : L"", values.t2 != 0 ? L"T2" : L"");
  return entry;
}

// The game's folder as a working folder: without the trailing '\' except at a drive's root.
std::wstring GameFolder(const std::wstring& file) {
  const size_t slash = file.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  if (slash == 2 && file[1] == L':') return file.substr(0, 3);
  return file.substr(0, slash);
}

std::wstring FolderWithSlash(const std::wstring& file) {
  const size_t slash = file.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? std::wstring() : file.substr(0, slash + 1);
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmGP::ComponentTable() { return kComponents; }

TfrmGP::TfrmGP(const GameProfileDialogContext& context) : TForm(context.forms, kComponents), ctx_(context) {
  HandleChange(L"cbGames", &TfrmGP::cbGamesChange);
  HandleClick(L"SpeedButton1", &TfrmGP::SpeedButton1Click);
  HandleClick(L"btNew", &TfrmGP::btNewClick);
  HandleClick(L"btSave", &TfrmGP::btSaveClick);
  HandleClick(L"btDelete", &TfrmGP::btDeleteClick);
  HandleClick(L"btExport", &TfrmGP::btExportClick);
  HandleClick(L"btImport", &TfrmGP::btImportClick);
  (*this)[L"btExport"].SetVisible(ctx_.profileFiles != nullptr);
  (*this)[L"btImport"].SetVisible(ctx_.profileFiles != nullptr);
  HandleClick(L"btShortcut", &TfrmGP::btShortcutClick);
  for (const wchar_t* check : {L"cbUseD3D", L"cbUseOGL", L"cbUseColor"}) HandleClick(check, &TfrmGP::ChoiceChange);
  for (const wchar_t* choice : {L"cbBefore", L"cbAfterAction"}) HandleChange(choice, &TfrmGP::ChoiceChange);

  (*this)[L"pcGP"].SetActivePage(L"tsGeneral");
  FillLists();
  if (ctx_.AceMode) {
    // The newer control centre keeps one set of 3D settings for both interfaces.
    for (const wchar_t* name : {L"cbUseOGL", L"cbRestoreOGL", L"cbOGL"}) (*this)[name].SetVisible(false);
    (*this)[L"cbUseD3D"].SetCaption(L"3D");
  }
  LoadGames(L"");
}

void TfrmGP::FillLists() {
  std::vector<std::wstring> modes{kNoChange};
  if (ctx_.catalogue)
    for (const display::ResolutionEntry& entry : ctx_.catalogue->Entries())
      modes.push_back(display::ModeText(entry.width, entry.height, entry.bitsPerPixel));
  (*this)[L"cbFS"].SetItems(std::move(modes));
  (*this)[L"cbFS"].SetItemIndex(0);

  (*this)[L"cbD3D"].SetItems(ListedNames(ctx_.registry, ctx_.profilesRoot + L"d3d", false));
  (*this)[L"cbOGL"].SetItems(ListedNames(ctx_.registry, ctx_.profilesRoot + L"ogl", false));

  overNames_ = overclocking::OverProfileNames(ctx_.registry);
  std::vector<std::wstring> entries;
  const bool showDdr = ctx_.reg1.GetBool(L"ShowDDR");
  for (const std::wstring& name : overNames_) entries.push_back(OverEntry(ctx_.registry, name, showDdr));
  (*this)[L"cbOvers"].SetItems(entries);
  (*this)[L"cbAfter"].SetItems(std::move(entries));

  (*this)[L"cbColors"].SetItems(ListedNames(ctx_.registry, ctx_.profilesRoot + L"colors", true));
  UpdateEnabled();
}

void TfrmGP::LoadGames(const std::wstring& select) {
  ui::TComponent& games = (*this)[L"cbGames"];
  games.SetItems(GameProfileNames(ctx_.registry, ctx_.profilesRoot));
  games.SetText(select);
  cbGamesChange(games);
}

void TfrmGP::cbGamesChange(ui::TComponent& sender) {
  const bool selected = sender.ItemIndex() >= 0;
  (*this)[L"btDelete"].SetEnabled(selected);
  if (!selected) return;
  const std::wstring name = sender.Text();
  const GameProfile profile = ReadGameProfile(ctx_.registry, ctx_.profilesRoot, name);
  (*this)[L"edName"].SetText(name);
  (*this)[L"edFile"].SetText(profile.File);
  (*this)[L"edParams"].SetText(profile.File_Params);
  (*this)[L"cbUseD3D"].SetChecked(profile.UseD3D == 1);
  (*this)[L"cbD3D"].SetText(profile.D3DName);
  (*this)[L"cbUseOGL"].SetChecked(profile.UseOGL == 1);
  (*this)[L"cbOGL"].SetText(profile.OGLName);
  (*this)[L"cbBefore"].SetItemIndex(profile.UseOver <= kOverChoiceAuto ? static_cast<int>(profile.UseOver) : 0);
  (*this)[L"cbRestoreD3D"].SetChecked(profile.RestoreD3D != 0);
  (*this)[L"cbRestoreOGL"].SetChecked(profile.RestoreOGL != 0);
  (*this)[L"cbUseColor"].SetChecked(!profile.ColorProfile.empty());
  (*this)[L"cbColors"].SetText(profile.ColorProfile);
  SelectOverName(L"cbOvers", profile.OverName);
  SelectOverName(L"cbAfter", profile.AfterName);
  (*this)[L"cbAfterAction"].SetItemIndex(profile.UseAfter <= kOverChoiceAuto ? static_cast<int>(profile.UseAfter) : 0);
  (*this)[L"cbExit"].SetChecked(profile.ExitAfterGame == 1);
  ui::TComponent& modes = (*this)[L"cbFS"];
  if (profile.SwitchResolution.empty())
    modes.SetItemIndex(0);
  else
    modes.SetText(profile.SwitchResolution);
  SetStatus(L"加载 " + name);
  UpdateEnabled();
}

void TfrmGP::ChoiceChange(ui::TComponent&) { UpdateEnabled(); }

void TfrmGP::UpdateEnabled() {
  (*this)[L"cbD3D"].SetEnabled((*this)[L"cbUseD3D"].Checked());
  (*this)[L"cbOGL"].SetEnabled((*this)[L"cbUseOGL"].Checked());
  (*this)[L"cbColors"].SetEnabled((*this)[L"cbUseColor"].Checked());
  (*this)[L"cbOvers"].SetEnabled((*this)[L"cbBefore"].ItemIndex() == kOverChoiceProfile);
  (*this)[L"cbAfter"].SetEnabled((*this)[L"cbAfterAction"].ItemIndex() == kOverChoiceProfile);
}

std::wstring TfrmGP::OverName(const wchar_t* list) const {
  const int index = (*this)[list].ItemIndex();
  return index >= 0 && static_cast<size_t>(index) < overNames_.size() ? overNames_[static_cast<size_t>(index)]
                                                                      : std::wstring();
}

void TfrmGP::SelectOverName(const wchar_t* list, const std::wstring& name) {
  auto found = std::find(overNames_.begin(), overNames_.end(), name);
  const bool listed = !name.empty() && found != overNames_.end();
  (*this)[list].SetItemIndex(listed ? static_cast<int>(found - overNames_.begin()) : -1);
}

void TfrmGP::SpeedButton1Click(ui::TComponent&) {
  platform::OpenFileRequest request;
  request.filter = L"可执行文件 (*.exe)|*.exe";
  request.initialFolder = ctx_.reg1.GetString(L"LastDir");
  request.fileName = (*this)[L"edFile"].Text();
  std::optional<std::wstring> chosen = ctx_.user.ChooseOpenFile(request);
  if (!chosen) return;
  (*this)[L"edFile"].SetText(*chosen);
  ctx_.reg1.SetValue(L"LastDir", FolderWithSlash(*chosen));
  const std::wstring description = ctx_.shell.FileDescription(*chosen);
  if (!description.empty()) (*this)[L"edName"].SetText(description);
}

void TfrmGP::btNewClick(ui::TComponent&) {
  for (const wchar_t* edit : {L"edName", L"edParams", L"edFile"}) (*this)[edit].SetText(L"");
  for (const wchar_t* check : {L"cbUseD3D", L"cbUseOGL", L"cbRestoreD3D", L"cbRestoreOGL"})
    (*this)[check].SetChecked(false);
  (*this)[L"cbBefore"].SetItemIndex(kOverChoiceNone);
  (*this)[L"cbAfterAction"].SetItemIndex(kOverChoiceNone);
  for (const wchar_t* list : {L"cbD3D", L"cbOGL", L"cbOvers", L"cbAfter"}) (*this)[list].SetItemIndex(-1);
  ui::TComponent& games = (*this)[L"cbGames"];
  games.SetItemIndex(-1);
  cbGamesChange(games);
  SetStatus(L"");
  (*this)[L"cbFS"].SetItemIndex(0);
  UpdateEnabled();
}

std::wstring TfrmGP::Check(const std::wstring& name) const {
  if (name.empty()) return L"输入配置文件名!";
  if ((*this)[L"edFile"].Text().empty()) return L"请选择一个游戏应用程序!";
  if ((*this)[L"cbUseD3D"].Checked() && (*this)[L"cbD3D"].ItemIndex() < 0) return L"请选择 Direct3D 配置";
  if (!ctx_.AceMode && (*this)[L"cbUseOGL"].Checked() && (*this)[L"cbOGL"].ItemIndex() < 0)
    return L"请选择 OpenGL 配置";
  if (((*this)[L"cbBefore"].ItemIndex() == kOverChoiceProfile && (*this)[L"cbOvers"].ItemIndex() < 0) ||
      ((*this)[L"cbAfterAction"].ItemIndex() == kOverChoiceProfile && (*this)[L"cbAfter"].ItemIndex() < 0))
    return L"请选择超频配置";
  if ((*this)[L"cbUseColor"].Checked() && (*this)[L"cbColors"].ItemIndex() < 0) return L"请选择颜色配置";
  return L"";
}

bool TfrmGP::SaveProfile() {
  const std::wstring name = CleanGameProfileName((*this)[L"edName"].Text());
  (*this)[L"edName"].SetText(name);
  if (const std::wstring failure = Check(name); !failure.empty()) {
    ShowError(failure);
    return false;
  }
  GameProfile profile;
  profile.File = (*this)[L"edFile"].Text();
  profile.File_Params = (*this)[L"edParams"].Text();
  if ((*this)[L"cbUseD3D"].Checked()) {
    profile.UseD3D = 1;
    profile.D3DName = (*this)[L"cbD3D"].Text();
    profile.RestoreD3D = (*this)[L"cbRestoreD3D"].Checked() ? 1 : 0;
  }
  // Hidden in AceMode, where the Direct3D choice covers OpenGL too.
  if (!ctx_.AceMode && (*this)[L"cbUseOGL"].Checked()) {
    profile.UseOGL = 1;
    profile.OGLName = (*this)[L"cbOGL"].Text();
    profile.RestoreOGL = (*this)[L"cbRestoreOGL"].Checked() ? 1 : 0;
  }
  profile.UseOver = static_cast<uint32_t>(std::max((*this)[L"cbBefore"].ItemIndex(), 0));
  if (profile.UseOver == kOverChoiceProfile) profile.OverName = OverName(L"cbOvers");
  profile.UseAfter = static_cast<uint32_t>(std::max((*this)[L"cbAfterAction"].ItemIndex(), 0));
  if (profile.UseAfter == kOverChoiceProfile) profile.AfterName = OverName(L"cbAfter");
  if ((*this)[L"cbUseColor"].Checked()) profile.ColorProfile = (*this)[L"cbColors"].Text();
  profile.ExitAfterGame = (*this)[L"cbExit"].Checked() ? 1 : 0;
  const ui::TComponent& modes = (*this)[L"cbFS"];
  if (modes.ItemIndex() > 0) profile.SwitchResolution = modes.Text();

  WriteGameProfile(ctx_.registry, ctx_.profilesRoot, name, profile);
  LoadGames(name);
  SetStatus(L"Saved...");
  return true;
}

void TfrmGP::btSaveClick(ui::TComponent&) { SaveProfile(); }

void TfrmGP::btDeleteClick(ui::TComponent&) {
  const std::wstring name = (*this)[L"cbGames"].Text();
  if (name.empty()) return;
  if (!platform::AskOkCancel(ctx_.user, L"确认", L"删除选择的配置吗?", platform::MessageIcon::Question, 1)) return;
  ctx_.registry.DeleteKey(platform::RegistryRoot::CurrentUser, GameProfileKey(ctx_.profilesRoot, name));
  LoadGames(L"");
}

void TfrmGP::btExportClick(ui::TComponent&) {
  if (ctx_.profileFiles)
    settings::ExportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Game, (*this)[L"cbGames"].Text());
}

void TfrmGP::btImportClick(ui::TComponent&) {
  if (!ctx_.profileFiles) return;
  if (std::optional<std::wstring> name = settings::ImportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Game))
    LoadGames(*name);
}

void TfrmGP::btShortcutClick(ui::TComponent&) {
  if (!SaveProfile()) return;
  const std::wstring name = (*this)[L"edName"].Text();
  const std::wstring file = (*this)[L"edFile"].Text();
  platform::ShortcutRequest request;
  request.linkName = name;
  request.target = ctx_.shell.ProgramFilePath();
  request.arguments = L" /loadgame \"" + name + L"\"";
  request.iconFile = file;
  request.folder = GameFolder(file);
  ctx_.shell.CreateShortcut(ctx_.supportLibrary, request);
  SetStatus(L"快捷方式 " + name + L", 已创建.");
}

void TfrmGP::ShowError(const std::wstring& text) {
  platform::MessageBoxRequest request;
  request.caption = L"错误";
  request.text = text;
  request.icon = platform::MessageIcon::Error;
  ctx_.user.ShowMessage(request);
}

void TfrmGP::SetStatus(const std::wstring& text) { (*this)[L"StatusBar1"].SetCaption(text); }

}  // namespace corvane::games
