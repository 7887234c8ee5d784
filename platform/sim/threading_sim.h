#pragma once
// Threads, locks and events on the standard library, for the native build. All events
// of one SimThreading share one mutex and condition variable, which is what lets
// WaitAny watch several of them at once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "platform/threading.h"

namespace corvane::platform {

// The state behind one event. Handles to the same named event share it; it is only
// touched under the mutex of the SimThreading that made the handle.
struct SimEventState {
  bool manualReset = false;
  bool signalled = false;
};

struct SimWaitState;

class SimThreading final : public Threading {
 public:
  SimThreading();
  ~SimThreading() override;
  SimThreading(const SimThreading&) = delete;
  SimThreading& operator=(const SimThreading&) = delete;

  std::unique_ptr<Lock> NewLock() override;
  std::unique_ptr<Event> NewEvent(bool manualReset, bool initiallySet) override;
  std::unique_ptr<Thread> StartThread(std::function<void()> body) override;
  std::optional<size_t> WaitAny(std::span<Event* const> events, uint32_t timeoutMs) override;
  void Sleep(uint32_t ms) override;

  // Another handle on an existing event: how the simulated named objects give several
  // openers the same event.
  std::unique_ptr<Event> EventOn(std::shared_ptr<SimEventState> state);

 private:
  // Shared with every event made here, so an event may outlive this object.
  std::shared_ptr<SimWaitState> waitState_;
};

}  // namespace corvane::platform
