// The Windows entry point: the real ports, the hardware (real or, with "/simulate", the
// simulated card and displays), the main form's window, then the program.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_display_devices.h"
#include "platform/sim/hardware/sim_driver_library.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/hardware/sim_machine_state_file.h"
#include "platform/sim/hardware/sim_observed_ports.h"
#include "platform/win32/card_registers_win32.h"
#include "platform/win32/choosers_win32.h"
#include "platform/win32/console_line_win32.h"
#include "platform/win32/driver_escape_win32.h"
#include "platform/win32/fpu_control.h"
#include "platform/win32/hook_libraries_win32.h"
#include "platform/win32/kernel_io_win32.h"
#include "platform/win32/mixer_win32.h"
#include "platform/win32/plugin_modules_win32.h"
#include "platform/win32/program_update_win32.h"
#include "platform/win32/recording_files_win32.h"
#include "platform/win32/sound_win32.h"
#include "platform/win32/wave_in_win32.h"
#include "platform/win32/whole_file_win32.h"
#include "platform/win32/win32_platform.h"
#include "plugins/sdk/corvane_plugin.h"
#include "ui/win32/hotkey_devices_win32.h"
#include "ui/win32/gl_frame_source.h"
#include "ui/win32/main_window.h"

namespace {

std::vector<std::wstring> Parameters() {
  std::vector<std::wstring> parameters;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return parameters;
  for (int i = 1; i < count; ++i) parameters.emplace_back(arguments[i]);
  LocalFree(arguments);
  return parameters;
}

// The folder of the program file, ending in '\'.
std::wstring ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L".\\";
    if (length < path.size()) {
      std::wstring file(path.data(), length);
      return file.substr(0, file.find_last_of(L"\\/") + 1);
    }
    path.resize(path.size() * 2);
  }
}

// The ports with the simulated displays in place of the real ones.
corvane::platform::Ports WithDisplays(const corvane::platform::Ports& p, corvane::platform::DisplayDevices& displays) {
  return {p.registry, p.iniFiles, p.namedObjects, p.windowMessages, p.threading, p.dispatcher, p.clock,
          p.user,     displays,   p.shell,        p.notifyIcon,     p.desktopIcons};
}

// Wine makes the display drivers' parent key afresh each session as a volatile key, and a
// volatile key takes only volatile children. The simulated driver's keys are therefore made
// volatile here before the simulation writes into them: they go with the session, as the
// simulated card does.
bool MakeSimulatedDriverKeys() {
  for (const wchar_t* instance : {L"\\0000", L"\\0000\\OpenGL", L"\\0001", L"\\0001\\OpenGL"}) {
    const std::wstring path = std::wstring(corvane::platform::sim::kSimVideoKey) + instance;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
      RegCloseKey(key);
  }
  return true;
}

// The card and the displays the program runs against.
class Hardware {
 public:
  virtual ~Hardware() = default;
  virtual corvane::HardwarePorts Card() = 0;
  virtual corvane::platform::Ports& Ports() = 0;
  // Real displays tell the windows of a new desktop mode themselves.
  virtual void AnnounceDisplayChangesTo(HWND) {}
  // A real card shows its faults in the frames it draws.
  virtual corvane::artifacts::FaultCheck ArtifactFaults() { return {}; }
};

class RealHardware final : public Hardware {
 public:
  explicit RealHardware(corvane::platform::Ports& ports) : ports_(ports) {}
  corvane::HardwarePorts Card() override { return {kernelIo_, cardRegisters_, driverEscape_, driverLibrary_}; }
  corvane::platform::Ports& Ports() override { return ports_; }

 private:
  corvane::platform::Ports& ports_;
  corvane::platform::Win32KernelIo kernelIo_;
  corvane::platform::Win32CardRegisters cardRegisters_;
  corvane::platform::Win32DriverEscape driverEscape_;
  corvane::platform::Win32DriverLibrary driverLibrary_;
};

// Where the simulated card and driver are kept between runs: the user data folder. Empty
// when Windows names no application-data folder.
std::wstring MachineStatePath(corvane::platform::Shell& shell) {
  const std::wstring appData = shell.AppDataFolder();
  if (appData.empty()) return {};
  return appData + L"\\corvane\\" + corvane::platform::sim::kMachineStateFileName;
}

