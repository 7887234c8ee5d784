// The two mappings the hook libraries write, as any process could leave them: the first
// 512 bytes of the input are "CORVANE_CBT", the next 512 "CORVANE_KBD" (missing bytes are
// zeros). Both go through the program's own handling on the simulated machine, as if the
// hooks had set their events: game profiles, the 2D/3D switch and the hotkeys.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "app/main_form.h"
#include "app/monitors/hook_reports.h"
#include "app/quiet_program.h"
#include "games/game_profile.h"
#include "platform/registry_values.h"
#include "settings/global.h"

namespace {

using namespace corvane;

// The program once, with a game profile, the 2D/3D switch and a few hotkeys.
struct Program : QuietProgram {
  Program() {
    games::GameProfile game;
    game.File = L"C:\\GAMES\\FARCRY.EXE";
    games::WriteGameProfile(sim.registry, global::ProfilesRoot, L"Far Cry", game);
    auto settings = sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProgramKey, true);
    platform::WriteRegDword(*settings, L"Enable2d3d", 1);
    platform::WriteRegDword(*settings, L"play3ds", 1);
    platform::WriteRegString(*settings, L"play3df", L"c:\\3d.wav");
    platform::WriteRegString(*settings, L"3dprofile", L"Fast");
    auto keys = sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", true);
    platform::WriteRegString(*keys, L"s_16449", L"3:c:\\tools\\run.exe*-x");
    platform::WriteRegString(*keys, L"s_16450", L"4:");
    platform::WriteRegString(*keys, L"s_0", L"10:");
    // What the hotkeys start ends at once, so that nothing piles up over millions of runs.
    sim.shell.EndStartsAtOnce(true);
    form = std::make_unique<TfrmMainQRX>(environment, window, false);
    if (!form->FormCreate()) __builtin_trap();
    app = sim.namedObjects.OpenNamedMapping(monitors::kAppMappingName, monitors::kHookMappingSize);
    key = sim.namedObjects.OpenNamedMapping(monitors::kKeyMappingName, monitors::kHookMappingSize);
    if (!app || !key) __builtin_trap();
  }

  std::unique_ptr<TfrmMainQRX> form;
  std::unique_ptr<platform::SharedMapping> app;
  std::unique_ptr<platform::SharedMapping> key;
};

void Fill(std::span<uint8_t> mapping, const uint8_t* data, size_t size) {
  std::fill(mapping.begin(), mapping.end(), uint8_t{0});
  std::memcpy(mapping.data(), data, std::min(size, mapping.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Program* program = new Program;  // one program for the whole run, as in life
  constexpr size_t kSize = monitors::kHookMappingSize;

  Fill(program->app->Bytes(), data, size);
  Fill(program->key->Bytes(), size > kSize ? data + kSize : data, size > kSize ? size - kSize : 0);
  if (auto report = monitors::ParseAppReport(program->app->Bytes())) {
    if (report->executable.size() > monitors::AppLayout::ExecutableSize) __builtin_trap();
  }

  program->form->HandleAppEvent();
  program->form->HandleKeyEvent();
  const auto key = monitors::ParseKeyReport(program->key->Bytes());
  if (key && key->pending == 1) __builtin_trap();  // a pending report is always taken
  program->sim.dispatcher.PumpAll();
  // The simulation's own call logs, which would otherwise grow with every run.
  program->sim.shell.ClearStarts();
  program->machine.Kernel().ClearCalls();
  program->machine.Kernel().ClearPortLog();
  program->displayDriver.ClearCalls();
  return 0;
}
