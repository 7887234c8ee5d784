#pragma once
// The program from process start to its end: one instance only, the main form created,
// the message loop run until the main form closes.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "hardware/artifacts/frame_source.h"
#include "hotkeys/hotkey_devices.h"
#include "platform/card_registers.h"
#include "platform/choosers.h"
#include "platform/hook_libraries.h"
#include "platform/driver_escape.h"
#include "platform/kernel_io.h"
#include "platform/mixer.h"
#include "platform/plugin_modules.h"
#include "platform/program_update.h"
#include "platform/ports.h"
#include "platform/recording_files.h"
#include "platform/sound.h"
#include "platform/wave_in.h"
#include "platform/whole_file.h"

namespace corvane {

// The card and its display driver the program runs against: the real ones, or with
// "/simulate" simulated ones (whose displays then stand in `ports` too).
struct HardwarePorts {
  platform::KernelIo& kernelIo;
  platform::CardRegisters& cardRegisters;
  platform::DriverEscape& driverEscape;
  platform::DriverLibrary& driverLibrary;
};

// The sound devices and files the recorder and the master volume use. Without them the
// hotkeys that record or change the volume do nothing.
struct AudioPorts {
  platform::WaveIn* waveIn = nullptr;
  platform::RecordingFiles* files = nullptr;
  platform::Mixers* mixers = nullptr;
};

// What the general options reach beyond the settings: the choosers and the update
// download. Without them those buttons are disabled.
struct OptionsPorts {
  platform::Choosers* choosers = nullptr;
  platform::ProgramUpdate* update = nullptr;
};

struct ProgramEnvironment {
  platform::Ports& ports;
  HardwarePorts hardware;
  std::wstring programFolder;  // with a trailing '\'
  CommandLine commandLine;
  uint32_t processId = 0;
  bool simulate = false;  // "/simulate": the tooltip says so
  // The plug-in libraries; without them the plug-in menu and the run-time list stay empty.
  platform::PluginModules* pluginModules = nullptr;
  // Draws the artifact tester's scene; without one the tester is not offered.
  artifacts::FrameSourceFactory artifactFrames{};
  // What the hotkeys reach beyond the program: monitor switch, screen capture, audio.
  hotkeys::HotkeyDevices hotkeyDevices{};
  AudioPorts audio{};
  OptionsPorts options{};
  // Prints one line on the console the program was started from; null when it has none.
  std::function<void(const std::wstring& line)> consoleLine{};
  // A whole file at a path: "audio.dat", the profile backup, exported profiles, the saved
  // card report. Null: none can be opened, and what needs one is not offered.
  std::function<std::unique_ptr<platform::WholeFile>(const std::wstring& path)> openFile{};
  // The hook libraries (real ones even with "/simulate": only hardware is simulated);
  // without them no hook is installed, and the monitors only see what others report.
  platform::HookLibraries* hookLibraries = nullptr;
  // The 2D/3D switch's sounds; without them it is silent.
  platform::Sounds* sounds = nullptr;
};

class MainFormWindow;
class TfrmMainQRX;

// The main form's real window and the message loop; ui/win32/ provides it.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  virtual MainFormWindow& Window() = 0;
  // Delivers the window's messages to `form` until the main form has closed; the exit code.
  virtual int Run(TfrmMainQRX& form) = 0;
};

// Exit code of the process.
int RunProgram(const ProgramEnvironment& environment, MainWindowHost& host);

}  // namespace corvane
