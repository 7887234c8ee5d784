#include "driver3d/dialogs/settings_form.h"

#include <algorithm>
#include <array>

#include "driver3d/setting_text.h"
#include "settings/decimal_text.h"
#include "ui/select_dialog.h"

namespace corvane::driver3d {
namespace {

using platform::MessageIcon;
using ui::TComponent;

enum RefreshRateChoice { kRateDisabled = 0, kRateDesktop = 1, kRateCustom = 2 };
enum FrameChoice { kFrameDefault = 0, kFrameManual = 1 };

constexpr std::array<const wchar_t*, 4> kTextureLabels = {L"高性能", L"性能", L"质量", L"高质量"};
constexpr std::array<const wchar_t*, 3> kVSyncLabels = {L"总是关闭", L"应用程序首选项", L"总是打开"};
// Drivers that tell "off unless asked" from "on unless refused".
constexpr std::array<const wchar_t*, 4> kVSyncLabelsFourWay = {L"总是关闭", L"默认关闭", L"应用程序首选项",
                                                               L"总是打开"};
constexpr std::array<const wchar_t*, 2> kTruformLabels = {L"总是关闭", L"应用程序首选项"};

template <size_t N>
const wchar_t* LabelAt(const std::array<const wchar_t*, N>& labels, int position) {
  return position >= 0 && static_cast<size_t>(position) < N ? labels[static_cast<size_t>(position)] : L"";
}

// Every control a user changes, by the event that tells it; not every dialog has each.
const wchar_t* const kChangeControls[] = {L"cbAA",     L"cbAF", L"tbTP",          L"tbMML",      L"tbVS",
                                          L"tbTF",     L"cbMult", L"cbFrame",     L"edFValue",   L"cbAI",
                                          L"cbRefreshRate", L"cbCustomRF", L"cbZBuf"};
const wchar_t* const kClickControls[] = {L"rbPerf", L"rbQual",     L"rbQualT",  L"cbAlter",  L"cbDXT",
                                         L"cbBump", L"cbAnisoOpt", L"cbTriOpt", L"cbTriple", L"btDef"};

}  // namespace

std::optional<uint32_t> ParseSettingNumber(std::wstring_view text) {
  return settings::ParseDecimal(TrimBlanks(text));
}

std::wstring CleanProfileName(std::wstring name) {
  for (wchar_t& c : name)
    if (std::wstring_view(L"/\\?|\"*<>:").find(c) != std::wstring_view::npos) c = L'_';
  return name;
}

TSettings3DForm::TSettings3DForm(const Dialog3DContext& context, std::span<const ui::ComponentDecl> components,
                                 ProfileKind kind)
    : TForm(context.forms, components), ctx_(context), kind_(kind) {
  HandleChange(L"cbAF", &TSettings3DForm::cbAFChange);
  HandleChange(L"cbMult", &TSettings3DForm::cbMultChange);
  HandleChange(L"cbFrame", &TSettings3DForm::cbFrameChange);
  HandleClick(L"btDef", &TSettings3DForm::btDefClick);
  HandleChange(L"cbRefreshRate", &TSettings3DForm::cbRefreshRateChange);
  HandleChange(L"cbTemplates", &TSettings3DForm::cbTemplatesChange);
  HandleClick(L"btApply", &TSettings3DForm::btApplyClick);
  HandleClick(L"btOk", &TSettings3DForm::btOkClick);
  HandleClick(L"btSave", &TSettings3DForm::btSaveClick);
  HandleClick(L"btLoad", &TSettings3DForm::btLoadClick);
  HandleClick(L"btDelete", &TSettings3DForm::btDeleteClick);
  HandleClick(L"btExport", &TSettings3DForm::btExportClick);
  HandleClick(L"btImport", &TSettings3DForm::btImportClick);
  (*this)[L"btExport"].SetVisible(ctx_.profileFiles != nullptr);
  (*this)[L"btImport"].SetVisible(ctx_.profileFiles != nullptr);
  WatchControls();
}

// Wraps each control's own handler: a user change marks the dialog changed first.
void TSettings3DForm::WatchControls() {
  auto watch = [this](ui::TNotifyEvent& event) {
    event = [this, own = event](TComponent& sender) {
      MarkChanged();
      if (own) own(sender);
    };
  };
  for (const wchar_t* name : kChangeControls)
    if (TComponent* control = Find(name)) watch(control->OnChange);
  for (const wchar_t* name : kClickControls)
    if (TComponent* control = Find(name)) watch(control->OnClick);
  // The labels beside the track bars follow them.
  for (const wchar_t* name : {L"tbTP", L"tbMML", L"tbVS", L"tbTF"}) {
    TComponent& bar = (*this)[name];
    bar.OnChange = [this, own = bar.OnChange](TComponent& sender) {
      own(sender);
      ShowTrackLabels();
    };
  }
}

void TSettings3DForm::FormShow() { (*this)[L"pcMain"].SetItemIndex(0); }

void TSettings3DForm::MarkChanged() {
  changed_ = true;
  (*this)[L"btApply"].SetEnabled(true);
}

void TSettings3DForm::ShowTrackLabels() {
  auto& self = *this;
  self[L"lbTPValue"].SetCaption(LabelAt(kTextureLabels, self[L"tbTP"].Position()));
  self[L"lbMMLValue"].SetCaption(LabelAt(kTextureLabels, self[L"tbMML"].Position()));
  const TComponent& vsync = self[L"tbVS"];
  self[L"lbVSValue"].SetCaption(vsync.Max() == 3 ? LabelAt(kVSyncLabelsFourWay, vsync.Position())
                                                 : LabelAt(kVSyncLabels, vsync.Position()));
  self[L"lbTFValue"].SetCaption(LabelAt(kTruformLabels, self[L"tbTF"].Position()));
}

void TSettings3DForm::EnableAnisoTypes() {
  const bool forced = (*this)[L"cbAF"].ItemIndex() != 0;
  for (const wchar_t* name : {L"rbPerf", L"rbQual", L"rbQualT"})
    if (TComponent* button = Find(name)) button->SetEnabled(forced);
}

void TSettings3DForm::cbAFChange(TComponent&) { EnableAnisoTypes(); }

// --- Forced refresh rate ---

void TSettings3DForm::ShowRefreshRate(std::optional<uint32_t> stored) {
  storedRefreshRate_ = stored;
  auto& self = *this;
  TComponent& custom = self[L"cbCustomRF"];
  custom.SetItemIndex(-1);
  const uint32_t desktop = ctx_.DesktopRefreshRate ? ctx_.DesktopRefreshRate() : 0;
  if (!stored) {
    self[L"cbRefreshRate"].SetItemIndex(kRateDisabled);
  } else if (desktop != 0 && *stored == desktop) {
    self[L"cbRefreshRate"].SetItemIndex(kRateDesktop);
  } else {
    self[L"cbRefreshRate"].SetItemIndex(kRateCustom);
    custom.SetText(std::to_wstring(*stored));
  }
  custom.SetEnabled(self[L"cbRefreshRate"].ItemIndex() == kRateCustom);
}

std::optional<uint32_t> TSettings3DForm::ChosenRefreshRate() const {
  const auto& self = *this;
  switch (self[L"cbRefreshRate"].ItemIndex()) {
    case kRateDisabled:
      return std::nullopt;
    case kRateDesktop: {
      const uint32_t desktop = ctx_.DesktopRefreshRate ? ctx_.DesktopRefreshRate() : 0;
      return desktop != 0 ? std::optional<uint32_t>(desktop) : storedRefreshRate_;
    }
    case kRateCustom:
      if (std::optional<uint32_t> rate = ParseSettingNumber(self[L"cbCustomRF"].Text())) return rate;
      return storedRefreshRate_;
    default:
      return storedRefreshRate_;
  }
}

void TSettings3DForm::cbRefreshRateChange(TComponent& sender) {
  TComponent& custom = (*this)[L"cbCustomRF"];
  custom.SetEnabled(sender.ItemIndex() == kRateCustom);
  if (custom.Enabled() && custom.ItemIndex() < 0) custom.SetItemIndex(0);
}

// --- Temporal anti-aliasing ---

void TSettings3DForm::ShowTemporalAA(const std::optional<std::wstring>& multiplier, const std::wstring& threshold) {
  auto& self = *this;
  std::wstring first = multiplier ? multiplier->substr(0, 1) : L"0";
  if (first != L"2" && first != L"3") first = L"0";
  self[L"cbMult"].SetItemIndex(first == L"0" ? 0 : first[0] - L'0' - 1);
  if (first != L"0" && TrimBlanks(threshold) != L"0" && !TrimBlanks(threshold).empty()) {
    self[L"cbFrame"].SetItemIndex(kFrameManual);
    self[L"edFValue"].SetText(TrimBlanks(threshold));
  } else {
    self[L"cbFrame"].SetItemIndex(kFrameDefault);
    self[L"edFValue"].SetText(L"");
  }
  EnableTemporalAA();
}

TemporalAA TSettings3DForm::ChosenTemporalAA() const {
  const auto& self = *this;
  const int multiplier = self[L"cbMult"].ItemIndex();
  if (multiplier <= 0) return {};
  TemporalAA chosen{std::to_wstring(multiplier + 1), std::nullopt};
  if (self[L"cbFrame"].ItemIndex() == kFrameManual)
    if (std::optional<uint32_t> threshold = ParseSettingNumber(self[L"edFValue"].Text()))
      chosen.threshold = std::to_wstring(*threshold);
  return chosen;
}

void TSettings3DForm::EnableTemporalAA() {
  auto& self = *this;
  const bool on = self[L"cbMult"].ItemIndex() > 0;
  self[L"cbFrame"].SetEnabled(on);
  self[L"edFValue"].SetEnabled(on && self[L"cbFrame"].ItemIndex() == kFrameManual);
}

void TSettings3DForm::cbMultChange(TComponent& sender) {
  if (sender.ItemIndex() <= 0) (*this)[L"cbFrame"].SetItemIndex(kFrameDefault);
  EnableTemporalAA();
}

void TSettings3DForm::cbFrameChange(TComponent&) {
  EnableTemporalAA();
  if ((*this)[L"edFValue"].Enabled()) (*this)[L"edFValue"].SetFocus();
}

void TSettings3DForm::btDefClick(TComponent&) {
  auto& self = *this;
  self[L"edFValue"].SetText(L"");
  self[L"cbFrame"].SetItemIndex(kFrameDefault);
  self[L"cbMult"].SetItemIndex(0);
  EnableTemporalAA();
}

// --- Catalyst A.I. ---

void TSettings3DForm::ShowCatalystAI(const std::wstring& stored) {
  storedCatalystAI_ = stored;
  const std::optional<uint32_t> level = ParseSettingNumber(stored);
  (*this)[L"cbAI"].SetItemIndex(level && *level <= 2 ? static_cast<int>(*level) : -1);
}

std::wstring TSettings3DForm::ChosenCatalystAI() const {
  const int index = (*this)[L"cbAI"].ItemIndex();
  return index >= 0 ? std::to_wstring(index) : storedCatalystAI_;
}

// --- Applying ---

bool TSettings3DForm::FrameThresholdValid() {
  auto& self = *this;
  if (self[L"cbFrame"].ItemIndex() != kFrameManual || ParseSettingNumber(self[L"edFValue"].Text())) return true;
  Beep();
  self[L"pcMain"].SetActivePage(L"tsExtra");
  self[L"edFValue"].SetFocus();
  return false;
}

bool TSettings3DForm::ApplyChanges() {
  if (!changed_) return true;
  if (!FrameThresholdValid()) return false;
  ApplyToDriver();
  changed_ = false;
  (*this)[L"btApply"].SetEnabled(false);
  return true;
}

void TSettings3DForm::btApplyClick(TComponent&) { ApplyChanges(); }

void TSettings3DForm::btOkClick(TComponent&) {
  if (!ApplyChanges()) SetModalResult(ui::TModalResult::None);
}

// --- Profiles ---

void TSettings3DForm::FillTemplates(bool selectMatching, const std::wstring& name) {
  TComponent& list = (*this)[L"cbTemplates"];
  const std::vector<std::wstring> names = ListedProfileNames(ctx_.profiles, kind_);
  list.SetItems(names);
  list.SetItemIndex(-1);
  if (selectMatching && !names.empty()) {
    // Every profile against one copy of the driver's settings.
    const DriverSnapshot3D now = ReadDriverSnapshot(ctx_.profiles, kind_);
    ctx_.profiles.driver.CloseKey();
    for (size_t i = 0; i < names.size(); ++i) {
      if (!ProfileMatches(ctx_.profiles, names[i], now)) continue;
      list.SetItemIndex(static_cast<int>(i));
      break;
    }
  }
  if (!name.empty()) {
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end()) list.SetItemIndex(static_cast<int>(found - names.begin()));
  }
  EnableTemplateButtons();
}

