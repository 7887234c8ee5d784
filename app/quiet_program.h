#pragma once
// The program on the simulated platform and card, with a window that shows nothing and
// forgets what it is asked: the form run where nobody looks at it (benchmarks, fuzzing).

#include <string>
#include <vector>

#include "app/main_form.h"
#include "app/program.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_driver_library.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/hook_libraries_sim.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sound_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane {

class QuietWindow final : public MainFormWindow {
 public:
  platform::WindowHandle Handle() const override { return 0x10A4; }
  void HideMainWindow() override {}
  void BringToForeground() override {}
  ScreenPoint CursorPosition() override { return {}; }
  void PopupMenu(ui::TPopupMenu&, ScreenPoint) override {}
  void Close() override {}
  void ShowHelp(const std::wstring&, uint32_t, uintptr_t) override {}
  ui::FormRenderer& Forms() override { return forms; }
  ui::SimFormRenderer forms;
};

// Everything a main form needs, simulated; the form itself is the user's to make.
struct QuietProgram {
  QuietProgram() {
    environment.hookLibraries = &hookLibraries;
    environment.sounds = &sounds;
  }

  platform::SimPlatform sim;
  platform::sim::SimMachine machine;
  platform::sim::SimAtiDriver displayDriver;
  platform::sim::SimDriverLibrary driverLibrary{sim.displayDevices};
  platform::SimHookLibraries hookLibraries;
  platform::SimSounds sounds;
  QuietWindow window;
  ProgramEnvironment environment{sim.ports,
                                 HardwarePorts{machine.Kernel(), machine.Registers(), displayDriver, driverLibrary},
                                 L"C:\\Corvane\\",
                                 CommandLine(std::vector<std::wstring>{}),
                                 4242,
                                 true};
};

}  // namespace corvane
