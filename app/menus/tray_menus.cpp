#include "app/menus/tray_menus.h"

#include <cwchar>
#include <iterator>

#include "app/menus/color_items.h"
#include "app/menus/desktop_icon_positions.h"
#include "app/menus/dialog_command.h"
#include "app/menus/display_items.h"
#include "app/menus/driver_mode.h"
#include "app/menus/game_items.h"
#include "app/menus/hook_commands.h"
#include "app/menus/menu_tree.h"
#include "app/menus/overclocking_items.h"
#include "hardware/chip_table.h"

namespace corvane::menus {

namespace {

void Run(const std::function<void()>& step) {
  if (step) step();
}

void Hide(ui::TPopupMenu& menu, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* name : names) menu.Item(name).Visible = false;
}

}  // namespace

std::wstring CardCaption(uint16_t deviceId) {
  std::optional<std::string_view> model = hardware::ChipName(deviceId);
  if (!model) return L"";
  // The model names are plain ASCII.
  std::wstring name(model->begin(), model->end());
  wchar_t caption[64];
  std::swprintf(caption, std::size(caption), L"Radeon %ls (%4x)", name.c_str(), static_cast<unsigned>(deviceId));
  return caption;
}

TrayMenus::TrayMenus(MenuContext context)
    : pm1(L"pm1", DeclarePm1()),
      pm2(L"pm2", DeclarePm2()),
      ctx_(std::move(context)),
      games_(WatchGameProfiles(ctx_.ports.registry)),
      overProfiles_(WatchOverProfiles(ctx_.ports.registry)),
      displayProfiles_(WatchDisplayProfiles(ctx_.ports.registry)),
      colorProfiles_(ctx_.ports.registry) {
  for (const wchar_t* name : kInitiallyHiddenItems) pm1.Item(name).Visible = false;
  pm1.Item(L"miCard").Enabled = false;
  pm1.OnPopup = [this] { pm1Popup(); };
  WireCommands();
}

void TrayMenus::AdaptToStartUp() {
  if (ctx_.AceMode) {
    // The newer control centre keeps one set of 3D settings for both interfaces.
    Hide(pm1, {L"OpenGL1", L"OpenGLP1", L"N1"});
    ui::TMenuItem& direct3D = pm1.Item(L"Direct3D1");
    direct3D.Caption = L"3D";
    direct3D.ImageIndex = 6;
    ui::TMenuItem& profiles = pm1.Item(L"Direct3DP1");
    profiles.Caption = L"3D Profiles";
    profiles.ImageIndex = 6;
    for (const wchar_t* name : {L"N28", L"ForceZBufferdepth1", L"Additionaloptions1"}) pm1.Item(name).Visible = true;
  } else {
    if (ctx_.ini.hideOgl == 1) Hide(pm1, {L"OpenGL1", L"OpenGLP1", L"N1"});
    if (ctx_.ini.hideD3d == 1) Hide(pm1, {L"Direct3D1", L"Direct3DP1", L"N6"});
  }
  if (ctx_.ini.hideTweaks == 1) Hide(pm1, {L"Tweaks1"});
}

void TrayMenus::DetectHydraVision() {
  hydraVision_ = DetectHydraVisionTools(ctx_.ports.registry);
  pm1.Item(L"HYDRAVISION1").Visible = hydraVision_.present;
  WireToolCommands(ctx_, pm1, hydraVision_);
}

void TrayMenus::SetCardCaption(uint16_t deviceId) { pm1.Item(L"miCard").Caption = CardCaption(deviceId); }

void TrayMenus::pm1Popup() {
  const bool aceModeNow = ReadAceMode(ctx_.ports.registry, ctx_.driverKeyPath);
  if (auto warning = AceModeChangeWarning(ctx_.AceMode, aceModeNow)) {
    // The menus were laid out for the other mode; refreshing them would write the
    // settings in the wrong storage.
    ctx_.ports.user.ShowMessage(*warning);
    return;
  }
  RefreshMenuState();
}

