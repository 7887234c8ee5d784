#include "display/displays/displays_form.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "display/color/color_profiles.h"
#include "display/displays/display_messages.h"
#include "display/displays/display_prop_form.h"
#include "display/displays/displays_form_table.h"
#include "display/driver_settings.h"
#include "display/escape_calls.h"
#include "ui/select_dialog.h"

namespace corvane::display {
namespace {

using ui::TModalResult;
namespace A = Adjustment;
using namespace displays_form;

// The TV's vertical position stays within these, whatever the driver's caps say.
constexpr int32_t kTvVerticalLimit = 6;

// What the TV tab shows while it does not show the TV's record.
constexpr int kFixedContrast = 100;
constexpr int kFixedColor = 100;
constexpr int kFixedFlicker = 60;
constexpr int kFixedSharpness = 1;
constexpr uint32_t kFixedTvStandard = 0x8;

constexpr uint32_t kVideoAspectBits = 0x3;
constexpr uint32_t kDisplayAspectBits = 0x30;
constexpr uint32_t kTheaterModeOn = 1;

constexpr const wchar_t* kTvSliders[] = {L"tbContr", L"tbColor", L"tbFlick"};
constexpr const wchar_t* kTvSteps[] = {L"btTvUp",     L"btTvLeft",     L"btTvRight", L"btTvDown",
                                       L"btTvTaller", L"btTvNarrower", L"btTvWider", L"btTvShorter"};
constexpr const wchar_t* kTheaterModes[] = {L"rbStandard", L"rbTheater", L"rbSame"};
constexpr const wchar_t* kVideoAspects[] = {L"rbSource", L"rbFull"};
constexpr const wchar_t* kDisplayAspects[] = {L"rb43", L"rb169"};

std::wstring Formatted(const wchar_t* format, uint32_t value) {
  wchar_t text[64];
  std::swprintf(text, std::size(text), format, static_cast<int>(value));
  return text;
}

int StandardIndex(int32_t code) {
  const auto found = std::find(kTvStandards.begin(), kTvStandards.end(), code);
  return found == kTvStandards.end() ? -1 : static_cast<int>(found - kTvStandards.begin());
}

}  // namespace

std::span<const ui::ComponentDecl> TfrmDisplays::ComponentTable() { return displays_form::Components(); }

TfrmDisplays::TfrmDisplays(const DisplaysDialogContext& context)
    : TForm(context.forms, displays_form::Components()), ctx_(context), startup_(context.startup) {
  masks_ = context.support.InterfaceRevision == kDisplayInterfaceRevision ? kNormalLayout : kOlderLayout;
  for (const DisplayGroup& g : kGroups) {
    for (const wchar_t* button : {L"btPower", L"btPrimary", L"btClone"})
      HandleClick(Named(button, g), &TfrmDisplays::btLayoutClick);
    if (g.monitor) HandleClick(Named(L"btAdvanced", g), &TfrmDisplays::btAdvancedClick);
  }
  HandleChange(L"pcDisplays", &TfrmDisplays::pcDisplaysChange);
  for (const wchar_t* name : kTvSliders) HandleChange(name, &TfrmDisplays::tbTvChange);
  for (const wchar_t* name : kTvSteps) HandleClick(name, &TfrmDisplays::btTvStepClick);
  HandleClick(L"cbOverscan", &TfrmDisplays::cbOverscanClick);
  HandleChange(L"cbComposite", &TfrmDisplays::cbSharpnessChange);
  HandleChange(L"cbSVideo", &TfrmDisplays::cbSharpnessChange);
  HandleChange(L"cbDotCrawl", &TfrmDisplays::cbDotCrawlChange);
  HandleChange(L"cbStandard", &TfrmDisplays::cbStandardChange);
  HandleClick(L"btTvReset", &TfrmDisplays::btTvResetClick);
  HandleClick(L"btTvDefault", &TfrmDisplays::btTvDefaultClick);
  for (const wchar_t* name : kTheaterModes) HandleClick(name, &TfrmDisplays::rbTheaterModeClick);
  for (const wchar_t* name : kVideoAspects) HandleClick(name, &TfrmDisplays::rbVideoAspectClick);
  for (const wchar_t* name : kDisplayAspects) HandleClick(name, &TfrmDisplays::rbDisplayAspectClick);
  HandleChange(L"cbProfiles", &TfrmDisplays::cbProfilesChange);
  HandleClick(L"btSave", &TfrmDisplays::btSaveClick);
  HandleClick(L"btLoad", &TfrmDisplays::btLoadClick);
  HandleClick(L"btDelete", &TfrmDisplays::btDeleteClick);
  HandleClick(L"btExport", &TfrmDisplays::btExportClick);
  HandleClick(L"btImport", &TfrmDisplays::btImportClick);
  (*this)[L"btExport"].SetVisible(ctx_.profileFiles != nullptr);
  (*this)[L"btImport"].SetVisible(ctx_.profileFiles != nullptr);
  HandleClick(L"cbStartup", &TfrmDisplays::cbStartupClick);
  HandleClick(L"btApply", &TfrmDisplays::btApplyClick);
  HandleClick(L"btOk", &TfrmDisplays::btOkClick);

  if (!startup_.load) startup_.profile.clear();
  (*this)[L"cbStartup"].SetChecked(startup_.load);
  ShowStartup();
  ReloadProfiles(startup_.profile);

  ShowConnections();
  ReadRecords();
  {
    EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
    tvCaps_ = GetDisplayCaps(dc, ctx_.support.TvDisplayIndex).value_or(AdjustmentCaps{});
  }
  for (const wchar_t* name : kTvSliders) {
    ui::TComponent& slider = (*this)[name];
    const AdjustmentCap& cap = tvCaps_.Entries[static_cast<size_t>(slider.Tag())];
    // Without the driver's range the slider keeps the one it was made with.
    if (cap.Supported()) slider.SetRange(cap.Minimum, cap.Maximum);
  }
  ShowAll();
}

void TfrmDisplays::FormShow() { UpdateApplyButton(); }

void TfrmDisplays::FormClose() {
  if (ModalResult() == TModalResult::Ok) return;
  // What was tried live goes back; the layout was never sent.
  if (edited_.tv != read_.tv) ApplyAdjustments(ctx_.env, ctx_.support.TvDisplayIndex, read_.tv, false);
  if (edited_.theater != read_.theater) {
    EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
    SetTheaterMode(dc, read_.theater);
  }
  for (uint32_t i = 0; i < 2; ++i)
    if (edited_.monitors[i] != read_.monitors[i]) ApplyAdjustments(ctx_.env, i, read_.monitors[i], false);
}

void TfrmDisplays::ReadRecords() {
  read_ = ReadDisplayRecords(ctx_.env, ctx_.support.TvDisplayIndex);
  edited_ = read_;
}

void TfrmDisplays::ShowConnections() {
  {
    EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
    connected_ = QueryConnectedDisplays(dc);
  }
  for (const DisplayGroup& g : kGroups) {
    const bool connected = (connected_ & DisplayBitOf(g.display, masks_)) != 0;
    (*this)[Named(L"lbConn", g)].SetCaption(connected ? L"已连接." : L"未连接!");
    if (g.monitor) {
      (*this)[Named(L"btPower", g)].SetEnabled(connected);
      (*this)[Named(L"btAdvanced", g)].SetEnabled(connected);
    }
    if (!connected) continue;
    const uint32_t index = g.display == LayoutDisplay::Tv                ? ctx_.support.TvDisplayIndex
                           : g.display == LayoutDisplay::SecondMonitor ? kSecondMonitorIndex
                                                                          : kFirstMonitorIndex;
    std::optional<DisplayLimits> limits;
    {
      EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
      limits = GetDisplayLimits(dc, index);
    }
    (*this)[Named(L"lbMaxWidth", g)].SetCaption(limits ? Formatted(L"最大水平分辨率 %d", limits->MaxWidth) : L"无信息");
    (*this)[Named(L"lbMaxHeight", g)].SetCaption(limits ? Formatted(L"最大垂直分辨率 %d", limits->MaxHeight) : L"");
    (*this)[Named(L"lbMaxRefresh", g)].SetCaption(limits ? Formatted(L"最大刷新率 %d", limits->MaxRefresh) : L"");
  }
}

void TfrmDisplays::ShowAll() {
  ShowIndicators();
  ShowTvControls();
  ShowTheater();
  UpdateApplyButton();
}

void TfrmDisplays::ShowIndicators() {
  const DisplayLayout layout = edited_.Layout();
  for (const DisplayGroup& g : kGroups) {
    const DisplayLamps lamps = LampsOf(g.display, layout, masks_);
    const auto light = [&](const wchar_t* name, bool lit) {
      ui::TComponent& led = (*this)[Named(name, g)];
      led.SetChecked(lit);
      led.SetEnabled(lit);
    };
    light(L"ledPower", lamps.power);
    light(L"ledPrimary", lamps.primary);
    light(L"ledClone", lamps.clone);
  }
}

bool TfrmDisplays::TvOutputActive() const {
  const bool tvLit = LampsOf(LayoutDisplay::Tv, edited_.Layout(), masks_).power;
  return tvLit && (read_.controllers[1].Displays != 0 || read_.controllers[0].Displays == masks_.tvWithMonitor);
}

void TfrmDisplays::ShowTvControls() {
  // Without the TV in the driver's configuration its record means nothing yet.
  const bool real = read_.controllers[1].Displays != 0 || read_.controllers[0].Displays == masks_.tvWithMonitor;
  const auto& slots = edited_.tv.Slots;
  (*this)[L"tbContr"].SetPosition(real ? slots[A::Contrast] : kFixedContrast);
  (*this)[L"tbColor"].SetPosition(real ? slots[A::Saturation] : kFixedColor);
  (*this)[L"tbFlick"].SetPosition(real ? slots[A::FlickerFilter] : kFixedFlicker);
  (*this)[L"cbComposite"].SetItemIndex(real ? slots[A::CompositeSharpness] : kFixedSharpness);
  (*this)[L"cbSVideo"].SetItemIndex(real ? slots[A::SVideoSharpness] : kFixedSharpness);
  (*this)[L"cbDotCrawl"].SetItemIndex(real ? slots[A::DotCrawl] : 0);
  (*this)[L"cbStandard"].SetItemIndex(StandardIndex(real ? slots[A::TvStandard] : kFixedTvStandard));
  const bool overscan = real && slots[A::Overscan] != 0;
  (*this)[L"cbOverscan"].SetChecked(overscan);
  for (const wchar_t* name : kTvSteps) (*this)[name].SetEnabled(!overscan);
}

void TfrmDisplays::ShowTheater() {
  const TheaterMode& theater = edited_.theater;
  for (const wchar_t* name : kTheaterModes) {
    ui::TComponent& button = (*this)[name];
    button.SetChecked(static_cast<uint32_t>(button.Tag()) == theater.Mode);
  }
  const bool aspects = theater.Mode == kTheaterModeOn;
  for (const wchar_t* name : {L"gbVideoAspect", L"gbDisplayAspect"}) (*this)[name].SetEnabled(aspects);
  for (const wchar_t* name : kVideoAspects) {
    ui::TComponent& button = (*this)[name];
    button.SetEnabled(aspects);
    button.SetChecked((theater.AspectFlags & kVideoAspectBits) == static_cast<uint32_t>(button.Tag()));
  }
  for (const wchar_t* name : kDisplayAspects) {
    ui::TComponent& button = (*this)[name];
    button.SetEnabled(aspects);
    button.SetChecked((theater.AspectFlags & kDisplayAspectBits) == static_cast<uint32_t>(button.Tag()));
  }
}

void TfrmDisplays::UpdateApplyButton() { (*this)[L"btApply"].SetEnabled(Showing() && edited_ != read_); }

void TfrmDisplays::btLayoutClick(ui::TComponent& sender) {
  edited_.SetLayout(PressLayoutButton(DisplayOfTag(sender.Tag()), ButtonOfTag(sender.Tag()), edited_.Layout(), masks_));
  ShowIndicators();
  UpdateApplyButton();
}

void TfrmDisplays::btAdvancedClick(ui::TComponent& sender) {
  const auto display = static_cast<LayoutDisplay>(sender.Tag());
  if (!LampsOf(display, edited_.Layout(), masks_).power) {
    ShowDisplayError(ctx_.env.user, L"此设备尚未被激活!");
    return;
  }
  const uint32_t index = display == LayoutDisplay::SecondMonitor ? kSecondMonitorIndex : kFirstMonitorIndex;
  TfrmDisplayProp dialog({ctx_.forms, ctx_.env, index, edited_.monitors[index]});
  if (dialog.ShowModal() == TModalResult::Ok) edited_.monitors[index] = dialog.Values();
  UpdateApplyButton();
}

void TfrmDisplays::pcDisplaysChange(ui::TComponent& sender) {
  if (sender.ItemIndex() == 0 || TvOutputActive()) return;
  sender.SetItemIndex(0);
  ShowDisplayError(ctx_.env.user, L"你还没有激活TV输出!\r访问TV属性前请先作相应更改");
}

void TfrmDisplays::SendTv() {
  ApplyAdjustments(ctx_.env, ctx_.support.TvDisplayIndex, edited_.tv, false);
  UpdateApplyButton();
}

void TfrmDisplays::SendTheater() {
  {
    EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
    SetTheaterMode(dc, edited_.theater);
  }
  UpdateApplyButton();
}

void TfrmDisplays::tbTvChange(ui::TComponent& sender) {
  edited_.tv.Slots[static_cast<size_t>(sender.Tag())] = sender.Position();
  SendTv();
}

void TfrmDisplays::btTvStepClick(ui::TComponent& sender) {
  const auto slot = static_cast<size_t>(sender.Tag() / 2);
  const int64_t step = sender.Tag() % 2 ? 1 : -1;
  // Wide enough for whatever the driver reported.
  const int64_t next = int64_t{edited_.tv.Slots[slot]} + step;
  if (slot == A::VerticalPosition) {
    if (next < -kTvVerticalLimit || next > kTvVerticalLimit) return;
  } else {
    const AdjustmentCap& cap = tvCaps_.Entries[slot];
    if (next < cap.Minimum || next > cap.Maximum) return;
  }
  edited_.tv.Slots[slot] = static_cast<int32_t>(next);
  SendTv();
}

void TfrmDisplays::cbOverscanClick(ui::TComponent& sender) {
  edited_.tv.Slots[A::Overscan] = sender.Checked() ? 1 : 0;
  for (const wchar_t* name : kTvSteps) (*this)[name].SetEnabled(!sender.Checked());
  SendTv();
}

void TfrmDisplays::cbSharpnessChange(ui::TComponent& sender) {
  if (sender.ItemIndex() < 0) return;
  edited_.tv.Slots[static_cast<size_t>(sender.Tag())] = sender.ItemIndex();
  SendTv();
  // The driver may settle other slots with the filter: show what it has now.
  std::optional<AdjustmentValues> now;
  {
    EscapeContext dc(ctx_.env.escapes, ctx_.env.deviceName);
    now = GetDisplayAdjustments(dc, ctx_.support.TvDisplayIndex);
  }
  if (now) edited_.tv = *now;
  ShowTvControls();
  UpdateApplyButton();
}

void TfrmDisplays::cbDotCrawlChange(ui::TComponent& sender) {
  if (sender.ItemIndex() < 0) return;
  edited_.tv.Slots[A::DotCrawl] = sender.ItemIndex();
  SendTv();
}

void TfrmDisplays::cbStandardChange(ui::TComponent& sender) {
  if (sender.ItemIndex() < 0) return;
  edited_.tv.Slots[A::TvStandard] = kTvStandards[static_cast<size_t>(sender.ItemIndex())];
  SendTv();
}

void TfrmDisplays::btTvResetClick(ui::TComponent&) {
  edited_.tv = read_.tv;
  SendTv();
  ShowTvControls();
}

void TfrmDisplays::btTvDefaultClick(ui::TComponent&) {
  for (size_t slot : {A::Saturation, A::Contrast, A::CompositeSharpness, A::SVideoSharpness, A::DotCrawl,
                      A::TvStandard, A::FlickerFilter})
    edited_.tv.Slots[slot] = tvCaps_.Entries[slot].Default;
  for (size_t slot : {A::VerticalPosition, A::HorizontalPosition, A::VerticalSize, A::HorizontalSize})
    edited_.tv.Slots[slot] = 0;
  SendTv();
  ShowTvControls();
}

void TfrmDisplays::rbTheaterModeClick(ui::TComponent& sender) {
  edited_.theater.Mode = static_cast<uint32_t>(sender.Tag());
  ShowTheater();
  SendTheater();
}

void TfrmDisplays::rbVideoAspectClick(ui::TComponent& sender) {
  edited_.theater.AspectFlags = (edited_.theater.AspectFlags & ~kVideoAspectBits) | static_cast<uint32_t>(sender.Tag());
  SendTheater();
}

void TfrmDisplays::rbDisplayAspectClick(ui::TComponent& sender) {
  edited_.theater.AspectFlags =
      (edited_.theater.AspectFlags & ~kDisplayAspectBits) | static_cast<uint32_t>(sender.Tag());
  SendTheater();
}

void TfrmDisplays::Apply() {
  DisplayEnvironment& env = ctx_.env;
  if (edited_.controllers != read_.controllers)
    ApplyDisplayLayout(env, edited_.Layout(), read_.controllers[0], masks_);
  if (edited_.tv != read_.tv) ApplyAdjustments(env, ctx_.support.TvDisplayIndex, edited_.tv, true);
  if (edited_.theater != read_.theater) {
    EscapeContext dc(env.escapes, env.deviceName);
    SetTheaterMode(dc, edited_.theater);
  }
  for (uint32_t i = 0; i < 2; ++i)
    if (edited_.monitors[i] != read_.monitors[i]) ApplyAdjustments(env, i, edited_.monitors[i], true);
  PersistDriverSettings(env);
  ReadRecords();
  ShowAll();
}

void TfrmDisplays::btApplyClick(ui::TComponent&) { Apply(); }

void TfrmDisplays::btOkClick(ui::TComponent&) {
  Apply();
  if (ctx_.saveStartup) ctx_.saveStartup({(*this)[L"cbStartup"].Checked(), (*this)[L"lbStartup"].Caption()});
}

void TfrmDisplays::ReloadProfiles(const std::wstring& select) {
  ui::TComponent& list = (*this)[L"cbProfiles"];
  list.SetItems(ctx_.profiles.Names());
  list.SetText(select);
  cbProfilesChange(list);
}

void TfrmDisplays::cbProfilesChange(ui::TComponent& sender) {
  const bool chosen = sender.ItemIndex() >= 0;
  (*this)[L"btLoad"].SetEnabled(chosen);
  (*this)[L"btDelete"].SetEnabled(chosen);
}

void TfrmDisplays::btSaveClick(ui::TComponent&) {
  ui::TfrmSelDP dialog(ctx_.forms);
  dialog.SetPrompt(L"创建配置文件", L"新的配置文件名");
  dialog.ShowList(false);
  dialog.ShowNameBox(true, (*this)[L"cbProfiles"].Text());
  dialog.ValidateInput = true;
  if (dialog.ShowModal() != TModalResult::Ok) return;
  const std::wstring name = dialog.Chosen();
  if (IsReservedDisplayProfileName(name)) {
    ShowDisplayError(ctx_.env.user, L"不能使用此名称!");
    return;
  }
  const std::wstring cleaned = CleanProfileName(name);
  if (ctx_.profiles.Exists(cleaned) &&
      !ConfirmDisplayQuestion(ctx_.env.user, L"覆盖配置文件 " + cleaned + L" ?", L"警告!",
                              platform::MessageIcon::Warning, 0))
    return;
  ctx_.profiles.Save(cleaned, edited_);
  ReloadProfiles(cleaned);
}

void TfrmDisplays::btLoadClick(ui::TComponent&) {
  if (!ctx_.profiles.Load((*this)[L"cbProfiles"].Text(), edited_)) {
    ShowDisplayError(ctx_.env.user, L"加载配置出错!");
    return;
  }
  (*this)[L"pcDisplays"].SetItemIndex(0);
  ShowAll();
}

void TfrmDisplays::btDeleteClick(ui::TComponent&) {
  if (!ConfirmDisplayQuestion(ctx_.env.user, L"删除选择的配置吗?", L"确认", platform::MessageIcon::Question, 1))
    return;
  ctx_.profiles.Delete((*this)[L"cbProfiles"].Text());
  ReloadProfiles(L"");
}

void TfrmDisplays::btExportClick(ui::TComponent&) {
  if (ctx_.profileFiles)
    settings::ExportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Display, (*this)[L"cbProfiles"].Text());
}

void TfrmDisplays::btImportClick(ui::TComponent&) {
  if (!ctx_.profileFiles) return;
  if (std::optional<std::wstring> name =
          settings::ImportProfile(*ctx_.profileFiles, settings::StoredProfileKind::Display))
    ReloadProfiles(*name);
}

void TfrmDisplays::cbStartupClick(ui::TComponent& sender) {
  if (!sender.Checked()) {
    startup_ = {};
  } else if ((*this)[L"cbProfiles"].Text().empty()) {
    ShowDisplayError(ctx_.env.user, L"未选择配置!");
    sender.SetChecked(false);
  } else {
    startup_ = {true, (*this)[L"cbProfiles"].Text()};
  }
  ShowStartup();
}

void TfrmDisplays::ShowStartup() { (*this)[L"lbStartup"].SetCaption(startup_.profile); }

bool OpenDisplaysDialog(const DisplaysDialogContext& context) {
  if (context.support.DisplayUnsupported) {
    ShowDisplayUnsupported(context.env.user);
    return false;
  }
  TfrmDisplays dialog(context);
  return dialog.ShowModal() == TModalResult::Ok;
}

}  // namespace corvane::display
