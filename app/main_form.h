#pragma once
// TfrmMainQRX: the main form. It never shows; it owns everything long-lived from
// FormCreate to FormClose (settings, the card, the tray icon and menus) and reacts to
// what the system tells its window. ui/win32/ gives it its real window.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/menus/tray_menus.h"
#include "app/profile_switches.h"
#include "app/monitors/app_3d.h"
#include "app/monitors/app_events.h"
#include "app/monitors/hook_library_set.h"
#include "app/monitors/monitor_thread.h"
#include "app/program.h"
#include "settings/main_ini.h"
#include "settings/profile_transfer.h"
#include "settings/reg_values.h"
#include "app/tray_icon.h"
#include "audio/audio_mixer.h"
#include "audio/audio_recording.h"
#include "display/color/color_state.h"
#include "display/display_commands.h"
#include "display/display_environment.h"
#include "display/display_support.h"
#include "display/resolutions/res_class.h"
#include "display/resolutions/resolution_menu.h"
#include "driver3d/dialogs/settings_form.h"
#include "driver3d/driver_registry.h"
#include "driver3d/profiles/profile_menus.h"
#include "driver3d/quick_items/quick_3d_items.h"
#include "games/game_launcher.h"
#include "hardware/overclocking/apply_profile.h"
#include "hardware/rvx.h"
#include "hotkeys/hotkey_actions.h"
#include "hotkeys/hotkey_devices.h"
#include "hotkeys/key_collection.h"
#include "hotkeys/key_report.h"
#include "hotkeys/mon_off.h"
#include "platform/display_devices.h"
#include "platform/window_handle.h"
#include "platform/window_messages.h"
#include "plugins/host/host_service_entry.h"
#include "plugins/host/menu_plugins.h"
#include "plugins/host/rpl_list.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace corvane {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// What the main form needs of its window. The real one is a hidden 1x1 top-level window
// placed off-screen; tests give a fake that records what was asked of it.
class MainFormWindow {
 public:
  virtual ~MainFormWindow() = default;
  // The handle the tray icon's clicks are sent to.
  virtual platform::WindowHandle Handle() const = 0;
  // Minimise and hide; the main form is never shown.
  virtual void HideMainWindow() = 0;
  // A popup menu only closes properly when its owner window is in the foreground.
  virtual void BringToForeground() = 0;
  virtual ScreenPoint CursorPosition() = 0;
  // Shows the menu at the point and returns once it is closed and its command has run.
  virtual void PopupMenu(ui::TPopupMenu& menu, ScreenPoint at) = 0;
  // Closes the main form, which ends the program: FormClose runs from the window's close.
  virtual void Close() = 0;
  // WinHelp on the main window.
  virtual void ShowHelp(const std::wstring& helpFile, uint32_t command, uintptr_t data) = 0;
  // What the tray's dialogs are shown through.
  virtual ui::FormRenderer& Forms() = 0;
  // Whether the tray menus are drawn by the program ("use_skinned_menu") or by the system.
  virtual void UseSkinnedMenus(bool skinned) { (void)skinned; }
};

// WM_POWERBROADCAST event codes after which the machine is running again.
namespace PowerEvent {
inline constexpr uint32_t ResumeSuspend = 7;  // PBT_APMRESUMESUSPEND
inline constexpr uint32_t ResumeStandby = 8;  // PBT_APMRESUMESTANDBY
}  // namespace PowerEvent

// The primary display adapter as start-up found it.
struct PrimaryDisplay {
  std::wstring deviceName;     // "\\.\DISPLAY1"
  std::wstring DriverKeyPath;  // below HKEY_LOCAL_MACHINE
  uint32_t PrimaryDeviceIndex = 0;
  bool IsAtiDevice = false;
  uint16_t DisplayVendorId = 0;
  uint16_t DisplayDeviceId = 0;
};

// Reads the adapter with the primary flag: its driver key without "\Registry\Machine\"
// and the vendor and device ids from "PCI\VEN_vvvv&DEV_dddd&...". Nothing when there is
// no primary adapter.
std::optional<PrimaryDisplay> FindPrimaryDisplay(platform::DisplayDevices& devices);

