#pragma once
// TApp3d: waits for the end of a reported 3D application, then hands the end to the UI
// thread. The 2D/3D switch back itself runs there (app_events.h).

#include <cstdint>
#include <functional>
#include <memory>

#include "games/run_game.h"
#include "platform/dispatcher.h"
#include "platform/shell.h"
#include "platform/threading.h"

namespace corvane::monitors {

// What to do when the application ends: 2 switches back to the 2D profile.
inline constexpr uint32_t kApp3dSwitchTo2D = 2;

class TApp3d {
 public:
  // UI thread. Opens the process and waits for it on a thread of its own; `onEnded` runs
  // on the UI thread once it has ended. A process that cannot be opened counts as ended:
  // `onEnded` then runs before Start returns, and the result is null.
  static std::unique_ptr<TApp3d> Start(platform::Threading& threading, platform::Dispatcher& dispatcher,
                                       platform::Shell& shell, uint32_t processId, std::function<void()> onEnded);
  // Abandons the wait (UI thread) without running `onEnded`; never blocks.
  ~TApp3d() = default;
  TApp3d(const TApp3d&) = delete;
  TApp3d& operator=(const TApp3d&) = delete;

 private:
  explicit TApp3d(std::unique_ptr<games::TRunGame> wait) : wait_(std::move(wait)) {}
  std::unique_ptr<games::TRunGame> wait_;
};

}  // namespace corvane::monitors
