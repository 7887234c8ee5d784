#include "hardware/overclocking/over_form.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <iterator>

#include "hardware/overclocking/clock_limits.h"
#include "hardware/overclocking/clock_rounding.h"
#include "hardware/overclocking/profile_store.h"
#include "ui/select_dialog.h"

namespace corvane::overclocking {
namespace {

using platform::MessageIcon;
using ui::TComponent;

constexpr const wchar_t* kTimingNames[] = {L"deft1", L"deft2", L"deft3"};
constexpr int kFixedDividerMode = 1;

std::wstring Format2(double value) {
  wchar_t text[32];
  std::swprintf(text, std::size(text), L"%.2f", value);
  return text;
}

std::wstring Numbered(const wchar_t* stem, TimingPage page) {
  return stem + std::to_wstring(static_cast<int>(page) + 1);
}

TimingPage PageOf(const TComponent& sender) {
  return static_cast<TimingPage>(std::clamp(sender.Tag(), 0, 2));
}

// The file name of a path, upper-cased as the application hook reports executables.
std::wstring UpperFileName(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/:");
  std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  for (wchar_t& c : name)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return name;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towupper(x) == std::towupper(y);
         });
}

}  // namespace

TfrmOver::TfrmOver(const OverDialogContext& context) : TForm(context.forms, ComponentTable()), ctx_(context) {
  HandleChange(L"tbCore", &TfrmOver::tbCoreChange);
  HandleChange(L"tbMem", &TfrmOver::tbMemChange);
  HandleClick(L"btCoreDown", &TfrmOver::btCoreDownClick);
  HandleClick(L"btCoreUp", &TfrmOver::btCoreUpClick);
  HandleClick(L"btMemDown", &TfrmOver::btMemDownClick);
  HandleClick(L"btMemUp", &TfrmOver::btMemUpClick);
  HandleClick(L"cbDDR", &TfrmOver::cbDDRClick);
  HandleClick(L"btCalc", &TfrmOver::btCalcClick);
  HandleClick(L"btReset", &TfrmOver::btResetClick);
  HandleClick(L"btApply", &TfrmOver::btApplyClick);
  HandleClick(L"btOk", &TfrmOver::btOkClick);
  for (TimingPage page : kTimingPages) {
    for (const TimingField& field : TimingFields(page)) HandleChange(field.slider, &TfrmOver::tbTimingChange);
    HandleClick(Numbered(L"btRead", page), &TfrmOver::btReadClick);
    HandleClick(Numbered(L"btSet", page), &TfrmOver::btSetClick);
    HandleClick(Numbered(L"btRestore", page), &TfrmOver::btRestoreClick);
  }
  HandleClick(L"lbxProfiles", &TfrmOver::lbxProfilesClick);
  HandleClick(L"btLoad", &TfrmOver::btLoadClick);
  HandleClick(L"btSave", &TfrmOver::btSaveClick);
  HandleClick(L"btDelete", &TfrmOver::btDeleteClick);
  HandleClick(L"btExport", &TfrmOver::btExportClick);
  HandleClick(L"btImport", &TfrmOver::btImportClick);
  (*this)[L"btExport"].SetVisible(ctx_.profileFiles != nullptr);
  (*this)[L"btImport"].SetVisible(ctx_.profileFiles != nullptr);
  HandleClick(L"cbAutoLoad", &TfrmOver::cbAutoLoadClick);
  HandleClick(L"cbEnable2d3d", &TfrmOver::cbEnable2d3dClick);
  HandleClick(L"btExAdd", &TfrmOver::btExAddClick);
  HandleClick(L"btExRemove", &TfrmOver::btExRemoveClick);
  HandleClick(L"btPlay3d", &TfrmOver::btPlay3dClick);
  HandleClick(L"btPlay2d", &TfrmOver::btPlay2dClick);
  HandleClick(L"btRender", &TfrmOver::btRenderClick);
  HandleClick(L"btScan", &TfrmOver::btScanClick);
  HandleClick(L"btMaxGpu", &TfrmOver::btMaxGpuClick);
  HandleClick(L"btMaxMem", &TfrmOver::btMaxMemClick);
  FormCreate();
}