class TfrmMainQRX {
 public:
  // `alreadyRunning`: the mutex "corvane" existed when this process started.
  TfrmMainQRX(const ProgramEnvironment& environment, MainFormWindow& window, bool alreadyRunning);
  // The settings store saves its auto-stored values as the form goes.
  ~TfrmMainQRX();
  TfrmMainQRX(const TfrmMainQRX&) = delete;
  TfrmMainQRX& operator=(const TfrmMainQRX&) = delete;

  // The start-up sequence. False when the application terminates instead of running: a
  // second instance (after forwarding a profile request), or no driver or no ATI card.
  bool FormCreate();
  // What the process ends with when FormCreate gave false (RunExitCode).
  int ExitCode() const { return exitCode_; }
  // The shut-down sequence, run once when the window closes.
  void FormClose();

  // --- What the window receives ---
  void TrayCallback(uint32_t mouseMessage);
  void PowerBroadcast(uint32_t event);
  // WM_DISPLAYCHANGE: the desktop's mode changed, which resets the palette.
  void DisplayChange();
  // WM_QUERYENDSESSION: keeps the settings and the driver's configuration now, and always
  // lets Windows end the session.
  bool QueryEndSession();
  // WM_ENDSESSION: `ending` when the session really ends. Only then does the card go; a
  // cancelled shut-down leaves everything (an open dialog's hold on the card too) as it was.
  void EndSession(bool ending);
  // The application's help event; true means handled.
  bool ApplicationHelp(uint32_t command, uintptr_t data);

  // The tray menu's "退出".
  void Exit1Click();
  // The running instance's answer to "corvane_run": the profile of "RunProfile" in force,
  // of the kind "RunKind" names; a game when it names none.
  void RunForwardedRequest();
  // Start the game of "RunProfile".
  void StartGameByProfile();
  void TaskbarCreated();
  void UpdateTrayTip();
  void RefreshMenuState();
  // Makes the driver re-read its registry settings, the way "UseNew3DApply" asks.
  void ReloadDriverSettings();
  // The tray's "默认单一显示" and hotkey action 22: the first connected display alone.
  void DefaultSingleDisplay();
  // A stored display profile in force: the tray's profile items, hotkey action 23 and
  // start-up.
  void ApplyDisplayProfile(const std::wstring& name);
  // The game launcher's switch to a "%dx%dx%d" mode at its highest rate; false when the
  // catalogue does not hold it.
  bool SwitchToResolutionAtMaxRate(const std::wstring& modeText);
  // Puts a game profile in force for the game's process and restores the earlier state
  // when it ends.
  void ApplyGameProfile(const std::wstring& name, uint32_t processId);

  // --- Hotkeys ---
  // A key report from the keyboard hook: discarded while the hotkey editor is open,
  // otherwise every action bound to the key runs. The report's pending flag is cleared.
  void HandleKeyEvent(hotkeys::KeyReport& report);
  // The table again from the registry (start-up and after the hotkey dialog's OK).
  void LoadHotkeys();
  // Null before start-up loaded it.
  const hotkeys::TKeyCollection* KeyCollection() const { return keys_.get(); }
  // --- Hook reports (UI thread; the monitor threads call them) ---
  // The key report in "CORVANE_KBD", handled as above.
  void HandleKeyEvent();
  // The application report in "CORVANE_CBT": a game profile, or the 2D/3D switch.
  void HandleAppEvent();
  // The monitor threads; null before start-up started them (they stay, stopped, after
  // FormClose until the form goes).
  monitors::TMonitorThread* KeyThread() { return keyThread_.get(); }
  monitors::TMonitorThread* AppHookThread() { return appHookThread_.get(); }
  // What the actions reach beyond the form: recorder and mixer, monitor switch, capture.
  hotkeys::HotkeyDevices Hotkeys;
  // The recorder; null without sound ports.
  audio::AudioRecording* Recorder() { return recorder_.get(); }

