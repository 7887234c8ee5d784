#pragma once
// A clock that stands still until the test moves it; timers fire during the move.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/clock.h"

namespace corvane::platform {

class SimClock final : public Clock {
 public:
  // `startTick` is what TickCount reads before any Advance, so a test can start just
  // short of the 2^32 wrap.
  explicit SimClock(uint32_t startTick = 0);
  ~SimClock() override;
  SimClock(const SimClock&) = delete;
  SimClock& operator=(const SimClock&) = delete;

  uint32_t TickCount() const override;
  CalendarDate Today() const override;
  // The simulated calendar does not move with Advance; tests set it.
  void SetToday(CalendarDate today);
  std::unique_ptr<Timer> StartTimer(uint32_t intervalMs, bool periodic, std::function<void()> onTick) override;

  // Moves time on by `ms`, firing on this thread every timer that falls due on the way,
  // in time order (timers due at the same moment in the order they were started). A
  // callback sees TickCount at its own due time. An exception from a callback stops the
  // advance at that moment and reaches the caller.
  void Advance(uint32_t ms);
  size_t ActiveTimers() const;

 private:
  struct Schedule;
  class SimTimer;
  // Shared with the timers, so a timer may outlive the clock.
  std::shared_ptr<Schedule> schedule_;
  CalendarDate today_{2026, 12, 7};
};

}  // namespace corvane::platform