void TfrmOver::FormCreate() {
  settings::TRegValues& reg1 = ctx_.reg1;
  auto& self = *this;
  self[L"cbMode"].SetItemIndex(reg1.GetInteger(L"ClockMode") == kFixedDividerMode ? kFixedDividerMode : 0);
  self[L"pcMain"].SetItemIndex(0);
  self[L"cbDDR"].SetChecked(reg1.GetBool(L"ShowDDR"));
  SetSliderBounds();
  RefreshDisplay();

  self[L"cbAutoLoad"].SetChecked(reg1.GetBool(L"AutoLoad"));
  self[L"cbSuspendRestore"].SetChecked(reg1.GetBool(L"SuspendRestore"));
  self[L"cbSuspendRestore"].SetEnabled(reg1.GetBool(L"AutoLoad"));
  self[L"lbAutoProfile"].SetCaption(reg1.GetString(L"AutoOverProfile"));
  self[L"cbEnable2d3d"].SetChecked(reg1.GetBool(L"Enable2d3d"));
  self[L"cbPlay3d"].SetChecked(reg1.GetBool(L"play3ds"));
  self[L"cbPlay2d"].SetChecked(reg1.GetBool(L"play2ds"));
  self[L"edPlay3d"].SetText(reg1.GetString(L"play3df"));
  self[L"edPlay2d"].SetText(reg1.GetString(L"play2df"));
  FillProfileLists();
  Enable2d3dLists();

  for (TimingPage page : kTimingPages) {
    ReadTimingPage(page);
    const size_t i = static_cast<size_t>(page);
    timingDefaults_[i] = TimingFromStored(reg1.GetFloat(kTimingNames[i]));
  }
  self[L"lbxExFiles"].SetItems(ReadExcludedFiles(ctx_.registry));
  if (ctx_.hideTimings)
    for (TimingPage page : kTimingPages) self[Numbered(L"tsTiming", page)].SetVisible(false);

  EnableArtifactButtons(nullptr);

  // The memory clock runs with the core clock: its slider only follows.
  if (ctx_.rvx.SyncClocks) {
    for (const wchar_t* name : {L"tbMem", L"btMemDown", L"btMemUp"}) self[name].SetEnabled(false);
    self[L"lbSync"].SetVisible(true);
  }
}

// --- Clocks ---

int TfrmOver::MemoryFactor() const { return (*this)[L"cbDDR"].Checked() ? 2 : 1; }

bool TfrmOver::Fixed() const { return (*this)[L"cbMode"].ItemIndex() == kFixedDividerMode; }

void TfrmOver::SetSliderBounds() {
  settings::TRegValues& reg1 = ctx_.reg1;
  const bool useLimits = reg1.GetBool(L"use_limits");
  const int32_t up = reg1.GetInteger(L"up_limit");
  const int32_t down = reg1.GetInteger(L"down_limit");
  const SliderBounds core = ClockSliderBounds(ctx_.rvx.DefaultCoreClock(), useLimits, up, down);
  const SliderBounds mem =
      ClockSliderBounds(uint32_t{ctx_.rvx.DefaultMemClock()} * MemoryFactor(), useLimits, up, down);
  (*this)[L"tbCore"].SetRange(core.min, core.max);
  (*this)[L"tbMem"].SetRange(mem.min, mem.max);
}

void TfrmOver::RefreshDisplay() {
  ctx_.rvx.ReadClocks();
  ShowClockTexts();
  (*this)[L"tbCore"].SetPosition(RoundHalfEven(ctx_.rvx.CoreClock));
  (*this)[L"tbMem"].SetPosition(RoundHalfEven(ctx_.rvx.MemClock * MemoryFactor()));
  ShowSliderLabels();
  if (ctx_.UpdateTrayTip) ctx_.UpdateTrayTip();
}

void TfrmOver::ShowClockTexts() {
  const hardware::TRVX& rvx = ctx_.rvx;
  const int factor = MemoryFactor();
  (*this)[L"lbBiosCore"].SetCaption(Format2(rvx.DefaultCoreClock() / 100.0));
  (*this)[L"lbCurrentCore"].SetCaption(Format2(rvx.CoreClock));
  (*this)[L"lbBiosMem"].SetCaption(Format2(rvx.DefaultMemClock() / 100.0 * factor));
  (*this)[L"lbCurrentMem"].SetCaption(Format2(rvx.MemClock * factor));
}

void TfrmOver::ShowSliderLabels() {
  wchar_t text[48];
  std::swprintf(text, std::size(text), L"核心频率 : %d", (*this)[L"tbCore"].Position());
  (*this)[L"lbCore"].SetCaption(text);
  std::swprintf(text, std::size(text), L"显存频率 : %d", (*this)[L"tbMem"].Position());
  (*this)[L"lbMem"].SetCaption(text);
}