  // --- State other parts read ---
  settings::TRegValues& reg1() { return *reg1_; }
  hardware::TRVX* rvx() { return rvx_; }
  menus::TrayMenus* TrayMenus() { return trayMenus_.get(); }
  // The 3D profiles; null until start-up has made the menus.
  driver3d::Profile3DMenus* Profiles3D() { return profile3DMenus_.get(); }
  const PrimaryDisplay& Display() const { return display_; }
  // The primary display's mode as last read (zeros before start-up has read it).
  const platform::DisplayMode& CurrentDisplayMode() const { return displayEnv_->currentMode; }
  const display::DisplaySupport& DisplaySupport() const { return displaySupport_; }
  // The first monitor's widest mode as the driver last reported it (0 when unknown).
  uint32_t DisplayLimitWidth() const { return displayLimitWidth_; }
  driver3d::DriverRegistry& DriverValues() { return *driverValues_; }
  // The colour settings in force (ColorAdjustment) and what applies them; null until
  // start-up made it.
  display::ColorState* Color() { return colorState_.get(); }
  // The mode catalogue; null until start-up made it.
  const display::TResClass* ResClass() const { return resClass_.get(); }
  // The game launcher; null until start-up made it and after the form closed.
  games::GameLauncher* GameLauncher() { return gameLauncher_.get(); }
  const settings::MainIniSwitches& IniSwitches() const { return ini_; }
  const std::wstring& HelpFile() const { return helpFile_; }
  const std::wstring& UserDataFolder() const { return userDataFolder_; }
  // The plug-ins; null before start-up loaded them and after FormClose freed them.
  plugins::MenuPlugins* MenuPlugins() { return menuPlugins_.get(); }
  plugins::TRPLList* RunTimePlugins() { return runTimePlugins_.get(); }

  bool ForwardingInstance = false;
  bool AceMode = false;
  bool DialogOpen = false;
  bool HotkeyEditorOpen = false;
  bool Profile3DApplied = false;
  bool App3DRunning = false;
  bool HideTimings = false;
  // Gamma, contrast and brightness for red, green and blue.
  std::array<int32_t, 9> ColorAdjustment{};
  menus::QualityCounters Quality;
  std::vector<std::wstring> ProfileLookupList;

 private:
  // The stored name a command-line request means; nothing, after telling the caller, when
  // there is no such profile.
  std::optional<std::wstring> ResolveRequest(const ProfileRequest& request);
  void ForwardToRunningInstance(const ProfileRequest& request);
  void StoreRunProfileAndBroadcast(const ProfileRequest& request);
  void ShowError(const std::wstring& text);
  void CreateDriverAccess();
  void FreeDriverAccess();
  // The driver writes its current configuration records into its key.
  void PersistDriverSettings();
  void CreateDriverValueAccess();
  void ReadDriverStorageMode();
  void CreateDisplayCommands();
  void CreateQuick3DItems();
  void CreateProfile3DMenus();
  void CreateColorState();
  void CreateResolutionMenu();
  bool ShowColorDialog();
  bool ShowDisplaysDialog();
  bool ShowOverlayDialog();
  void ReadDisplayLimits();
  bool ShowRefreshLockDialog();
  void StoreMemoryTimingDefaults();
  void ApplyPciLatency();
  void ReadIniSwitches();
  // What applying an overclocking profile works on; only while the card is there.
  overclocking::OverclockingContext OverContext();
  void ApplyOverProfile(const std::wstring& name);
  bool ShowOverclockingDialog();
  // The tray's Direct3D and OpenGL "设置...": true when closed with OK.
  bool ShowDirect3DDialog();
  driver3d::Dialog3DContext Settings3DContext();
  // What the 3D profiles work on, for the tray's profile menus and the two dialogs.
  driver3d::Profile3DContext Profiles3DContext();
  // The desktop's refresh rate as it is now (0 when unknown).
  uint32_t DesktopRefreshRate();
  // The program's companion library, which carries the menu and button images.
  std::wstring SupportLibrary() const;
  bool ShowOpenGLDialog();
  void LocateUserDataFolder();
  // The recorder with the format from "audio.dat" and the master volume, for the hotkeys.
  void CreateAudio();
  menus::MenuContext MakeMenuContext();
  void ShowAboutBox();
  void CreateGameLauncher();
  bool ShowGameProfileEditor();
  // Start-up: the service plug-ins are given, the run-time list and the menu plug-ins.
  void LoadPlugins();
  void FreePlugins();
  bool ShowRunTimePluginsDialog();
  // The tray's "常规选项...".
  bool ShowGeneralOptions();
  // The hotkey list, the PCI latency dialog and the card's report (main_form_dialogs.cpp).
  bool ShowHotkeyEditor();
  bool ShowHardwareDialog();
  bool ShowCardInformation();
  hotkeys::HotkeyOperations HotkeyOperations();
  void ApplyColorStep(hotkeys::ColorStep step);
  void TurnMonitorOff();
  void TakeScreenshot();
  void ToggleExtendedDesktop();
  // "CORVANE_CBT" then "CORVANE_KBD"; a mapping that cannot be made is left out.
  void CreateHookMappings();
  void StartAppMonitor();
  void StartKeyMonitor();
  // The hooks' shut-down order, from the refresh-rate hook to the libraries.
  void StopHooksAndMonitors();
  monitors::AppEventContext AppEvents();
  void StartApp3d(uint32_t processId, uint32_t mode);
  menus::HookEntries HookMenuEntries();

