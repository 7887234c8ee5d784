#include "platform/sim/clock_sim.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <stdexcept>
#include <utility>

namespace corvane::platform {

struct SimClock::Schedule {
  struct Entry {
    uint64_t dueMs;  // on the elapsed scale, which never wraps
    uint32_t intervalMs;
    bool periodic;
    // Shared so that a callback stays alive while it runs even if it destroys its timer.
    std::shared_ptr<std::function<void()>> onTick;
  };

  explicit Schedule(uint32_t start) : startTick(start) {}

  const uint32_t startTick;
  // Read by TickCount from any thread; written only by Advance.
  std::atomic<uint64_t> elapsedMs{0};
  bool advancing = false;
  uint64_t nextId = 1;
  std::map<uint64_t, Entry> entries;  // by id, which is also the order of starting
};

class SimClock::SimTimer final : public Timer {
 public:
  SimTimer(std::weak_ptr<Schedule> schedule, uint64_t id) : schedule_(std::move(schedule)), id_(id) {}
  ~SimTimer() override {
    if (auto schedule = schedule_.lock()) schedule->entries.erase(id_);
  }

 private:
  std::weak_ptr<Schedule> schedule_;
  uint64_t id_;
};

SimClock::SimClock(uint32_t startTick) : schedule_(std::make_shared<Schedule>(startTick)) {}

SimClock::~SimClock() = default;

uint32_t SimClock::TickCount() const {
  return static_cast<uint32_t>(schedule_->startTick + schedule_->elapsedMs.load());
}

CalendarDate SimClock::Today() const { return today_; }

void SimClock::SetToday(CalendarDate today) { today_ = today; }

std::unique_ptr<Timer> SimClock::StartTimer(uint32_t intervalMs, bool periodic, std::function<void()> onTick) {
  intervalMs = std::clamp(intervalMs, kMinimumTimerIntervalMs, kMaximumTimerIntervalMs);
  Schedule& s = *schedule_;
  const uint64_t id = s.nextId++;
  s.entries.emplace(id, Schedule::Entry{s.elapsedMs.load() + intervalMs, intervalMs, periodic,
                                        std::make_shared<std::function<void()>>(std::move(onTick))});
  return std::make_unique<SimTimer>(schedule_, id);
}

void SimClock::Advance(uint32_t ms) {
  Schedule& s = *schedule_;
  // A callback that advances the clock would fire timers inside another timer's tick,
  // which no message loop does.
  if (s.advancing) throw std::logic_error("SimClock::Advance called from a timer callback");
  s.advancing = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{s.advancing};

  const uint64_t target = s.elapsedMs.load() + ms;
  for (;;) {
    // Callbacks may start and stop timers, so look afresh every time.
    auto next = s.entries.end();
    for (auto it = s.entries.begin(); it != s.entries.end(); ++it)
      if (it->second.dueMs <= target && (next == s.entries.end() || it->second.dueMs < next->second.dueMs))
        next = it;
    if (next == s.entries.end()) break;

    s.elapsedMs.store(next->second.dueMs);
    auto onTick = next->second.onTick;
    // A one-shot timer is gone before its callback runs, as the real one kills itself first.
    if (next->second.periodic)
      next->second.dueMs += next->second.intervalMs;
    else
      s.entries.erase(next);
    (*onTick)();
  }
  s.elapsedMs.store(target);
}

size_t SimClock::ActiveTimers() const { return schedule_->entries.size(); }

}  // namespace corvane::platform
