#include "app/main_form.h"

#include <cstdlib>
#include <cwchar>
#include <utility>

#include "settings/global.h"
#include "settings/program_settings.h"
#include "app/version.h"
#include "hardware/overclocking/over_form.h"
#include "display/check_resolution_form.h"
#include "display/color/color_form.h"
#include "display/displays/displays_form.h"
#include "display/displays/stored_layouts.h"
#include "display/driver_settings.h"
#include "display/escape_calls.h"
#include "display/overlay/overlay_form.h"
#include "display/resolutions/ref_lock_form.h"
#include "display/resolutions/resolution_menu.h"
#include "driver3d/dialogs/d3d_form.h"
#include "driver3d/dialogs/ogl_form.h"
#include "driver3d/profiles/profile_store.h"
#include "games/game_profile.h"
#include "games/gp_form.h"
#include "platform/registry_values.h"
#include "plugins/host/run_time_pl_form.h"
#include "ui/about_box.h"

namespace corvane {
namespace {

// "\Registry\Machine\" in front of the driver key, which the program opens relative to
// HKEY_LOCAL_MACHINE.
constexpr size_t kMachinePrefixLength = 18;
// In "PCI\VEN_vvvv&DEV_dddd&...": where the two ids stand.
constexpr size_t kVendorIdAt = 8;
constexpr size_t kDeviceIdAt = 17;
constexpr wchar_t kAtiVendorText[] = L"1002";

// Register offsets whose start-up values are the memory timing defaults.
constexpr uint16_t kTimingDefaultRegisters[] = {hardware::Reg::MC_SDRAM_MODE_REG, hardware::Reg::MC_TIMING_CNTL,
                                                hardware::Reg::MC_REFRESH_CNTL};
constexpr const wchar_t* kTimingDefaultNames[] = {L"deft1", L"deft2", L"deft3"};

// How long a "/loadgame" forward waits for each window to take its broadcast.
constexpr uint32_t kForwardTimeoutMs = 5000;

constexpr uint16_t kPciDeviceIdOffset = 2;
constexpr uint16_t kPciLatencyTimerOffset = 13;

// Four hexadecimal digits; 0 for anything else.
uint16_t ParseHexId(const std::wstring& text) {
  if (text.size() != 4) return 0;
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text.c_str(), &end, 16);
  return *end == L'\0' ? static_cast<uint16_t>(value) : 0;
}

std::wstring Substring(const std::wstring& text, size_t at, size_t length) {
  return at < text.size() ? text.substr(at, length) : std::wstring();
}

// The folder part of a path, with its trailing '\'.
std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\:");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

std::optional<PrimaryDisplay> FindPrimaryDisplay(platform::DisplayDevices& devices) {
  std::optional<platform::IndexedDisplayDevice> found = platform::FindPrimaryDisplayDevice(devices);
  if (!found) return std::nullopt;
  const platform::DisplayDevice& device = found->device;
  PrimaryDisplay display;
  display.deviceName = device.name;
  display.PrimaryDeviceIndex = found->index;
  display.DriverKeyPath = Substring(device.deviceKey, kMachinePrefixLength, std::wstring::npos);
  const std::wstring vendor = Substring(device.deviceId, kVendorIdAt, 4);
  display.IsAtiDevice = vendor == kAtiVendorText;
  if (display.IsAtiDevice) {
    display.DisplayDeviceId = ParseHexId(Substring(device.deviceId, kDeviceIdAt, 4));
    display.DisplayVendorId = ParseHexId(vendor);
  }
  return display;
}

TfrmMainQRX::TfrmMainQRX(const ProgramEnvironment& environment, MainFormWindow& window, bool alreadyRunning)
    : Hotkeys(environment.hotkeyDevices),
      env_(environment),
      window_(window),
      alreadyRunning_(alreadyRunning) {}

TfrmMainQRX::~TfrmMainQRX() {
  // A form that ends without closing (an exception on the way) still takes its icon along.
  if (iconAdded_ && !closed_) trayIcon_->RemoveTrayIcon();
}

bool TfrmMainQRX::FormCreate() {
  ColorAdjustment.fill(0);
  Profile3DApplied = false;
  App3DRunning = false;

  platform::WindowMessages& messages = env_.ports.windowMessages;
  runMessage_ = messages.RegisterMessage(L"corvane_run");
  taskbarCreatedMessage_ = messages.RegisterMessage(L"TaskbarCreated");
  ForwardingInstance = false;

  if (alreadyRunning_) {
    if (std::optional<ProfileRequest> request = FindProfileRequest(env_.commandLine))
      ForwardToRunningInstance(*request);
    return false;
  }
  reg1_ = settings::CreateProgramSettings(env_.ports.registry);
  if (env_.openFile)
    profileFiles_ = std::make_unique<settings::ProfileTransferContext>(
        settings::ProfileTransferContext{env_.ports.registry, env_.ports.user, global::ProfilesRoot, env_.openFile});
  trayIcon_ = std::make_unique<TrayIcon>(env_.ports.notifyIcon, *reg1_, env_.programFolder);
  // Subscribed now: a "/loadgame" start broadcasts to itself further down.
  runSubscription_ = messages.Subscribe(runMessage_, [this](uintptr_t, intptr_t) {
    if (!ForwardingInstance) RunForwardedRequest();
  });
  taskbarSubscription_ = messages.Subscribe(taskbarCreatedMessage_, [this](uintptr_t, intptr_t) { TaskbarCreated(); });

  if (std::optional<PrimaryDisplay> primary = FindPrimaryDisplay(env_.ports.displayDevices)) display_ = *primary;

  CreateDriverAccess();
  if (!rvx_->DriverOpen) {
    ShowError(L"无法加载低级设备驱动. 请重新启动应用程序!");
    return false;
  }
  if (env_.hookLibraries) hooks_.LoadHookLibraries(*env_.hookLibraries);
  DialogOpen = false;
  HotkeyEditorOpen = false;
  CreateDriverValueAccess();
  if (!display_.IsAtiDevice) {
    ShowError(L"未发现 ATI 设备!");
    return false;
  }

  trayMenus_ = std::make_unique<menus::TrayMenus>(MakeMenuContext());
  trayMenus_->plugged.applyOverProfile = [this](const std::wstring& name) { ApplyOverProfile(name); };
  CreateColorState();
  // The menu images are a strip in the support library; without it the menu has none.
  trayMenus_->pm1.Images = ui::Picture::BitmapResource(SupportLibrary(), L"mainimg");
  window_.HideMainWindow();
  trayIcon_->SetWindow(window_.Handle());
  trayIcon_->AddTrayIcon();
  iconAdded_ = true;

  trayMenus_->SetCardCaption(rvx_->CardConfigRead16(kPciDeviceIdOffset));
  ReadDriverStorageMode();
  CreateQuick3DItems();
  CreateProfile3DMenus();
  CreateDisplayCommands();
  trayMenus_->DetectHydraVision();
  display::RefreshCurrentDisplayMode(*displayEnv_);
  StoreMemoryTimingDefaults();
  if (reg1_->GetBool(L"ApplyHardware")) ApplyPciLatency();

  ReadIniSwitches();
  window_.UseSkinnedMenus(reg1_->GetBool(L"use_skinned_menu"));
  helpFile_ = env_.programFolder + ini_.helpFile;
  window_.Forms().SetHelpEvent([this](uint32_t command, uintptr_t data) { return ApplicationHelp(command, data); });
  // The storage mode's 3D menus and the corvane.ini hides, now that both are known.
  trayMenus_->AdaptToStartUp();
  HideTimings = ini_.hideTimings == 1;

  reg1_->SetValue(L"Proc_ID", static_cast<int32_t>(env_.processId));
  reg1_->SaveAll();
  {
    overclocking::OverclockingContext over = OverContext();
    overclocking::LoadAutoOverProfile(over);
  }
  LoadPlugins();

  if (std::optional<ProfileRequest> request = FindProfileRequest(env_.commandLine))
    StoreRunProfileAndBroadcast(*request);
  if (reg1_->GetBool(L"ROVEnabled")) hooks_.Install(monitors::Hook::RefreshRate);
  // The menu state fills ProfileLookupList, which the application monitor matches against.
  RefreshMenuState();
  CreateHookMappings();
  hooks_.Install(monitors::Hook::Application);
  StartAppMonitor();
  CreateResolutionMenu();
  LoadHotkeys();
  StartKeyMonitor();
  if (reg1_->GetBool(L"EnableHotKeys")) hooks_.Install(monitors::Hook::Keyboard);
  if (reg1_->GetBool(L"LoadColor")) colorState_->ApplyColorProfile(reg1_->GetString(L"LoadColorProfile"));
  LocateUserDataFolder();
  CreateAudio();
  displaySupport_ = display::DetectDisplaySupport(*displayEnv_);
  if (reg1_->GetBool(L"Use_LoadDisplays")) ApplyDisplayProfile(reg1_->GetString(L"LoadDisplays"));
  CreateGameLauncher();
  // A game that outlived an earlier run of the program gets its settings back now.
  gameLauncher_->ResumeAfterRestart();
  return true;
}

void TfrmMainQRX::FormClose() {
  if (closed_) return;
  closed_ = true;
  PersistDriverSettings();
  if (iconAdded_) trayIcon_->RemoveTrayIcon();
  iconAdded_ = false;
  // Nothing more to start once closing has begun.
  runSubscription_.reset();
  taskbarSubscription_.reset();
  // A game still running is left to the restore record and the next start.
  gameLauncher_.reset();
  // Likewise a 3D application: its 2D profile is not switched back.
  app3d_.clear();
  monOff_.reset();
  if (resClass_) resClass_->Clear();
  FreePlugins();
  StopHooksAndMonitors();
  FreeDriverAccess();
}

std::optional<std::wstring> TfrmMainQRX::ResolveRequest(const ProfileRequest& request) {
  std::optional<std::wstring> name = ResolveRequestedProfile(env_.ports.registry, global::ProfilesRoot, request);
  if (name) return name;
  // Scripts and shortcuts learn it from the exit code, a console from the line.
  exitCode_ = RunExitCode::NoSuchProfile;
  if (env_.consoleLine) env_.consoleLine(MissingProfileText(request));
  return std::nullopt;
}

void TfrmMainQRX::ForwardToRunningInstance(const ProfileRequest& request) {
  const std::optional<std::wstring> name = ResolveRequest(request);
  if (!name) return;
  ForwardingInstance = true;
  reg1_ = settings::CreateProgramSettings(env_.ports.registry);
  // The running instance owns the settings; this one only hands the request over.
  reg1_->AutoSave = false;
  StoreRunKind(env_.ports.registry, request.kind);
  // A game's name goes as given: the running instance finds it as it always has.
  reg1_->SetValue(L"RunProfile", request.kind == RunKind::Game ? env_.commandLine.Param(2) : *name);
  reg1_->SaveAll();
  // The game the running instance starts may then come to the front.
  env_.ports.shell.AllowForeground(static_cast<uint32_t>(reg1_->GetInteger(L"Proc_ID")));
  // Sent, not posted: the running instance has read "RunProfile" before a second forward
  // can overwrite it. A hung window elsewhere only costs the time-out.
  env_.ports.windowMessages.SendBroadcast(runMessage_, 0, 0, kForwardTimeoutMs);
}

void TfrmMainQRX::StoreRunProfileAndBroadcast(const ProfileRequest& request) {
  const std::optional<std::wstring> name = ResolveRequest(request);
  if (!name) return;
  StoreRunKind(env_.ports.registry, request.kind);
  reg1_->SetValue(L"RunProfile", request.kind == RunKind::Game ? env_.commandLine.Param(2) : *name);
  reg1_->SaveAll();
  // Received here too, once the message loop runs.
  env_.ports.windowMessages.Broadcast(runMessage_, 0, 0);
}

void TfrmMainQRX::RunForwardedRequest() {
  const RunKind kind = ReadRunKind(env_.ports.registry);
  if (kind == RunKind::Game) {
    StartGameByProfile();
    return;
  }
  // The forwarding instance wrote "RunProfile" behind this store's back.
  reg1_->LoadAll();
  const std::wstring name = reg1_->GetString(L"RunProfile");
  switch (kind) {
    case RunKind::Direct3D: driver3d::ApplyD3DProfile(Profiles3DContext(), name); break;
    case RunKind::OpenGL: driver3d::ApplyOpenGLProfile(Profiles3DContext(), name); break;
    case RunKind::Overclocking: ApplyOverProfile(name); break;
    case RunKind::Color:
      if (colorState_) colorState_->ApplyColorProfile(name);
      break;
    case RunKind::Display: ApplyDisplayProfile(name); break;
    case RunKind::Game: break;
  }
}

void TfrmMainQRX::StartGameByProfile() {
  // The forwarding instance wrote "RunProfile" behind this store's back.
  reg1_->LoadAll();
  std::optional<std::wstring> name =
      games::ResolveGameProfileName(env_.ports.registry, global::ProfilesRoot, reg1_->GetString(L"RunProfile"));
  if (!name) return;
  auto key = env_.ports.registry.OpenKey(platform::RegistryRoot::CurrentUser,
                                         games::GameProfileKey(global::ProfilesRoot, *name), true);
  if (!key) return;
  const std::wstring file = platform::ReadRegString(*key, L"File").value_or(L"");
  if (file.empty()) return;
  platform::ShellExecuteRequest request;
  request.verb = L"open";
  request.file = file;
  request.parameters = platform::ReadRegString(*key, L"File_Params").value_or(L"");
  request.directory = FolderOf(file);
  request.show = platform::ShowCommand::Show;
  std::unique_ptr<platform::Process> game = env_.ports.shell.ExecuteProcess(request);
  // The profile goes in force for the process just started. Until then the handle keeps
  // its id from being given to another process.
  if (game && game->Id() != 0) ApplyGameProfile(*name, game->Id());
}

void TfrmMainQRX::TaskbarCreated() {
  // The new shell knows nothing of the old icon.
  trayIcon_->RemoveTrayIcon();
  trayIcon_->AddTrayIcon();
  iconAdded_ = true;
  RefreshMenuState();
}

void TfrmMainQRX::RefreshMenuState() {
  if (trayMenus_) trayMenus_->RefreshMenuState();
}

void TfrmMainQRX::UpdateTrayTip() {
  TrayTipInputs inputs;
  if (rvx_) {
    inputs.coreClockMhz = rvx_->CoreClock;
    inputs.memClockMhz = rvx_->MemClock;
  }
  inputs.showDdr = reg1_->GetBool(L"ShowDDR");
  inputs.aceMode = AceMode;
  inputs.simulated = env_.simulate;
  inputs.quality = Quality;
  trayIcon_->UpdateTrayTip(inputs);
}

void TfrmMainQRX::TrayCallback(uint32_t mouseMessage) {
  const TrayMenuChoice choice = MenuForTrayClick(mouseMessage, reg1_->GetBool(L"swap_buttons"));
  if (choice == TrayMenuChoice::None || !trayMenus_) return;
  window_.BringToForeground();
  const ScreenPoint at = window_.CursorPosition();
  window_.PopupMenu(choice == TrayMenuChoice::MainMenu ? trayMenus_->pm1 : trayMenus_->pm2, at);
  trayIcon_->TrayMenuDone();
}

void TfrmMainQRX::PowerBroadcast(uint32_t event) {
  const bool resumed = event == PowerEvent::ResumeSuspend || event == PowerEvent::ResumeStandby;
  if (!resumed) return;
  if (rvx_) {
    overclocking::OverclockingContext over = OverContext();
    overclocking::RestoreOverProfileAfterResume(over);
  }
  // Standby may have reset the card's configuration space.
  // Only while the latency is applied at all: the dialog leaves "RestoreHardware" as it
  // was when the user turns the start-up setting off.
  if (reg1_->GetBool(L"ApplyHardware") && reg1_->GetBool(L"RestoreHardware")) ApplyPciLatency();
  if (runTimePlugins_) runTimePlugins_->SuspendRestoreAll();
  // Standby may also have lost the palette.
  if (colorState_) colorState_->ApplyCurrentColor();
}

void TfrmMainQRX::DisplayChange() {
  // A mode change reloads the palette; a running 3D program's own ramp is left alone.
  if (!App3DRunning && colorState_) colorState_->ApplyCurrentColor();
}

bool TfrmMainQRX::SwitchToResolutionAtMaxRate(const std::wstring& modeText) {
  return resClass_ && display::SwitchToResolutionAtMaxRate(*displayEnv_, *resClass_, modeText);
}

void TfrmMainQRX::ApplyGameProfile(const std::wstring& name, uint32_t processId) {
  if (gameLauncher_) gameLauncher_->ApplyGameProfile(name, processId);
}

void TfrmMainQRX::CreateGameLauncher() {
  games::GameLauncherCalls calls;
  calls.ApplyOverProfile = [this](const std::wstring& name) { ApplyOverProfile(name); };
  calls.SaveD3DProfile = [this](const std::wstring& name) { driver3d::SaveD3DProfile(Profiles3DContext(), name); };
  calls.ApplyD3DProfile = [this](const std::wstring& name) { driver3d::ApplyD3DProfile(Profiles3DContext(), name); };
  calls.SaveOpenGLProfile = [this](const std::wstring& name) {
    driver3d::SaveOpenGLProfile(Profiles3DContext(), name);
  };
  calls.ApplyOpenGLProfile = [this](const std::wstring& name) {
    driver3d::ApplyOpenGLProfile(Profiles3DContext(), name);
  };
  calls.LoadColorTable = [this](const std::wstring& name, display::ColorTable& table) {
    return colorState_->LoadColorTable(name, table);
  };
  calls.ReadPalette = [this] { return rvx_ ? rvx_->ReadPalette() : display::ColorTable{}; };
  calls.WritePalette = [this](const display::ColorTable& table) {
    if (rvx_) rvx_->WritePalette(table);
  };
  calls.ApplyCurrentColor = [this] { colorState_->ApplyCurrentColor(); };
  calls.CurrentDisplayMode = [this]() -> std::optional<platform::DisplayMode> {
    display::RefreshCurrentDisplayMode(*displayEnv_);
    if (displayEnv_->currentMode.width == 0) return std::nullopt;
    return displayEnv_->currentMode;
  };
  calls.SwitchToResolutionAtMaxRate = [this](const std::wstring& mode) { return SwitchToResolutionAtMaxRate(mode); };
  calls.SetDisplayMode = [this](const platform::DisplayMode& mode) {
    env_.ports.displayDevices.ChangeSettings(
        display_.deviceName, mode, platform::DisplayChangeFlag::UpdateRegistry | platform::DisplayChangeFlag::Global);
    display::RefreshCurrentDisplayMode(*displayEnv_);
  };
  calls.SaveIconPositions = [this](const std::wstring& key) { trayMenus_->SaveIconPositions(key); };
  calls.RestoreIconPositions = [this](const std::wstring& key) { trayMenus_->RestoreIconPositions(key); };
  calls.BringToForeground = [this] { window_.BringToForeground(); };
  calls.Close = [this] { window_.Close(); };
  gameLauncher_ = std::make_unique<games::GameLauncher>(games::GameLauncherContext{
      env_.ports.registry, env_.ports.shell, env_.ports.threading, env_.ports.dispatcher, env_.ports.clock, *reg1_,
      global::ProfilesRoot, global::IconsBackupKey, AceMode, App3DRunning, Profile3DApplied, std::move(calls)});
}

bool TfrmMainQRX::ShowGameProfileEditor() {
  games::TfrmGP dialog({ui::FormContext{window_.Forms(), env_.ports.clock}, env_.ports.registry, env_.ports.user,
                        env_.ports.shell, *reg1_, global::ProfilesRoot, resClass_.get(), AceMode, SupportLibrary(),
                        profileFiles_.get()});
  dialog.ShowModal();
  return true;
}

void TfrmMainQRX::CreateColorState() {
  colorState_ = std::make_unique<display::ColorState>(
      ColorAdjustment, display::ColorProfiles(env_.ports.registry, global::ProfilesRoot),
      [this](const display::ColorTable& table) {
        if (rvx_) rvx_->WritePalette(table);
      });
  trayMenus_->plugged.applyColorProfile = [this](const std::wstring& name) { colorState_->ApplyColorProfile(name); };
}

bool TfrmMainQRX::ShowColorDialog() {
  display::ColorStartup startup{reg1_->GetBool(L"LoadColor"), reg1_->GetString(L"LoadColorProfile")};
  display::TfrmColor dialog({ui::FormContext{window_.Forms(), env_.ports.clock}, env_.ports.user, *colorState_,
                             startup, [this](const display::ColorStartup& chosen) {
                               reg1_->SetValue(L"LoadColor", chosen.load);
                               reg1_->SetValue(L"LoadColorProfile", chosen.profile);
                             },
                             profileFiles_.get()});
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

bool TfrmMainQRX::ShowRefreshLockDialog() {
  if (!resClass_) return false;
  display::TfrmRefLock dialog({ui::FormContext{window_.Forms(), env_.ports.clock}, env_.ports.user,
                               env_.ports.registry, global::ProfilesRoot, *resClass_, reg1_->GetBool(L"ROVEnabled"),
                               [this](bool enabled) {
                                 reg1_->SetValue(L"ROVEnabled", enabled);
                                 reg1_->SaveAll();
                               },
                               SupportLibrary()});
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

void TfrmMainQRX::CreateResolutionMenu() {
  resClass_ = std::make_unique<display::TResClass>(env_.ports.displayDevices, display_.deviceName);
  display::ResolutionMenuContext context{*displayEnv_, *resClass_, ui::FormContext{window_.Forms(), env_.ports.clock},
                                         DialogOpen, [this] {
                                           display::ResolutionOptions options;
                                           options.refreshLockEnabled = reg1_->GetBool(L"ROVEnabled");
                                           options.dontAskRate = reg1_->GetBool(L"res_dont_ask_rate");
                                           options.selectRefreshMax = reg1_->GetBool(L"res_select_refresh_max");
                                           options.dontWait = reg1_->GetBool(L"res_dont_wait");
                                           return options;
                                         }};
  resolutionMenu_ = std::make_unique<display::ResolutionMenu>(trayMenus_->pm2, std::move(context));
  resolutionMenu_->BuildResolutionMenu();
}

bool TfrmMainQRX::QueryEndSession() {
  // The session may end without WM_CLOSE: keep what must last now.
  if (reg1_) reg1_->SaveAll();
  PersistDriverSettings();
  return true;
}

void TfrmMainQRX::EndSession(bool ending) {
  if (ending) FreeDriverAccess();
}

void TfrmMainQRX::PersistDriverSettings() {
  if (displayEnv_) display::PersistDriverSettings(*displayEnv_);
}

bool TfrmMainQRX::ApplicationHelp(uint32_t command, uintptr_t data) {
  if (command != ui::kHelpContextPopup) return false;
  window_.ShowHelp(helpFile_, command, data);
  return true;
}

void TfrmMainQRX::Exit1Click() {
  if (!DialogOpen) window_.Close();
}

void TfrmMainQRX::ShowError(const std::wstring& text) {
  platform::MessageBoxRequest request;
  request.caption = L"错误";
  request.text = text;
  request.icon = platform::MessageIcon::Error;
  env_.ports.user.ShowMessage(request);
}

void TfrmMainQRX::CreateDriverAccess() {
  rvxOwner_ = std::make_unique<hardware::TRVX>(env_.hardware.kernelIo, env_.hardware.cardRegisters,
                                               env_.programFolder, false, display_.DisplayVendorId,
                                               display_.DisplayDeviceId);
  rvx_ = rvxOwner_.get();
}

void TfrmMainQRX::FreeDriverAccess() {
  // A plug-in that still calls the service finds no card rather than a freed one.
  if (hostService_) hostService_->Context().rvx = nullptr;
  rvx_ = nullptr;
  rvxOwner_.reset();
}

void TfrmMainQRX::CreateDriverValueAccess() {
  driverValues_ = std::make_unique<driver3d::DriverRegistry>(env_.ports.registry, display_.DriverKeyPath);
  displayEnv_ = std::make_unique<display::DisplayEnvironment>(display::DisplayEnvironment{
      env_.hardware.driverEscape, env_.hardware.driverLibrary, env_.ports.displayDevices, env_.ports.registry,
      env_.ports.user, display_.deviceName, display_.DriverKeyPath, {}, {}});
}

void TfrmMainQRX::ReadDriverStorageMode() {
  driverValues_->ReadStorageMode();
  // Nothing of the driver's settings is read through the key it leaves open.
  driverValues_->CloseKey();
  AceMode = driverValues_->AceMode();
}

void TfrmMainQRX::CreateDisplayCommands() {
  display::DisplayCommandContext context{*displayEnv_, ui::FormContext{window_.Forms(), env_.ports.clock},
                                         [this] { ReloadDriverSettings(); }};
  displayCommands_ = std::make_unique<display::DisplayCommands>(trayMenus_->pm1, std::move(context));
  trayMenus_->plugged.refreshDisplayState = [this] { displayCommands_->Refresh(); };
  trayMenus_->plugged.readDisplayLimits = [this] { ReadDisplayLimits(); };
  trayMenus_->plugged.applyDisplayProfile = [this](const std::wstring& name) { ApplyDisplayProfile(name); };
  trayMenus_->pm1.Item(L"DefaultSingleDisplay1").OnClick = [this](ui::TMenuItem&) { DefaultSingleDisplay(); };
}

void TfrmMainQRX::ReadDisplayLimits() {
  display::EscapeContext dc(displayEnv_->escapes, displayEnv_->deviceName);
  const std::optional<display::DisplayLimits> limits = display::GetDisplayLimits(dc, display::kFirstMonitorIndex);
  displayLimitWidth_ = limits ? limits->MaxWidth : 0;
}

void TfrmMainQRX::DefaultSingleDisplay() { display::DefaultSingleDisplay(*displayEnv_, displaySupport_); }

void TfrmMainQRX::ApplyDisplayProfile(const std::wstring& name) {
  const display::DisplayProfiles profiles(env_.ports.registry, global::ProfilesRoot);
  display::ApplyDisplayProfile(*displayEnv_, displaySupport_, profiles, name);
}

bool TfrmMainQRX::ShowDisplaysDialog() {
  display::DisplayProfiles profiles(env_.ports.registry, global::ProfilesRoot);
  const display::DisplayStartup startup{reg1_->GetBool(L"Use_LoadDisplays"), reg1_->GetString(L"LoadDisplays")};
  return display::OpenDisplaysDialog({ui::FormContext{window_.Forms(), env_.ports.clock}, *displayEnv_,
                                      displaySupport_, profiles, startup,
                                      [this](const display::DisplayStartup& chosen) {
                                        reg1_->SetValue(L"Use_LoadDisplays", chosen.load);
                                        reg1_->SetValue(L"LoadDisplays", chosen.profile);
                                      },
                                      profileFiles_.get()});
}

bool TfrmMainQRX::ShowOverlayDialog() {
  display::TfrmOverlay dialog({ui::FormContext{window_.Forms(), env_.ports.clock}, *displayEnv_});
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

void TfrmMainQRX::CreateQuick3DItems() {
  driver3d::Quick3DContext context{*driverValues_,
                                   Quality,
                                   ui::FormContext{window_.Forms(), env_.ports.clock},
                                   [this] { UpdateTrayTip(); },
                                   [this] { ReloadDriverSettings(); },
                                   [this] { return DesktopRefreshRate(); }};
  quick3DItems_ = std::make_unique<driver3d::Quick3DItems>(trayMenus_->pm1, std::move(context));
  trayMenus_->plugged.refreshQuick3DSettings = [this] { quick3DItems_->Refresh(); };
}

driver3d::Profile3DContext TfrmMainQRX::Profiles3DContext() {
  return {*driverValues_, env_.ports.registry, global::ProfilesRoot, Quality, [this] { UpdateTrayTip(); },
          [this] { ReloadDriverSettings(); }};
}

uint32_t TfrmMainQRX::DesktopRefreshRate() {
  display::RefreshCurrentDisplayMode(*displayEnv_);
  return displayEnv_->currentMode.frequency;
}

std::wstring TfrmMainQRX::SupportLibrary() const { return env_.programFolder + L"support.dll"; }

void TfrmMainQRX::CreateProfile3DMenus() {
  driver3d::Profile3DMenuContext context{Profiles3DContext(), ui::FormContext{window_.Forms(), env_.ports.clock},
                                         [this] { trayIcon_->TrayMenuDone(); }};
  profile3DMenus_ = std::make_unique<driver3d::Profile3DMenus>(trayMenus_->pm1, std::move(context));
  trayMenus_->plugged.rebuildProfileMenus = [this] { profile3DMenus_->RebuildProfileMenus(); };
}

void TfrmMainQRX::ReloadDriverSettings() {
  display::ReloadOptions options;
  options.depthFlip = reg1_->GetBool(L"UseNew3DApply");
  options.refreshLockEnabled = reg1_->GetBool(L"ROVEnabled");
  options.uninstallRefreshHook = [this] { hooks_.Uninstall(monitors::Hook::RefreshRate); };
  options.installRefreshHook = [this] { hooks_.Install(monitors::Hook::RefreshRate); };
  display::ReloadDriverSettings(*displayEnv_, options);
}

void TfrmMainQRX::StoreMemoryTimingDefaults() {
  for (size_t i = 0; i < std::size(kTimingDefaultRegisters); ++i)
    reg1_->SetValue(kTimingDefaultNames[i], static_cast<double>(rvx_->RegRead32(kTimingDefaultRegisters[i])));
}

void TfrmMainQRX::ApplyPciLatency() {
  // Without a found card the address would be 00:00.0, the host bridge.
  if (!rvx_ || !rvx_->CardFound) return;
  const auto latency = static_cast<uint8_t>(reg1_->GetInteger(L"PCILatency"));
  rvx_->PciWrite8(static_cast<uint8_t>(rvx_->Bus), static_cast<uint8_t>(rvx_->Device),
                  static_cast<uint8_t>(rvx_->Function), kPciLatencyTimerOffset, latency);
}

void TfrmMainQRX::ReadIniSwitches() {
  auto ini = env_.ports.iniFiles.Open(env_.programFolder + settings::kMainIniFileName);
  ini_ = settings::ReadMainIniSwitches(*ini);
}

overclocking::OverclockingContext TfrmMainQRX::OverContext() {
  return {env_.ports.registry, env_.ports.user, *reg1_, *rvx_, ini_.optDisableOvr, [this] { UpdateTrayTip(); }};
}

void TfrmMainQRX::ApplyOverProfile(const std::wstring& name) {
  if (!rvx_) return;
  overclocking::OverclockingContext over = OverContext();
  overclocking::ApplyOverProfile(over, name);
}

bool TfrmMainQRX::ShowOverclockingDialog() {
  overclocking::OverDialogContext context{ui::FormContext{window_.Forms(), env_.ports.clock}, env_.ports.registry,
                                          env_.ports.user, *reg1_, *rvx_, HideTimings, [this] { UpdateTrayTip(); }};
  context.threading = &env_.ports.threading;
  context.artifactFrames = env_.artifactFrames;
  context.TemporalAAOn = [this] { return quick3DItems_ && quick3DItems_->TemporalAAOn(); };
  context.SwitchTemporalAAOff = [this] {
    if (quick3DItems_) quick3DItems_->SwitchTemporalAAOff();
  };
  context.profileFiles = profileFiles_.get();
  context.ConfirmNewClocks = [this] {
    return display::ConfirmDisplayChangeDialog(ui::FormContext{window_.Forms(), env_.ports.clock}, L"确认新频率");
  };
  overclocking::TfrmOver dialog(context);
  dialog.ShowModal();
  return dialog.RendererWasOpened();
}

namespace {

template <class Form>
bool ShowSettings3DDialog(const driver3d::Dialog3DContext& context) {
  Form dialog(context);
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

}  // namespace

driver3d::Dialog3DContext TfrmMainQRX::Settings3DContext() {
  // The dialogs' page images are the tray menu's strip.
  return {ui::FormContext{window_.Forms(), env_.ports.clock}, Profiles3DContext(), env_.ports.user,
          [this] { return DesktopRefreshRate(); }, trayMenus_->pm1.Images, profileFiles_.get()};
}

bool TfrmMainQRX::ShowDirect3DDialog() { return ShowSettings3DDialog<driver3d::TfrmD3D>(Settings3DContext()); }

bool TfrmMainQRX::ShowOpenGLDialog() { return ShowSettings3DDialog<driver3d::TfrmOGL>(Settings3DContext()); }

void TfrmMainQRX::CreateAudio() {
  const AudioPorts& ports = env_.audio;
  hotkeys::HotkeyAudio& keys = Hotkeys.audio;
  if (ports.waveIn && ports.files && env_.openFile) {
    audioFormatFile_ = env_.openFile(userDataFolder_ + L"\\audio.dat");
    recorder_ = std::make_unique<audio::AudioRecording>(audio::AudioContext{
        env_.ports.threading, env_.ports.clock, *ports.waveIn, *ports.files, *audioFormatFile_, *reg1_});
    recorder_->LoadAudioFormat();
    keys.StartRecording = [this] { recorder_->StartRecording(); };
    keys.StopRecording = [this] { recorder_->StopRecording(); };
    keys.Recording = [this] { return recorder_->Recording(); };
  }
  if (ports.mixers) {
    mixer_ = std::make_unique<audio::TAudioMixer>(*ports.mixers);
    keys.VolumeUp = [this] { audio::RaiseMasterVolume(*mixer_); };
    keys.VolumeDown = [this] { audio::LowerMasterVolume(*mixer_); };
    keys.ToggleMute = [this] { audio::ToggleMasterMute(*mixer_); };
  }
}

void TfrmMainQRX::LocateUserDataFolder() {
  const std::wstring appData = env_.ports.shell.AppDataFolder();
  if (!appData.empty()) userDataFolder_ = appData + L"\\corvane";
}

menus::MenuContext TfrmMainQRX::MakeMenuContext() {
  menus::MainFormCalls calls;
  calls.UpdateTrayTip = [this] { UpdateTrayTip(); };
  calls.HideMainWindow = [this] { window_.HideMainWindow(); };
  calls.TrayMenuDone = [this] { trayIcon_->TrayMenuDone(); };
  calls.Close = [this] { Exit1Click(); };
  calls.ReloadHotkeys = [this] { LoadHotkeys(); };
  menus::MenuDialogs dialogs;
  dialogs.about = [this] {
    ShowAboutBox();
    return true;
  };
  dialogs.overclocking = [this] { return ShowOverclockingDialog(); };
  dialogs.colors = [this] { return ShowColorDialog(); };
  dialogs.displays = [this] { return ShowDisplaysDialog(); };
  dialogs.overlay = [this] { return ShowOverlayDialog(); };
  dialogs.refreshRateLock = [this] { return ShowRefreshLockDialog(); };
  dialogs.direct3D = [this] { return ShowDirect3DDialog(); };
  dialogs.openGL = [this] { return ShowOpenGLDialog(); };
  dialogs.gameProfileEditor = [this] { return ShowGameProfileEditor(); };
  dialogs.runTimePlugins = [this] { return ShowRunTimePluginsDialog(); };
  dialogs.generalOptions = [this] { return ShowGeneralOptions(); };
  dialogs.hotkeyEditor = [this] { return ShowHotkeyEditor(); };
  dialogs.hardwareSettings = [this] { return ShowHardwareDialog(); };
  dialogs.cardInformation = [this] { return ShowCardInformation(); };
  return menus::MenuContext{env_.ports,      *reg1_,  rvx_,      display_.DriverKeyPath, ini_,
                            AceMode,          DialogOpen, HotkeyEditorOpen, Quality, ProfileLookupList,
                            std::move(calls), std::move(dialogs), HookMenuEntries()};
}

void TfrmMainQRX::ShowAboutBox() {
  ui::AboutInfo info;
  info.version = kProgramVersion;
  info.simulatedHardware = env_.simulate;
  info.brandBitmap = ui::Picture::BitmapResource(SupportLibrary(), L"RADEON");
  info.branded = reg1_->GetInteger(L"OEMVersion") == 1;
  info.brandText = reg1_->GetString(L"OEMBrandText");
  info.linkAddress = reg1_->GetString(L"OEMLink");
  info.linkCaption = reg1_->GetString(L"OEMLinkCaption");
  ui::TfrmAbout about(ui::FormContext{window_.Forms(), env_.ports.clock}, info);
  about.OnOpenLink = [this](const std::wstring& address) {
    platform::ShellExecuteRequest request;
    request.verb = L"open";
    request.file = address;
    env_.ports.shell.Execute(request);
  };
  about.ShowModal();
}

namespace {

// "Run Time 插件" and its separator come before the plug-ins.
constexpr size_t kDeclaredPluginItems = 2;

// Major << 16 | minor from "major.minor[...]".
uint32_t HostVersion(const std::wstring& version) {
  unsigned major = 0;
  unsigned minor = 0;
  if (std::swscanf(version.c_str(), L"%u.%u", &major, &minor) < 1) return 0;
  return (major & 0xFFFFu) << 16 | (minor & 0xFFFFu);
}

// The driver key as a plug-in reads it: the path's characters as bytes. Registry paths of
// display drivers are ASCII; anything else would not survive the plug-in's code page.
std::string AsciiBytes(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) bytes.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return bytes;
}

}  // namespace

void TfrmMainQRX::LoadPlugins() {
  if (!env_.pluginModules) return;
  plugins::HostServiceContext service{rvx_, reg1_.get(), HostVersion(kProgramVersion), AsciiBytes(display_.DriverKeyPath)};
  hostService_ = std::make_unique<plugins::HostServiceEntry>(std::move(service));
  const plugins::PluginHostContext context{*env_.pluginModules, env_.ports.registry, window_.Handle(),
                                           plugins::HostServiceEntry::Pointer(),
                                           plugins::PluginFolderOf(env_.programFolder)};
  runTimePlugins_ = std::make_unique<plugins::TRPLList>(context);
  menuPlugins_ = std::make_unique<plugins::MenuPlugins>(context, env_.ports.user);
  menuPlugins_->Scan();
  menuPlugins_->AddMenuItems(trayMenus_->pm1.Item(L"Plugins1"));
}

void TfrmMainQRX::FreePlugins() {
  // The menu's plug-in items run through the list that goes here.
  if (menuPlugins_) trayMenus_->pm1.Item(L"Plugins1").DeleteFrom(kDeclaredPluginItems);
  // Each run-time plug-in gets done_plugin while the service still answers.
  runTimePlugins_.reset();
  menuPlugins_.reset();
  hostService_.reset();
}

bool TfrmMainQRX::ShowRunTimePluginsDialog() {
  if (!runTimePlugins_) return false;
  plugins::TfrmRunTimePL dialog(ui::FormContext{window_.Forms(), env_.ports.clock}, *runTimePlugins_);
  return dialog.ShowModal() == ui::TModalResult::Ok;
}

}  // namespace corvane