// A Radeon 9800 PRO on a simulated bus, with its displays. Its display driver's key is
// written into the real registry under HKEY_LOCAL_MACHINE, where the program then reads
// and writes the driver's settings as it would on the real card. The card and the driver
// keep their state between runs, as real ones do while the machine stays on.
class SimulatedHardware final : public Hardware {
 public:
  explicit SimulatedHardware(corvane::platform::Ports& ports)
      : driverKeysMade_(MakeSimulatedDriverKeys()),
        displays_(ports.registry, corvane::platform::sim::DisplayOptionsForCard(machine_.Card().Setup())),
        ports_(WithDisplays(ports, displays_)),
        statePath_(MachineStatePath(ports.shell)) {
    if (!statePath_.empty())
      stateFile_ = std::make_unique<corvane::platform::sim::SimMachineStateFile>(
          stateStore_, machine_.Card(), displayDriver_.State(), ports.clock);
  }
  corvane::HardwarePorts Card() override { return {machine_.Kernel(), registers_, escapes_, driverLibrary_}; }
  corvane::platform::Ports& Ports() override { return ports_; }
  // As Windows does after a mode change: WM_DISPLAYCHANGE with the depth and the size.
  // The simulated card draws wrong pixels once a clock is more than a little above what
  // it ran at when the program started, so the tester's searches end somewhere to see.
  corvane::artifacts::FaultCheck ArtifactFaults() override {
    const double coreLimit = machine_.Card().CoreClockMhz() + kCoreHeadroomMhz;
    const double memLimit = machine_.Card().MemClockMhz() + kMemHeadroomMhz;
    return [this, coreLimit, memLimit] {
      return machine_.Card().CoreClockMhz() > coreLimit || machine_.Card().MemClockMhz() > memLimit;
    };
  }
  void AnnounceDisplayChangesTo(HWND window) override {
    displays_.OnDisplayChange = [window](const corvane::platform::DisplayMode& mode) {
      SendMessageW(window, WM_DISPLAYCHANGE, mode.bitsPerPel, MAKELPARAM(mode.width, mode.height));
    };
  }

 private:
  void Changed() {
    if (stateFile_) stateFile_->Changed();
  }

  static constexpr double kCoreHeadroomMhz = 12.0;
  static constexpr double kMemHeadroomMhz = 8.0;

  corvane::platform::sim::SimMachine machine_{corvane::platform::sim::kDefaultCardPreset};
  bool driverKeysMade_;
  corvane::platform::sim::SimDisplayDevices displays_;
  corvane::platform::sim::SimAtiDriver displayDriver_;
  corvane::platform::sim::SimDriverLibrary driverLibrary_{displays_};
  corvane::platform::Ports ports_;
  std::wstring statePath_;
  corvane::platform::Win32WholeFile stateStore_{statePath_};
  std::unique_ptr<corvane::platform::sim::SimMachineStateFile> stateFile_;
  corvane::platform::sim::ObservedCardRegisters registers_{machine_.Registers(), [this] { Changed(); }};
  corvane::platform::sim::ObservedDriverEscape escapes_{displayDriver_, [this] { Changed(); }};
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  // Clock arithmetic may divide by zero; it must give infinities, not faults.
  corvane::platform::SetProcessFloatingPointControl();
  corvane::platform::Win32Platform platform;
  corvane::CommandLine commandLine(Parameters());
  const bool simulate = commandLine.HasSwitch(L"simulate");

  // Plug-ins that reach hardware of their own (the disks) learn from this variable that the
  // program runs on the simulated machine; those that use the host service need not know.
  if (simulate) SetEnvironmentVariableW(CORVANE_SIMULATE_VARIABLE_W, L"1");

  std::unique_ptr<Hardware> hardware;
  if (simulate)
    hardware = std::make_unique<SimulatedHardware>(platform.ports);
  else
    hardware = std::make_unique<RealHardware>(platform.ports);

  corvane::ui::MainWindow window;
  hardware->AnnounceDisplayChangesTo(reinterpret_cast<HWND>(window.Handle()));
  corvane::platform::Win32PluginModules pluginModules;
  corvane::ProgramEnvironment environment{hardware->Ports(), hardware->Card(),     ProgramFolder(),
                                          commandLine,       GetCurrentProcessId(), simulate,
                                          &pluginModules};
  environment.artifactFrames = corvane::ui::win32::GlFrameSources(
      {window.FormWindows(), hardware->Ports().threading, hardware->Ports().user, environment.programFolder,
       hardware->ArtifactFaults()});
  environment.hotkeyDevices =
      corvane::ui::win32::Win32HotkeyDevices(environment.programFolder + L"support.dll", window.Handle());
  // Sound is the machine's own, with or without "/simulate".
  corvane::platform::Win32WaveIn waveIn;
  corvane::platform::Win32RecordingFiles recordingFiles;
  corvane::platform::Win32Mixers mixers(platform.messageWindow);
  environment.audio = {&waveIn, &recordingFiles, &mixers};
  // The general options' choosers and update download.
  corvane::platform::Win32Choosers choosers;
  corvane::platform::Win32ProgramUpdate update;
  environment.options = {&choosers, &update};
  environment.consoleLine = corvane::platform::WriteConsoleLine;
  environment.openFile = [](const std::wstring& path) { return std::make_unique<corvane::platform::Win32WholeFile>(path); };
  // The hook libraries beside the program, with or without "/simulate".
  corvane::platform::Win32HookLibraries hookLibraries;
  corvane::platform::Win32Sounds sounds;
  environment.hookLibraries = &hookLibraries;
  environment.sounds = &sounds;
  return corvane::RunProgram(environment, window);
}
