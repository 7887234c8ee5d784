#include "platform/sim/threading_sim.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace corvane::platform {

struct SimWaitState {
  std::mutex mutex;
  // Notified on every Set, so each waiter re-checks the events it watches.
  std::condition_variable changed;
};

namespace {

using Clock = std::chrono::steady_clock;

// Takes the signal of an event as a satisfied wait does: an auto-reset event is reset.
bool Consume(SimEventState& state) {
  if (!state.signalled) return false;
  if (!state.manualReset) state.signalled = false;
  return true;
}

// Runs `attempt` under the lock until it yields a value or the time runs out.
template <typename Attempt>
auto WaitUntilReady(SimWaitState& wait, uint32_t timeoutMs, Attempt attempt) -> decltype(attempt()) {
  std::unique_lock lock(wait.mutex);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (auto result = attempt()) return result;
    if (timeoutMs == kWaitForever) {
      wait.changed.wait(lock);
    } else if (wait.changed.wait_until(lock, deadline) == std::cv_status::timeout) {
      return attempt();
    }
  }
}

class SimEvent final : public Event {
 public:
  SimEvent(std::shared_ptr<SimWaitState> wait, std::shared_ptr<SimEventState> state)
      : wait_(std::move(wait)), state_(std::move(state)) {}

  void Set() override {
    std::lock_guard lock(wait_->mutex);
    state_->signalled = true;
    wait_->changed.notify_all();
  }

  void Reset() override {
    std::lock_guard lock(wait_->mutex);
    state_->signalled = false;
  }

  bool Wait(uint32_t timeoutMs) override {
    return WaitUntilReady(*wait_, timeoutMs, [this] { return Consume(*state_); });
  }

  const SimWaitState* WaitStateOf() const { return wait_.get(); }
  SimEventState& State() const { return *state_; }

 private:
  std::shared_ptr<SimWaitState> wait_;
  std::shared_ptr<SimEventState> state_;
};

// A critical section may be entered again by its owner, so the simulation must allow it too.
class SimLock final : public Lock {
 public:
  void Enter() override { mutex_.lock(); }
  void Leave() override { mutex_.unlock(); }

 private:
  std::recursive_mutex mutex_;
};

class SimThread final : public Thread {
 public:
  explicit SimThread(std::thread thread) : thread_(std::move(thread)) {}

  ~SimThread() override {
    if (!thread_.joinable()) return;
    // A thread that drops its own handle cannot wait for itself; it ends on its own.
    if (thread_.get_id() == std::this_thread::get_id()) {
      thread_.detach();
    } else {
      thread_.join();
    }
  }

  void Join() override {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
  }

 private:
  std::thread thread_;
};

}  // namespace

SimThreading::SimThreading() : waitState_(std::make_shared<SimWaitState>()) {}

SimThreading::~SimThreading() = default;

std::unique_ptr<Lock> SimThreading::NewLock() { return std::make_unique<SimLock>(); }

std::unique_ptr<Event> SimThreading::NewEvent(bool manualReset, bool initiallySet) {
  return EventOn(std::make_shared<SimEventState>(SimEventState{manualReset, initiallySet}));
}

std::unique_ptr<Event> SimThreading::EventOn(std::shared_ptr<SimEventState> state) {
  return std::make_unique<SimEvent>(waitState_, std::move(state));
}

std::unique_ptr<Thread> SimThreading::StartThread(std::function<void()> body) {
  try {
    return std::make_unique<SimThread>(std::thread(std::move(body)));
  } catch (const std::system_error&) {
    return nullptr;
  }
}

std::optional<size_t> SimThreading::WaitAny(std::span<Event* const> events, uint32_t timeoutMs) {
  if (events.empty() || events.size() > kMaxWaitEvents) {
    throw std::invalid_argument("WaitAny takes 1 to 64 events");
  }
  std::vector<SimEventState*> states;
  states.reserve(events.size());
  for (Event* event : events) {
    // Events of another SimThreading are guarded by another mutex: waiting on them here
    // would miss their Set.
    auto* sim = dynamic_cast<SimEvent*>(event);
    if (sim == nullptr || sim->WaitStateOf() != waitState_.get()) {
      throw std::invalid_argument("WaitAny takes only events of the same SimThreading");
    }
    states.push_back(&sim->State());
  }
  return WaitUntilReady(*waitState_, timeoutMs, [&]() -> std::optional<size_t> {
    for (size_t i = 0; i < states.size(); ++i) {
      if (Consume(*states[i])) return i;
    }
    return std::nullopt;
  });
}

void SimThreading::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace corvane::platform