  const ProgramEnvironment& env_;
  MainFormWindow& window_;
  const bool alreadyRunning_;
  // Made by FormCreate, so that a second instance that only ends leaves the registry alone.
  std::unique_ptr<settings::TRegValues> reg1_;
  // After the settings they read: they go first.
  std::unique_ptr<platform::WholeFile> audioFormatFile_;
  std::unique_ptr<audio::AudioRecording> recorder_;
  std::unique_ptr<audio::TAudioMixer> mixer_;
  std::unique_ptr<TrayIcon> trayIcon_;

  PrimaryDisplay display_;
  // The driver's registry values (its storage mode settled at start-up) and the primary
  // display as the driver's escapes and the mode functions see it.
  std::unique_ptr<driver3d::DriverRegistry> driverValues_;
  std::unique_ptr<display::DisplayEnvironment> displayEnv_;
  display::DisplaySupport displaySupport_;
  uint32_t displayLimitWidth_ = 0;
  // The card, and the plain pointer to it the menus look at (null once freed).
  std::unique_ptr<hardware::TRVX> rvxOwner_;
  hardware::TRVX* rvx_ = nullptr;
  settings::MainIniSwitches ini_;
  std::wstring helpFile_;
  std::wstring userDataFolder_;
  std::unique_ptr<menus::TrayMenus> trayMenus_;
  std::unique_ptr<display::DisplayCommands> displayCommands_;
  std::unique_ptr<driver3d::Quick3DItems> quick3DItems_;
  std::unique_ptr<driver3d::Profile3DMenus> profile3DMenus_;
  std::unique_ptr<display::ColorState> colorState_;
  std::unique_ptr<display::TResClass> resClass_;
  std::unique_ptr<display::ResolutionMenu> resolutionMenu_;
  std::unique_ptr<games::GameLauncher> gameLauncher_;
  // Declared after the card: the plug-ins go first, then the service they used.
  std::unique_ptr<plugins::HostServiceEntry> hostService_;
  std::unique_ptr<plugins::TRPLList> runTimePlugins_;
  std::unique_ptr<plugins::MenuPlugins> menuPlugins_;
  std::unique_ptr<hotkeys::TKeyCollection> keys_;
  std::unique_ptr<hotkeys::TMonOff> monOff_;
  // What the profile dialogs export to and import from; null without files to open.
  std::unique_ptr<settings::ProfileTransferContext> profileFiles_;

  // The hook libraries and what they report through. The threads go before the libraries.
  monitors::HookLibrarySet hooks_;
  std::unique_ptr<platform::SharedMapping> appMapping_;
  std::unique_ptr<platform::SharedMapping> keyMapping_;
  std::unique_ptr<monitors::TAppHook_th> appHookThread_;
  std::unique_ptr<monitors::TKeyThread> keyThread_;
  // The 3D applications watched until they end, by a number of their own.
  std::map<uint64_t, std::unique_ptr<monitors::TApp3d>> app3d_;
  uint64_t nextApp3d_ = 0;

  uint32_t runMessage_ = 0;
  uint32_t taskbarCreatedMessage_ = 0;
  std::unique_ptr<platform::MessageSubscription> runSubscription_;
  std::unique_ptr<platform::MessageSubscription> taskbarSubscription_;
  bool iconAdded_ = false;
  bool closed_ = false;
  int exitCode_ = RunExitCode::Done;
};

}  // namespace corvane
