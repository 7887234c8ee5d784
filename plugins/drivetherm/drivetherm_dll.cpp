// drivetherm.dll: the run-time plug-in "磁盘温度". While it runs, each hard disk with
// S.M.A.R.T. has a tray icon showing its temperature, refreshed every 10 seconds. It talks
// to the disks itself; when the program runs on its simulated machine (the variable
// CORVANE_SIMULATE is "1") it shows the simulated disks instead.
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/sim/hardware/sim_disks.h"
#include "platform/win32/notify_icon_win32.h"
#include "platform/win32/smart_disks_win32.h"
#include "plugins/drivetherm/drive_therm.h"
#include "plugins/drivetherm/temperature_icons_win32.h"
#include "plugins/sdk/corvane_plugin.h"
#include "plugins/shell/plugin_forms.h"
#include "plugins/shell/plugin_guard.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

using namespace corvane;

constexpr wchar_t kWindowClass[] = L"QRXPLGHDDT";
constexpr UINT_PTR kTimerId = 7765;

HINSTANCE Library() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

bool Simulated() {
  wchar_t value[8] = {};
  return GetEnvironmentVariableW(CORVANE_SIMULATE_VARIABLE_W, value, 8) == 1 && value[0] == L'1';
}

// The refresh timer on the plug-in's window (SetTimer with the timer ID 7765).
class WindowTimerClock final : public platform::Clock {
 public:
  void SetWindow(HWND window) { window_ = window; }
  void Tick() {
    if (onTick_) onTick_();
  }
  uint32_t TickCount() const override { return GetTickCount(); }
  platform::CalendarDate Today() const override { return clock_.Today(); }
  std::unique_ptr<platform::Timer> StartTimer(uint32_t intervalMs, bool, std::function<void()> onTick) override {
    onTick_ = std::move(onTick);
    SetTimer(window_, kTimerId, intervalMs, nullptr);
    return std::make_unique<Running>(*this);
  }

 private:
  struct Running final : platform::Timer {
    explicit Running(WindowTimerClock& clock) : clock(clock) {}
    ~Running() override {
      KillTimer(clock.window_, kTimerId);
      clock.onTick_ = nullptr;
    }
    WindowTimerClock& clock;
  };
  HWND window_ = nullptr;
  std::function<void()> onTick_;
  plugins::DialogClock clock_;
};

// Everything of one run, from exec_plugin to done_plugin.
struct Run {
  explicit Run(bool simulated) {
    if (simulated)
      disks = std::make_unique<platform::sim::SimSmartDisks>(platform::sim::SimSmartDisks::Default());
    else
      disks = std::make_unique<platform::Win32SmartDisks>();
  }
  HWND window = nullptr;
  std::unique_ptr<platform::SmartDisks> disks;
  platform::Win32NotifyIcon tray;
  drivetherm::GdiTemperatureIcons icons;
  WindowTimerClock clock;
  drivetherm::DriveTherm plugin{drivetherm::DriveThermContext{*disks, tray, icons, clock}};
};

// The library's one state: the run in progress, if any. The host calls every export and
// the window receives every message on its main thread.
std::unique_ptr<Run>& Current() {
  static std::unique_ptr<Run> run;
  return run;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return 0;
  if (message == WM_TIMER && wParam == kTimerId) {
    try {
      if (Current()) Current()->clock.Tick();
    } catch (...) {
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Start() {
  if (Current()) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = Library();
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);
  auto run = std::make_unique<Run>(Simulated());
  run->window = CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Library(), nullptr);
  if (!run->window) {
    UnregisterClassW(kWindowClass, Library());
    return;
  }
  run->clock.SetWindow(run->window);
  Run& started = *run;
  Current() = std::move(run);
  started.plugin.Exec(reinterpret_cast<platform::WindowHandle>(started.window));
}

void Stop() {
  std::unique_ptr<Run> run = std::move(Current());
  if (!run) return;
  run->plugin.Done();
  DestroyWindow(run->window);
  UnregisterClassW(kWindowClass, Library());
}

}  // namespace

using corvane::plugins::Guarded;

extern "C" {

__declspec(dllexport) void CORVANE_PLUGIN_CALL get_plug_info(PluginInfo* info) {
  corvane::plugins::FillPluginInfo(info, L"磁盘温度", CORVANE_PLUGIN_RUNTIME);
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL exec_plugin(void*, HostService) { Guarded(Start); }

__declspec(dllexport) void CORVANE_PLUGIN_CALL done_plugin() { Guarded(Stop); }

__declspec(dllexport) void CORVANE_PLUGIN_CALL suspend_restore() {}

__declspec(dllexport) void CORVANE_PLUGIN_CALL config_plugin() {
  Guarded([] {
    HWND owner = Current() ? Current()->window : nullptr;
    MessageBoxW(owner, L"无需配置.", L"信息", MB_OK | MB_ICONINFORMATION);
  });
}

}  // extern "C"