void TSettings3DForm::EnableTemplateButtons() {
  const bool selected = (*this)[L"cbTemplates"].ItemIndex() >= 0;
  (*this)[L"btLoad"].SetEnabled(selected);
  (*this)[L"btDelete"].SetEnabled(selected);
}

void TSettings3DForm::cbTemplatesChange(TComponent&) { EnableTemplateButtons(); }

void TSettings3DForm::SaveTemplate(const std::wstring& name) {
  const std::wstring key = ProfileKey(ctx_.profiles, kind_, name);
  ctx_.profiles.registry.OpenKey(platform::RegistryRoot::CurrentUser, ProfileKindKey(ctx_.profiles, kind_), true);
  ctx_.profiles.registry.DeleteKey(platform::RegistryRoot::CurrentUser, key);
  if (auto profile = ctx_.profiles.registry.OpenKey(platform::RegistryRoot::CurrentUser, key, true))
    WriteProfile(*profile);
}

void TSettings3DForm::btSaveClick(TComponent&) {
  if (!FrameThresholdValid()) return;
  ui::TfrmSelDP dialog(ctx_.forms);
  dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
  dialog.ShowList(false);
  dialog.ShowNameBox(true, (*this)[L"cbTemplates"].Text());
  dialog.ValidateInput = true;
  if (dialog.ShowModal() != ui::TModalResult::Ok) return;
  const std::wstring name = CleanProfileName(dialog.Chosen());
  // The launcher's backup and names the registry would read as a path are not profiles.
  if (name.empty() || name == kBackupProfileName) return;
  const std::vector<std::wstring>& listed = (*this)[L"cbTemplates"].Items();
  if (std::find(listed.begin(), listed.end(), name) != listed.end() &&
      !AskOkCancel(L"警告!", L"覆盖配置文件 " + name + L" ?", MessageIcon::Warning, 0))
    return;
  SaveTemplate(name);
  FillTemplates(false, name);
}

