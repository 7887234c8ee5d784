#include "display/resolutions/resolution_menu.h"

#include <memory>
#include <utility>

#include "display/check_resolution_form.h"
#include "settings/decimal_text.h"
#include "ui/flag_scope.h"
#include "ui/select_dialog.h"

namespace corvane::display {
namespace {

constexpr int kMenuDepths[] = {8, 16, 32};
constexpr int kModeGroup = 1;
// CDS_UPDATEREGISTRY | CDS_GLOBAL: the new mode stays after a restart, for every user.
constexpr uint32_t kPermanentChange = platform::DisplayChangeFlag::UpdateRegistry | platform::DisplayChangeFlag::Global;

platform::DisplayMode ResolutionRecord(uint32_t width, uint32_t height, uint32_t depth, uint32_t rate) {
  platform::DisplayMode mode;
  mode.fields = platform::DisplayModeField::Resolution;
  mode.width = width;
  mode.height = height;
  mode.bitsPerPel = depth;
  mode.frequency = rate;
  return mode;
}

}  // namespace

std::wstring DepthItemName(int bitsPerPixel) { return L"N" + std::to_wstring(bitsPerPixel) + L"bpp1"; }

std::wstring ModeItemName(int width, int height, int bitsPerPixel) {
  return L"m" + ModeText(width, height, bitsPerPixel);
}

bool AsksForRate(const ResolutionOptions& options) { return !options.refreshLockEnabled && !options.dontAskRate; }

uint16_t ChooseRefreshRate(const std::vector<uint16_t>& rates, const ResolutionOptions& options,
                           uint16_t dialogChoice) {
  if (options.refreshLockEnabled || (options.dontAskRate && options.selectRefreshMax)) return rates.back();
  if (!options.dontAskRate) return dialogChoice;
  return rates.front();
}

ResolutionMenu::ResolutionMenu(ui::TPopupMenu& pm2, ResolutionMenuContext context)
    : pm2_(pm2), ctx_(std::move(context)) {
  pm2_.OnPopup = [this] { pm2Popup(); };
}

void ResolutionMenu::BuildResolutionMenu() {
  ctx_.catalogue.Rebuild();
  for (int depth : kMenuDepths) pm2_.Item(DepthItemName(depth)).DeleteFrom(0);
  for (const ResolutionEntry& entry : ctx_.catalogue.Entries()) {
    ui::TMenuItem* depthMenu = pm2_.Find(DepthItemName(entry.bitsPerPixel));
    if (!depthMenu) continue;  // 24 bpp and other depths have no sub-menu
    auto item = std::make_unique<ui::TMenuItem>();
    item->Name = ModeItemName(entry.width, entry.height, entry.bitsPerPixel);
    item->Caption = std::to_wstring(entry.width) + L"x" + std::to_wstring(entry.height);
    item->RadioItem = true;
    item->GroupIndex = kModeGroup;
    item->AutoHotkeys = false;
    item->OnClick = [this](ui::TMenuItem& sender) { ResolutionItemClick(sender); };
    depthMenu->Add(std::move(item));
  }
}

void ResolutionMenu::pm2Popup() {
  BuildResolutionMenu();
  RefreshCurrentDisplayMode(ctx_.env);
  const platform::DisplayMode& mode = ctx_.env.currentMode;
  for (int depth : kMenuDepths) pm2_.Item(DepthItemName(depth)).Checked = false;
  ui::TMenuItem* depthMenu = pm2_.Find(DepthItemName(static_cast<int>(mode.bitsPerPel)));
  if (!depthMenu) return;
  depthMenu->Checked = true;
  if (ui::TMenuItem* item = depthMenu->Find(ModeItemName(static_cast<int>(mode.width), static_cast<int>(mode.height),
                                                         static_cast<int>(mode.bitsPerPel))))
    item->SetChecked(true);
}

void ResolutionMenu::ResolutionItemClick(ui::TMenuItem& item) {
  if (ctx_.busy) return;
  ui::FlagScope busy(ctx_.busy);
  const std::wstring name = item.Name.size() > 1 ? item.Name.substr(1) : std::wstring();
  if (std::optional<ModeSize> size = ParseModeText(name)) SwitchTo(*size);
}

void ResolutionMenu::SwitchTo(const ModeSize& size) {
  platform::DisplayDevices& devices = ctx_.env.devices;
  const std::optional<platform::DisplayMode> fallBack = devices.Mode(ctx_.env.deviceName, platform::kRegistryDisplayMode);
  const int index = ctx_.catalogue.Find(static_cast<uint16_t>(size.width), static_cast<uint16_t>(size.height),
                                        static_cast<uint16_t>(size.bitsPerPixel));
  // The catalogue changed under the menu: there is nothing to offer.
  if (index < 0) return;
  const ResolutionEntry entry = ctx_.catalogue.Item(index);
  if (entry.rates.empty()) return;

  std::vector<std::wstring> rateTexts;
  for (uint16_t rate : entry.rates) rateTexts.push_back(std::to_wstring(rate));
  ui::TfrmSelDP rateDialog(ctx_.forms);
  rateDialog.SetPrompt(L"选择刷新率", L"选择刷新率");
  rateDialog.SetChoices(rateTexts, rateTexts.back());
  rateDialog[L"cbSelect"].SetItemIndex(static_cast<int>(rateTexts.size()) - 1);

  const ResolutionOptions options = ctx_.options ? ctx_.options() : ResolutionOptions{};
  uint16_t dialogChoice = entry.rates.back();
  if (AsksForRate(options)) {
    if (rateDialog.ShowModal() != ui::TModalResult::Ok) return;
    std::optional<uint16_t> chosen = settings::ParseDecimal16(rateDialog.Chosen());
    if (!chosen) return;
    dialogChoice = *chosen;
  }
  const uint16_t rate = ChooseRefreshRate(entry.rates, options, dialogChoice);

  const platform::DisplayMode previous = ctx_.env.currentMode;
  devices.ChangeSettings(ctx_.env.deviceName,
                         ResolutionRecord(static_cast<uint32_t>(size.width), static_cast<uint32_t>(size.height),
                                          static_cast<uint32_t>(size.bitsPerPixel), rate),
                         kPermanentChange);
  if (!options.dontWait && !ConfirmDisplayChangeDialog(ctx_.forms)) {
    if (fallBack) {
      platform::DisplayMode record = *fallBack;
      record.fields = platform::DisplayModeField::Resolution;
      devices.ChangeSettings(ctx_.env.deviceName, record, kPermanentChange);
    }
    RefreshCurrentDisplayMode(ctx_.env);
    return;
  }
  if (ui::TMenuItem* old = pm2_.Find(ModeItemName(static_cast<int>(previous.width), static_cast<int>(previous.height),
                                                  static_cast<int>(previous.bitsPerPel))))
    old->Checked = false;
  RefreshCurrentDisplayMode(ctx_.env);
}

bool SwitchToResolutionAtMaxRate(DisplayEnvironment& env, const TResClass& catalogue, const std::wstring& modeText) {
  std::optional<ModeSize> size = ParseModeText(modeText);
  if (!size) return false;
  const int index = catalogue.Find(static_cast<uint16_t>(size->width), static_cast<uint16_t>(size->height),
                                   static_cast<uint16_t>(size->bitsPerPixel));
  const ResolutionEntry entry = catalogue.Item(index);
  if (index < 0 || entry.rates.empty()) return false;
  env.devices.ChangeSettings(env.deviceName,
                             ResolutionRecord(static_cast<uint32_t>(size->width), static_cast<uint32_t>(size->height),
                                              static_cast<uint32_t>(size->bitsPerPixel), entry.rates.back()),
                             kPermanentChange);
  return true;
}

}  // namespace corvane::display
