// A hotkey's way from the keyboard hook to its action: the report written into
// "CORVANE_KBD" and its event set, the key monitor waking and handing it to the UI thread,
// the table looked up and the action run (here the colour reset, which rewrites the card's
// palette). The second figure leaves the thread out: the UI thread's handling alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "app/main_form.h"
#include "app/monitors/hook_reports.h"
#include "app/quiet_program.h"
#include "platform/registry_values.h"
#include "settings/global.h"

namespace {

using namespace corvane;

constexpr uint16_t kCtrlR = 0x4000 + 'R';

struct Program : QuietProgram {
  Program() {
    auto keys = sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", true);
    platform::WriteRegString(*keys, L"s_" + std::to_wstring(kCtrlR), L"10:");
    form = std::make_unique<TfrmMainQRX>(environment, window, false);
    form->FormCreate();
    mapping = sim.namedObjects.OpenNamedMapping(monitors::kKeyMappingName, monitors::kHookMappingSize);
    event = sim.namedObjects.OpenNamedEvent(monitors::kKeyReportEventName);
  }
  void WriteReport() {
    std::span<uint8_t> bytes = mapping->Bytes();
    bytes[monitors::KeyLayout::KeyCode] = static_cast<uint8_t>(kCtrlR);
    bytes[monitors::KeyLayout::KeyCode + 1] = static_cast<uint8_t>(kCtrlR >> 8);
    monitors::WriteKeyPending(bytes, 1);
  }

  std::unique_ptr<TfrmMainQRX> form;
  std::unique_ptr<platform::SharedMapping> mapping;
  std::unique_ptr<platform::Event> event;
};

void BM_KeyReportThroughTheMonitorThread(benchmark::State& state) {
  Program program;
  for (auto _ : state) {
    program.WriteReport();
    program.event->Set();
    if (!program.sim.dispatcher.WaitForPending(1, std::chrono::seconds(10))) {
      state.SkipWithError("the key monitor did not hand the report over");
      break;
    }
    program.sim.dispatcher.PumpAll();
  }
}
BENCHMARK(BM_KeyReportThroughTheMonitorThread)->Unit(benchmark::kMicrosecond);

void BM_KeyReportOnTheUiThread(benchmark::State& state) {
  Program program;
  for (auto _ : state) {
    program.WriteReport();
    program.form->HandleKeyEvent();
  }
}
BENCHMARK(BM_KeyReportOnTheUiThread)->Unit(benchmark::kMicrosecond);

}  // namespace
