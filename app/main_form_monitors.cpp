// The main form's side of the hook libraries: the shared mappings, the two monitor threads
// and what is done with their reports, the 3D applications watched until they end.
#include "app/main_form.h"

#include "app/monitors/hook_reports.h"

namespace corvane {

using monitors::Hook;

void TfrmMainQRX::CreateHookMappings() {
  platform::NamedObjects& objects = env_.ports.namedObjects;
  appMapping_ = objects.CreateNamedMapping(monitors::kAppMappingName, monitors::kHookMappingSize);
  keyMapping_ = objects.CreateNamedMapping(monitors::kKeyMappingName, monitors::kHookMappingSize);
}

void TfrmMainQRX::StartAppMonitor() {
  const monitors::MonitorPorts ports{env_.ports.threading, env_.ports.dispatcher, env_.ports.namedObjects};
  appHookThread_ = monitors::TAppHook_th::Start(ports, [this] { HandleAppEvent(); });
}

void TfrmMainQRX::StartKeyMonitor() {
  const monitors::MonitorPorts ports{env_.ports.threading, env_.ports.dispatcher, env_.ports.namedObjects};
  keyThread_ = monitors::TKeyThread::Start(ports, [this] { HandleKeyEvent(); });
}

void TfrmMainQRX::StopHooksAndMonitors() {
  hooks_.Uninstall(Hook::RefreshRate);
  if (appHookThread_) appHookThread_->Stop();
  hooks_.Uninstall(Hook::Application);
  appMapping_.reset();
  hooks_.Uninstall(Hook::Keyboard);
  if (keyThread_) keyThread_->Stop();
  keyMapping_.reset();
  hooks_.FreeHookLibraries();
}

menus::HookEntries TfrmMainQRX::HookMenuEntries() {
  menus::HookEntries entries;
  entries.installRefreshRateHook = [this] { hooks_.Install(Hook::RefreshRate); };
  entries.uninstallRefreshRateHook = [this] { hooks_.Uninstall(Hook::RefreshRate); };
  entries.installKeyboardHook = [this] { hooks_.Install(Hook::Keyboard); };
  entries.uninstallKeyboardHook = [this] { hooks_.Uninstall(Hook::Keyboard); };
  return entries;
}

void TfrmMainQRX::HandleKeyEvent() {
  std::optional<hotkeys::KeyReport> report;
  {
    // Mapped only while the report is read and taken.
    auto view = env_.ports.namedObjects.OpenNamedMapping(monitors::kKeyMappingName, monitors::kHookMappingSize);
    if (!view) return;
    report = monitors::ParseKeyReport(view->Bytes());
    if (!report) return;
    if (HotkeyEditorOpen || report->pending == 1) monitors::WriteKeyPending(view->Bytes(), 0);
  }
  HandleKeyEvent(*report);
}

void TfrmMainQRX::HandleAppEvent() {
  auto view = env_.ports.namedObjects.OpenNamedMapping(monitors::kAppMappingName, monitors::kHookMappingSize);
  if (!view) return;
  monitors::AppEventContext context = AppEvents();
  monitors::HandleAppEvent(context, view->Bytes());
}

monitors::AppEventContext TfrmMainQRX::AppEvents() {
  monitors::AppEventContext context{*reg1_, Profile3DApplied, App3DRunning, ProfileLookupList};
  if (gameLauncher_) context.lastGame = gameLauncher_->Game();
  context.ReportText = [this](std::string_view bytes) {
    return env_.hookLibraries ? env_.hookLibraries->ReportText(bytes) : std::wstring();
  };
  context.ApplyGameProfile = [this](const std::wstring& name, uint32_t processId) { ApplyGameProfile(name, processId); };
  context.ApplyOverProfile = [this](const std::wstring& name) { ApplyOverProfile(name); };
  context.PlaySound = [this](const std::wstring& file) {
    if (env_.sounds) env_.sounds->PlayAsync(file);
  };
  context.StartApp3d = [this](uint32_t processId, uint32_t mode) { StartApp3d(processId, mode); };
  context.ApplyCurrentColor = [this] {
    if (colorState_) colorState_->ApplyCurrentColor();
  };
  return context;
}

void TfrmMainQRX::StartApp3d(uint32_t processId, uint32_t mode) {
  // Set here rather than on the waiting thread: the main form's flags are the UI thread's.
  App3DRunning = true;
  const uint64_t id = nextApp3d_++;
  std::unique_ptr<monitors::TApp3d> watch = monitors::TApp3d::Start(
      env_.ports.threading, env_.ports.dispatcher, env_.ports.shell, processId, [this, id, mode] {
        app3d_.erase(id);
        monitors::AppEventContext context = AppEvents();
        monitors::App3dEnded(context, mode);
      });
  if (watch) app3d_.emplace(id, std::move(watch));
}

}  // namespace corvane
