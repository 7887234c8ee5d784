#include "app/monitors/monitor_thread.h"

#include <atomic>

#include "app/monitors/hook_reports.h"

namespace corvane::monitors {
namespace {

// How long closing waits for a monitor thread before leaving it to end by itself.
constexpr uint32_t kStopWaitMs = 2000;

}  // namespace

// Shared by the thread and the UI side; whichever lets go last frees it.
struct TMonitorThread::State {
  std::unique_ptr<platform::Lock> lock;  // guards the three named events below
  std::unique_ptr<platform::Event> report;
  std::unique_ptr<platform::Event> stop;
  std::unique_ptr<platform::Event> handled;
  std::unique_ptr<platform::Event> ended;
  std::atomic<bool> terminated{false};
  // UI thread only: no handler runs once set.
  bool stopped = false;
  std::function<void()> handler;
  std::unique_ptr<platform::Thread> thread;

  // UI thread, inside Synchronize.
  void Handle() {
    if (stopped) return;
    // Reset before the report is read: one written while it is handled sets it again.
    report->Reset();
    handler();
    if (handled) handled->Set();
  }
  void CloseHandles() {
    platform::LockGuard guard(*lock);
    report.reset();
    stop.reset();
    handled.reset();
  }
};

std::shared_ptr<TMonitorThread::State> TMonitorThread::Launch(const MonitorPorts& ports, const Events& names,
                                                              std::function<void()> handler) {
  auto state = std::make_shared<State>();
  state->lock = ports.threading.NewLock();
  state->report = ports.namedObjects.CreateNamedEvent(names.report, true, false);
  state->stop = ports.namedObjects.CreateNamedEvent(names.stop, true, false);
  if (names.handled) state->handled = ports.namedObjects.CreateNamedEvent(names.handled, true, false);
  state->ended = ports.threading.NewEvent(true, false);
  state->handler = std::move(handler);
  if (!state->lock || !state->report || !state->stop || !state->ended || (names.handled && !state->handled))
    return nullptr;

  platform::Threading* threading = &ports.threading;
  platform::Dispatcher* ui = &ports.dispatcher;
  state->thread = threading->StartThread([state, threading, ui] {
    platform::Event* const waits[] = {state->report.get(), state->stop.get()};
    while (!state->terminated) {
      const std::optional<size_t> fired = threading->WaitAny(waits, platform::kWaitForever);
      if (!fired || *fired != 0 || state->terminated) break;
      try {
        ui->Synchronize([state] { state->Handle(); });
      } catch (...) {
        // The UI thread is gone: nobody is left to hand reports to.
        break;
      }
    }
    state->CloseHandles();
    state->ended->Set();
  });
  if (!state->thread) return nullptr;
  return state;
}

TMonitorThread::~TMonitorThread() {
  Stop();
  WaitEnded(kStopWaitMs);
}

void TMonitorThread::Stop() {
  state_->stopped = true;
  state_->terminated = true;
  platform::LockGuard guard(*state_->lock);
  if (state_->stop) state_->stop->Set();
}

bool TMonitorThread::WaitEnded(uint32_t timeoutMs) { return state_->ended->Wait(timeoutMs); }

std::unique_ptr<TKeyThread> TKeyThread::Start(const MonitorPorts& ports, std::function<void()> HandleKeyEvent) {
  auto state = Launch(ports, {kKeyReportEventName, kKeyStopEventName, nullptr}, std::move(HandleKeyEvent));
  return state ? std::unique_ptr<TKeyThread>(new TKeyThread(std::move(state))) : nullptr;
}

std::unique_ptr<TAppHook_th> TAppHook_th::Start(const MonitorPorts& ports, std::function<void()> HandleAppEvent) {
  auto state = Launch(ports, {kAppReportEventName, kAppStopEventName, kAppHandledEventName}, std::move(HandleAppEvent));
  return state ? std::unique_ptr<TAppHook_th>(new TAppHook_th(std::move(state))) : nullptr;
}

}  // namespace corvane::monitors
