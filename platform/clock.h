#pragma once
// The millisecond clock and UI-thread timers.

#include <cstdint>
#include <functional>
#include <memory>

namespace corvane::platform {

// SetTimer's limits: shorter intervals are raised to this, on both adapters.
inline constexpr uint32_t kMinimumTimerIntervalMs = 10;
inline constexpr uint32_t kMaximumTimerIntervalMs = 0x7FFFFFFF;

// Stops when destroyed.
class Timer {
 public:
  virtual ~Timer() = default;
};

// A day of the calendar.
struct CalendarDate {
  int year = 1899;
  int month = 12;
  int day = 30;
  bool operator==(const CalendarDate&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since start, wrapping at 2^32 as GetTickCount does.
  virtual uint32_t TickCount() const = 0;
  // Today in the user's time zone (GetLocalTime): the date people see on their desktop.
  virtual CalendarDate Today() const = 0;
  // `onTick` runs on the UI thread after `intervalMs`, once or every interval. Timers are
  // started and destroyed on the UI thread (SetTimer and KillTimer require it).
  virtual std::unique_ptr<Timer> StartTimer(uint32_t intervalMs, bool periodic, std::function<void()> onTick) = 0;
};

}  // namespace corvane::platform
