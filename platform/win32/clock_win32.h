#pragma once
// GetTickCount, and timers set on the UI thread's message window.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/clock.h"
#include "platform/win32/message_window.h"

namespace corvane::platform {

class Win32Clock final : public Clock {
 public:
  // `window` must outlive this clock; its timers may outlive both.
  explicit Win32Clock(MessageWindow& window);
  Win32Clock(const Win32Clock&) = delete;
  Win32Clock& operator=(const Win32Clock&) = delete;

  uint32_t TickCount() const override;
  CalendarDate Today() const override;
  // Throws std::logic_error off the UI thread, std::system_error if SetTimer fails.
  std::unique_ptr<Timer> StartTimer(uint32_t intervalMs, bool periodic, std::function<void()> onTick) override;

 private:
  MessageWindow& window_;
};

}  // namespace corvane::platform
