#include "platform/win32/clock_win32.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace corvane::platform {
namespace {

struct TimerState {
  HWND hwnd;
  UINT_PTR id;
  bool periodic;
  std::function<void()> onTick;
  bool spent = false;
};

class Win32Timer final : public Timer {
 public:
  Win32Timer(std::shared_ptr<TimerState> state, MessageWindow::Route route)
      : state_(std::move(state)), route_(std::move(route)) {}
  ~Win32Timer() override {
    // Once the window is gone its timers went with it, and its handle may already name
    // some other window.
    if (route_.Live()) KillTimer(state_->hwnd, state_->id);
  }

 private:
  std::shared_ptr<TimerState> state_;
  MessageWindow::Route route_;
};

void OnTimer(TimerState& state, WPARAM id) {
  // WM_TIMER may still be queued after KillTimer, so a one-shot guards itself too.
  if (id != state.id || state.spent) return;
  if (!state.periodic) {
    state.spent = true;
    KillTimer(state.hwnd, state.id);  // before the callback, which may run a modal loop
  }
  state.onTick();
}

}  // namespace

Win32Clock::Win32Clock(MessageWindow& window) : window_(window) {}

uint32_t Win32Clock::TickCount() const { return GetTickCount(); }

CalendarDate Win32Clock::Today() const {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return {local.wYear, local.wMonth, local.wDay};
}

std::unique_ptr<Timer> Win32Clock::StartTimer(uint32_t intervalMs, bool periodic, std::function<void()> onTick) {
  auto state = std::make_shared<TimerState>(TimerState{window_.Handle(), 0, periodic, std::move(onTick)});
  // The route holds the state, so a callback that destroys its own timer keeps running.
  auto route = window_.AddRoute(WM_TIMER, [state](WPARAM w, LPARAM) { OnTimer(*state, w); });
  state->id = window_.NewTimerId();
  // Held to the documented limits here, so both adapters agree whatever a Windows
  // version makes of an interval outside them.
  intervalMs = std::clamp(intervalMs, kMinimumTimerIntervalMs, kMaximumTimerIntervalMs);
  if (!SetTimer(state->hwnd, state->id, intervalMs, nullptr))
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "SetTimer");
  return std::make_unique<Win32Timer>(std::move(state), std::move(route));
}

}  // namespace corvane::platform