void TfrmOver::FollowCoreWithMemory() {
  if (ctx_.rvx.SyncClocks) (*this)[L"tbMem"].SetPosition((*this)[L"tbCore"].Position());
}

void TfrmOver::tbCoreChange(TComponent&) {
  FollowCoreWithMemory();
  ShowSliderLabels();
}

void TfrmOver::tbMemChange(TComponent&) { ShowSliderLabels(); }

void TfrmOver::MoveSlider(const wchar_t* slider, int by) {
  TComponent& bar = (*this)[slider];
  bar.SetPosition(bar.Position() + by);
  FollowCoreWithMemory();
  ShowSliderLabels();
}

void TfrmOver::btCoreDownClick(TComponent&) { MoveSlider(L"tbCore", -1); }
void TfrmOver::btCoreUpClick(TComponent&) { MoveSlider(L"tbCore", 1); }
void TfrmOver::btMemDownClick(TComponent&) { MoveSlider(L"tbMem", -1); }
void TfrmOver::btMemUpClick(TComponent&) { MoveSlider(L"tbMem", 1); }

void TfrmOver::cbDDRClick(TComponent& sender) {
  const bool ddr = sender.Checked();
  ctx_.reg1.SetValue(L"ShowDDR", ddr);
  ctx_.rvx.ReadClocks();
  TComponent& mem = (*this)[L"tbMem"];
  // Worked out before the bounds change, which would otherwise clamp the old position
  // into the new range first.
  const int position = ddr ? mem.Position() * 2 : RoundHalfEven(mem.Position() / 2.0);
  SetSliderBounds();
  if (!ctx_.rvx.SyncClocks) mem.SetPosition(position);
  ShowClockTexts();
  ShowSliderLabels();
}

void TfrmOver::btCalcClick(TComponent&) {
  const double core = (*this)[L"tbCore"].Position();
  const int memPosition = (*this)[L"tbMem"].Position();
  const double mem = MemoryFactor() == 2 ? RoundHalfEven(memPosition / 2.0) : memPosition;
  const hardware::ClockPreview search = ctx_.rvx.PreviewClocks(core, mem, false);
  const hardware::ClockPreview fixed = ctx_.rvx.PreviewClocks(core, mem, true);
  wchar_t text[256];
  std::swprintf(text, std::size(text),
                L"第一种方式产生的时钟:\rGPU: %.2f MEM: %.2f 参考分配器: %d\r\r\r第二种(安全)模式产生的时钟:\rGPU: %.2f "
                L"MEM: %.2f 参考分配器: %d",
                search.coreMhz, search.memMhz, search.refDiv, fixed.coreMhz, fixed.memMhz, fixed.refDiv);
  Tell(L"信息", text, MessageIcon::Information);
}

void TfrmOver::btResetClick(TComponent&) {
  hardware::TRVX& rvx = ctx_.rvx;
  rvx.SetClocks(Fixed(), rvx.DefaultCoreClock() / 100.0, rvx.DefaultMemClock() / 100.0);
  RefreshDisplay();
}

void TfrmOver::btApplyClick(TComponent&) { ApplySettings(); }

void TfrmOver::btOkClick(TComponent&) {
  // The button has already set the modal result; a refused apply keeps the dialog open.
  if (!ApplySettings()) SetModalResult(ui::TModalResult::None);
}

bool TfrmOver::ApplySettings() {
  if (!Check2d3dProfiles()) return false;
  StoreSettings();
  for (TimingPage page : kTimingPages)
    if (timingChanged_[static_cast<size_t>(page)]) SetTimingPage(page);
  ApplyClocks();
  RefreshDisplay();
  WriteExcludedFiles(ctx_.registry, (*this)[L"lbxExFiles"].Items());
  return true;
}

bool TfrmOver::Check2d3dProfiles() {
  settings::TRegValues& reg1 = ctx_.reg1;
  TComponent& enable = (*this)[L"cbEnable2d3d"];
  TComponent& profile2d = (*this)[L"cb2dProfile"];
  TComponent& profile3d = (*this)[L"cb3dProfile"];
  reg1.SetValue(L"Enable2d3d", enable.Checked());
  reg1.SetValue(L"2dprofile", ProfileNameFromEntry(profile2d.Text()));
  reg1.SetValue(L"3dprofile", ProfileNameFromEntry(profile3d.Text()));
  if (!enable.Checked() || (profile2d.ItemIndex() >= 0 && profile3d.ItemIndex() >= 0)) return true;
  reg1.SetValue(L"Enable2d3d", false);
  enable.SetChecked(false);
  Enable2d3dLists();
  Tell(L"错误", L"你必须同时选择 2D 和 3D 配置!", MessageIcon::Error);
  return false;
}