void TSettings3DForm::LoadTemplate() {
  const std::wstring name = (*this)[L"cbTemplates"].Text();
  if (name.empty()) return;
  auto profile = ctx_.profiles.registry.OpenKey(platform::RegistryRoot::CurrentUser,
                                                ProfileKey(ctx_.profiles, kind_, name), false);
  if (!profile) return;
  ReadProfile(*profile);
  ShowTrackLabels();
  // What now shows is not what the driver has: "应用(&A)" writes it.
  MarkChanged();
}

void TSettings3DForm::btLoadClick(TComponent&) { LoadTemplate(); }

namespace {
settings::StoredProfileKind StoredKind(ProfileKind kind) {
  return kind == ProfileKind::Direct3D ? settings::StoredProfileKind::Direct3D : settings::StoredProfileKind::OpenGL;
}
}  // namespace

void TSettings3DForm::btExportClick(TComponent&) {
  if (ctx_.profileFiles) settings::ExportProfile(*ctx_.profileFiles, StoredKind(kind_), (*this)[L"cbTemplates"].Text());
}

void TSettings3DForm::btImportClick(TComponent&) {
  if (!ctx_.profileFiles) return;
  if (std::optional<std::wstring> name = settings::ImportProfile(*ctx_.profileFiles, StoredKind(kind_)))
    FillTemplates(false, *name);
}

void TSettings3DForm::btDeleteClick(TComponent&) {
  const std::wstring name = (*this)[L"cbTemplates"].Text();
  if (name.empty() || !AskOkCancel(L"确认", L"删除选择的配置吗?", MessageIcon::Question, 1)) return;
  ctx_.profiles.registry.DeleteKey(platform::RegistryRoot::CurrentUser, ProfileKey(ctx_.profiles, kind_, name));
  FillTemplates(false, L"");
}

bool TSettings3DForm::AskOkCancel(const std::wstring& caption, const std::wstring& text, MessageIcon icon,
                                  int defaultButton) {
  return platform::AskOkCancel(ctx_.user, caption, text, icon, defaultButton);
}

}  // namespace corvane::driver3d
