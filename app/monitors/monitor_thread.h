#pragma once
// TKeyThread and TAppHook_th: each waits, without time-out, on its report event and its
// stop event. A report is handed to the UI thread (Synchronize) and handled there; the
// stop event ends the loop, and the thread closes its event handles as it leaves.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/dispatcher.h"
#include "platform/named_objects.h"
#include "platform/threading.h"

namespace corvane::monitors {

struct MonitorPorts {
  platform::Threading& threading;
  platform::Dispatcher& dispatcher;
  platform::NamedObjects& namedObjects;
};

class TMonitorThread {
 public:
  // Stops the thread and gives it a moment to end. It never blocks for good: a thread
  // still waiting for the UI thread then ends by itself and frees what it holds.
  ~TMonitorThread();
  TMonitorThread(const TMonitorThread&) = delete;
  TMonitorThread& operator=(const TMonitorThread&) = delete;

  // UI thread: marks the thread terminated and sets its stop event. Returns at once; no
  // report is handled after this.
  void Stop();
  // The thread has left its loop and closed its handles (within the time).
  bool WaitEnded(uint32_t timeoutMs);

  struct State;

 protected:
  struct Events {
    const wchar_t* report;
    const wchar_t* stop;
    const wchar_t* handled;  // null: none
  };
  // Null when an event or the thread could not be made.
  static std::shared_ptr<State> Launch(const MonitorPorts& ports, const Events& names, std::function<void()> handler);
  explicit TMonitorThread(std::shared_ptr<State> state) : state_(std::move(state)) {}

 private:
  std::shared_ptr<State> state_;
};

// Key reports: the report event is reset, then HandleKeyEvent runs (reset first, so that a
// key pressed while an action runs is not lost).
class TKeyThread final : public TMonitorThread {
 public:
  static std::unique_ptr<TKeyThread> Start(const MonitorPorts& ports, std::function<void()> HandleKeyEvent);

 private:
  using TMonitorThread::TMonitorThread;
};

// Application reports: the report event is reset, HandleAppEvent runs, then
// "QRXAppMonEvent_end" is set (after every report, handled or not).
class TAppHook_th final : public TMonitorThread {
 public:
  static std::unique_ptr<TAppHook_th> Start(const MonitorPorts& ports, std::function<void()> HandleAppEvent);

 private:
  using TMonitorThread::TMonitorThread;
};

}  // namespace corvane::monitors