void TfrmOver::StoreSettings() {
  settings::TRegValues& reg1 = ctx_.reg1;
  const auto& self = *this;
  reg1.SetValue(L"play3ds", self[L"cbPlay3d"].Checked());
  reg1.SetValue(L"play2ds", self[L"cbPlay2d"].Checked());
  reg1.SetValue(L"play3df", self[L"edPlay3d"].Text());
  reg1.SetValue(L"play2df", self[L"edPlay2d"].Text());
  reg1.SetValue(L"AutoLoad", self[L"cbAutoLoad"].Checked());
  reg1.SetValue(L"SuspendRestore", self[L"cbSuspendRestore"].Checked());
  reg1.SetValue(L"AutoOverProfile", self[L"lbAutoProfile"].Caption());
  reg1.SetValue(L"ClockMode", int32_t{self[L"cbMode"].ItemIndex() == kFixedDividerMode ? kFixedDividerMode : 0});
}

void TfrmOver::ApplyClocks() {
  hardware::TRVX& rvx = ctx_.rvx;
  const int core = (*this)[L"tbCore"].Position();
  const int mem = (*this)[L"tbMem"].Position();
  const int factor = MemoryFactor();
  // Untouched sliders show the clocks the card runs: reprogramming the PLL for them would
  // only move the clocks by the rounding. With DDR shown the memory slider is compared
  // doubled, as it was set.
  if (core == RoundHalfEven(rvx.CoreClock) && mem == RoundHalfEven(rvx.MemClock * factor)) return;
  const double previousCore = rvx.CoreClock;
  const double previousMem = rvx.MemClock;
  rvx.SetClocks(Fixed(), core, factor == 2 ? RoundHalfEven(mem / 2.0) : mem);
  if (!ctx_.reg1.GetBool(L"confirm_new_clocks") || !ctx_.ConfirmNewClocks || ctx_.ConfirmNewClocks()) return;
  rvx.SetClocks(Fixed(), previousCore, previousMem);
}

// --- Timing pages ---

std::vector<int> TfrmOver::TimingPositions(TimingPage page) const {
  std::vector<int> positions;
  for (const TimingField& field : TimingFields(page)) positions.push_back((*this)[field.slider].Position());
  return positions;
}

void TfrmOver::ShowTimingPositions(TimingPage page, std::span<const int> positions) {
  const std::span<const TimingField> fields = TimingFields(page);
  for (size_t i = 0; i < fields.size() && i < positions.size(); ++i) (*this)[fields[i].slider].SetPosition(positions[i]);
  ShowTimingValues(page);
}

void TfrmOver::ShowTimingValues(TimingPage page) {
  const std::vector<int> positions = TimingPositions(page);
  const std::span<const TimingField> fields = TimingFields(page);
  for (size_t i = 0; i < fields.size(); ++i)
    (*this)[L"st" + std::wstring(fields[i].slider).substr(2)].SetCaption(TimingValueText(page, i, positions));
}

void TfrmOver::MarkTimingChanged(TimingPage page, bool changed) {
  timingChanged_[static_cast<size_t>(page)] = changed;
  (*this)[Numbered(L"btSet", page)].SetEnabled(changed);
}

void TfrmOver::ReadTimingPage(TimingPage page) {
  ShowTimingPositions(page, UnpackTiming(page, ctx_.rvx.RegRead32(TimingRegister(page))));
  MarkTimingChanged(page, false);
}

void TfrmOver::SetTimingPage(TimingPage page) {
  hardware::TRVX& rvx = ctx_.rvx;
  const uint16_t reg = TimingRegister(page);
  rvx.RegWrite32(reg, TimingToWrite(page, rvx.RegRead32(reg), PackTiming(page, TimingPositions(page))));
  ReadTimingPage(page);
}

void TfrmOver::tbTimingChange(TComponent& sender) {
  const TimingPage page = PageOf(sender);
  ShowTimingValues(page);
  MarkTimingChanged(page, true);
}

void TfrmOver::btReadClick(TComponent& sender) { ReadTimingPage(PageOf(sender)); }

void TfrmOver::btSetClick(TComponent& sender) { SetTimingPage(PageOf(sender)); }