void TrayMenus::RefreshMenuState() {
  ctx_.quality.Clear();
  Run(plugged.refreshQuick3DSettings);
  RebuildAtiTools(ctx_, pm1.Item(L"ATISoftware1"), atiToolCommands_);
  RefreshHydraVisionCaptions(ctx_, pm1);
  Run(plugged.rebuildProfileMenus);
  if (ctx_.ini.optDisableOvr == 1)
    pm1.Item(L"Overclocking1").Visible = false;
  else
    RebuildOverclockingItems(ctx_, pm1, overProfiles_, [this](const std::wstring& name) {
      if (plugged.applyOverProfile) plugged.applyOverProfile(name);
    });
  RebuildGameMenu(ctx_, pm1, games_);
  RefreshDesktopIconItems(ctx_, pm1);
  Run(ctx_.calls.UpdateTrayTip);
  RefreshHookToggles(ctx_, pm1);
  Run(plugged.refreshDisplayState);
  RebuildDisplayItems(ctx_, pm1, displayProfiles_, [this](const std::wstring& name) {
    if (plugged.applyDisplayProfile) plugged.applyDisplayProfile(name);
  });
  Run(plugged.readDisplayLimits);
  RebuildColorItems(ctx_, pm1, colorProfiles_, [this](const std::wstring& name) {
    if (plugged.applyColorProfile) plugged.applyColorProfile(name);
  });
}

void TrayMenus::SaveIconPositions(const std::wstring& key) { menus::SaveIconPositions(ctx_, key); }

void TrayMenus::RestoreIconPositions(const std::wstring& key) { menus::RestoreIconPositions(ctx_, key); }

void TrayMenus::WireCommands() {
  WireToolCommands(ctx_, pm1, hydraVision_);
  WireDesktopIconCommands(ctx_, pm1);
  WireHookCommands(ctx_, pm1);
  WireDialogCommands();
  pm1.Item(L"Exit1").OnClick = [this](ui::TMenuItem&) {
    if (!ctx_.DialogOpen) Run(ctx_.calls.Close);
  };
}

void TrayMenus::WireDialogCommands() {
  auto dialog = [this](const wchar_t* item, ShowDialogHook MenuDialogs::*hook, DialogRules rules) {
    pm1.Item(item).OnClick = [this, hook, rules](ui::TMenuItem&) { RunMenuDialog(ctx_, ctx_.dialogs.*hook, rules); };
  };
  const DialogRules plain{};
  const DialogRules hidesAfter{.hideMainWindow = true};
  const DialogRules driverHidesAfter{.needsDriverObject = true, .hideMainWindow = true};

  dialog(L"Settings1", &MenuDialogs::direct3D, plain);
  dialog(L"Settings2", &MenuDialogs::openGL, plain);
  dialog(L"Settings5", &MenuDialogs::colors, plain);
  dialog(L"RunTimeplugins1", &MenuDialogs::runTimePlugins, plain);
  dialog(L"About1", &MenuDialogs::about, hidesAfter);
  dialog(L"sysi1", &MenuDialogs::cardInformation, driverHidesAfter);
  dialog(L"Options2", &MenuDialogs::generalOptions, driverHidesAfter);
  dialog(L"Settings7", &MenuDialogs::displays, driverHidesAfter);
  dialog(L"OverlaySettings1", &MenuDialogs::overlay, driverHidesAfter);
  dialog(L"Settings6", &MenuDialogs::hardwareSettings, {.needsDriverObject = true, .trayMenuDone = false});

  pm1.Item(L"MPG1").OnClick = [this](ui::TMenuItem&) {
    if (RunMenuDialog(ctx_, ctx_.dialogs.gameProfileEditor, {.hideMainWindow = true}))
      RebuildGameMenu(ctx_, pm1, games_);
  };
  pm1.Item(L"Overcloking1").OnClick = [this](ui::TMenuItem&) {
    std::optional<bool> hide = RunMenuDialog(ctx_, ctx_.dialogs.overclocking, {.needsOpenDriver = true});
    if (!hide) return;
    ctx_.reg1.SaveAll();
    if (*hide) Run(ctx_.calls.HideMainWindow);
  };
}

}  // namespace corvane::menus
