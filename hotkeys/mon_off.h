#pragma once
// TMonOff: switches the monitor off a moment after the hotkey, so that releasing the keys
// does not wake it straight away. A small wait form shows meanwhile. The thread only
// waits; the switch itself runs on the UI thread.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/dispatcher.h"
#include "platform/threading.h"
#include "ui/form.h"

namespace corvane::hotkeys {

inline constexpr wchar_t kMonitorOffWaitText[] = L"请等待...";
// Long enough for the hand to leave the keyboard.
inline constexpr uint32_t kMonitorOffDelayMs = 500;

class TMonOff {
 public:
  // Shows the wait form (UI thread) and starts waiting; after `delayMs` `turnOff` runs on
  // the UI thread and the form goes. Null when no thread could be started.
  static std::unique_ptr<TMonOff> Start(platform::Threading& threading, platform::Dispatcher& dispatcher,
                                        const ui::FormContext& forms, uint32_t delayMs,
                                        std::function<void()> turnOff);
  // Abandons what has not happened yet (UI thread); never waits for the thread, which
  // notices and frees itself.
  ~TMonOff();
  TMonOff(const TMonOff&) = delete;
  TMonOff& operator=(const TMonOff&) = delete;

  // The monitor was switched (UI thread).
  bool Done() const;

  struct State;

 private:
  explicit TMonOff(std::shared_ptr<State> state) : state_(std::move(state)) {}
  std::shared_ptr<State> state_;
};

}  // namespace corvane::hotkeys