void TfrmOver::btRestoreClick(TComponent& sender) {
  const TimingPage page = PageOf(sender);
  ctx_.rvx.RegWrite32(TimingRegister(page), TimingToRestore(page, timingDefaults_[static_cast<size_t>(page)]));
  ReadTimingPage(page);
}

// --- Profiles ---

void TfrmOver::FillProfileLists() {
  const hardware::TRVX& rvx = ctx_.rvx;
  TComponent& list = (*this)[L"lbxProfiles"];
  TComponent& profile3d = (*this)[L"cb3dProfile"];
  TComponent& profile2d = (*this)[L"cb2dProfile"];
  // The lists are filled again after a save or delete: the switch keeps its choices.
  const bool first = list.Items().empty() && profile3d.Items().empty();
  const std::wstring chosen3d = first ? ctx_.reg1.GetString(L"3dprofile") : ProfileNameFromEntry(profile3d.Text());
  const std::wstring chosen2d = first ? ctx_.reg1.GetString(L"2dprofile") : ProfileNameFromEntry(profile2d.Text());

  std::vector<std::wstring> entries;
  int current = -1;
  int index3d = -1;
  int index2d = -1;
  for (const std::wstring& name : OverProfileNames(ctx_.registry)) {
    const StoredOverProfile profile = ReadOverProfile(ctx_.registry, name).value_or(StoredOverProfile{});
    const double vpu = profile.vpu.value_or(0);
    const double mem = profile.mem.value_or(0);
    const int index = static_cast<int>(entries.size());
    entries.push_back(OverProfileEntry(name, vpu, mem, 1, profile.t1 != 0, profile.t2 != 0, profile.t3 != 0));
    if (current < 0 && RoundHalfEven(vpu) == RoundHalfEven(rvx.CoreClock) &&
        RoundHalfEven(mem) == RoundHalfEven(rvx.MemClock))
      current = index;
    if (index3d < 0 && !chosen3d.empty() && SameName(name, chosen3d)) index3d = index;
    if (index2d < 0 && !chosen2d.empty() && SameName(name, chosen2d)) index2d = index;
  }
  list.SetItems(entries);
  list.SetItemIndex(current);
  profile3d.SetItems(entries);
  profile3d.SetItemIndex(index3d);
  profile2d.SetItems(entries);
  profile2d.SetItemIndex(index2d);
  lbxProfilesClick(list);
}

std::wstring TfrmOver::SelectedProfileName() const {
  const TComponent& list = (*this)[L"lbxProfiles"];
  return list.ItemIndex() < 0 ? std::wstring() : ProfileNameFromEntry(list.Text());
}

void TfrmOver::lbxProfilesClick(TComponent& sender) {
  const bool selected = sender.ItemIndex() >= 0;
  (*this)[L"btLoad"].SetEnabled(selected);
  (*this)[L"btDelete"].SetEnabled(selected);
}

void TfrmOver::btLoadClick(TComponent&) {
  const std::optional<StoredOverProfile> profile = ReadOverProfile(ctx_.registry, SelectedProfileName());
  if (!profile) return;
  const hardware::TRVX& rvx = ctx_.rvx;
  (*this)[L"tbCore"].SetPosition(RoundHalfEven(profile->vpu.value_or(rvx.DefaultCoreClock() / 100.0)));
  (*this)[L"tbMem"].SetPosition(RoundHalfEven(profile->mem.value_or(rvx.DefaultMemClock() / 100.0) * MemoryFactor()));
  FollowCoreWithMemory();
  ShowSliderLabels();
  const uint32_t timings[] = {profile->t1, profile->t2, profile->t3};
  for (TimingPage page : kTimingPages) {
    const uint32_t value = timings[static_cast<size_t>(page)];
    (*this)[Numbered(L"cbSave", page)].SetChecked(value != 0);
    if (value == 0) continue;
    // Written to the card with the next apply, like sliders the user moved.
    ShowTimingPositions(page, UnpackTiming(page, value));
    MarkTimingChanged(page, true);
  }
}

void TfrmOver::btSaveClick(TComponent&) {
  const hardware::TRVX& rvx = ctx_.rvx;
  wchar_t prompt[96];
  std::swprintf(prompt, std::size(prompt), L"保存配置文件 GPU=%.2f 和 MEM=%.2f", rvx.CoreClock,
                rvx.MemClock * MemoryFactor());
  ui::TfrmSelDP dialog(ctx_.forms);
  dialog.SetPrompt(L"创建配置文件", prompt);
  dialog.ShowList(false);
  dialog.ShowNameBox(true, SelectedProfileName());
  dialog.ValidateInput = true;
  if (dialog.ShowModal() != ui::TModalResult::Ok) return;
  const std::wstring name = CleanProfileName(dialog.Chosen());
  if (name.empty()) return;

  for (const std::wstring& entry : (*this)[L"lbxProfiles"].Items()) {
    if (!SameName(ProfileNameFromEntry(entry), name)) continue;
    if (!AskOkCancel(L"警告!", L"覆盖配置文件 " + name + L" ?", MessageIcon::Warning, 0)) return;
    break;
  }
  uint32_t timings[3] = {};
  for (TimingPage page : kTimingPages)
    if ((*this)[Numbered(L"cbSave", page)].Checked())
      timings[static_cast<size_t>(page)] = PackTiming(page, TimingPositions(page));
  WriteOverProfile(ctx_.registry, name, rvx.CoreClock, rvx.MemClock, timings[0], timings[1], timings[2]);
  FillProfileLists();
}

void TfrmOver::btDeleteClick(TComponent&) {
  const std::wstring name = SelectedProfileName();
  if (name.empty()) return;
  if (!AskOkCancel(L"确认", L"删除选择的配置吗?", MessageIcon::Question, 1)) return;
  DeleteOverProfile(ctx_.registry, name);
  FillProfileLists();
}

void TfrmOver::btExportClick(TComponent&) {
  if (ctx_.profileFiles)
    settings::ExportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Overclocking, SelectedProfileName());
}

void TfrmOver::btImportClick(TComponent&) {
  if (ctx_.profileFiles && settings::ImportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Overclocking))
    FillProfileLists();
}

void TfrmOver::cbAutoLoadClick(TComponent& sender) {
  if (sender.Checked()) {
    const std::wstring name = SelectedProfileName();
    if (name.empty()) {
      Tell(L"错误", L"未选择配置!", MessageIcon::Error);
      sender.SetChecked(false);
    } else {
      (*this)[L"lbAutoProfile"].SetCaption(name);
    }
  }
  (*this)[L"cbSuspendRestore"].SetEnabled(sender.Checked());
}

// --- Automatic 2D/3D ---

void TfrmOver::Enable2d3dLists() {
  const bool on = (*this)[L"cbEnable2d3d"].Checked();
  (*this)[L"cb3dProfile"].SetEnabled(on);
  (*this)[L"cb2dProfile"].SetEnabled(on);
}

void TfrmOver::cbEnable2d3dClick(TComponent&) { Enable2d3dLists(); }

void TfrmOver::btExAddClick(TComponent&) {
  const std::optional<std::wstring> path = ChooseFile(L"可执行文件 (*.exe)|*.exe");
  if (!path) return;
  const std::wstring file = UpperFileName(*path);
  TComponent& list = (*this)[L"lbxExFiles"];
  if (file.empty() || std::find(list.Items().begin(), list.Items().end(), file) != list.Items().end()) return;
  list.AddItem(file);
}

void TfrmOver::btExRemoveClick(TComponent&) {
  TComponent& list = (*this)[L"lbxExFiles"];
  const int index = list.ItemIndex();
  if (index < 0) return;
  std::vector<std::wstring> items = list.Items();
  items.erase(items.begin() + index);
  list.SetItems(std::move(items));
  list.SetItemIndex(-1);
}

void TfrmOver::btPlay3dClick(TComponent&) {
  if (std::optional<std::wstring> path = ChooseFile(L"Wave Files (*.wav)|*.wav")) (*this)[L"edPlay3d"].SetText(*path);
}

void TfrmOver::btPlay2dClick(TComponent&) {
  if (std::optional<std::wstring> path = ChooseFile(L"Wave Files (*.wav)|*.wav")) (*this)[L"edPlay2d"].SetText(*path);
}

// --- The user ---

void TfrmOver::Tell(const std::wstring& caption, const std::wstring& text, MessageIcon icon) {
  platform::MessageBoxRequest request;
  request.caption = caption;
  request.text = text;
  request.icon = icon;
  ctx_.user.ShowMessage(request);
}

bool TfrmOver::AskOkCancel(const std::wstring& caption, const std::wstring& text, MessageIcon icon,
                           int defaultButton) {
  return platform::AskOkCancel(ctx_.user, caption, text, icon, defaultButton);
}

std::optional<std::wstring> TfrmOver::ChooseFile(const std::wstring& filter) {
  platform::OpenFileRequest request;
  request.filter = filter;
  return ctx_.user.ChooseOpenFile(request);
}

}  // namespace corvane::overclocking
