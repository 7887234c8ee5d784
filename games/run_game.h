#pragma once
// TRunGame: waits on a thread of its own until a game's process ends, then hands the end
// to the UI thread. It does nothing else: every restore step runs on the UI thread.

#include <functional>
#include <memory>

#include "platform/dispatcher.h"
#include "platform/shell.h"
#include "platform/threading.h"

namespace corvane::games {

class TRunGame {
 public:
  // Starts waiting for `process` at once; `onEnded` runs on the UI thread when it has
  // ended. Null when no thread could be started.
  static std::unique_ptr<TRunGame> Start(platform::Threading& threading, platform::Dispatcher& dispatcher,
                                         std::unique_ptr<platform::Process> process, std::function<void()> onEnded);
  // Abandons the wait (UI thread): `onEnded` will not run. The thread is not waited for;
  // it notices within a moment and frees itself, so destroying this from `onEnded` itself,
  // or while the UI thread must not block (the program closing), is safe.
  ~TRunGame();
  TRunGame(const TRunGame&) = delete;
  TRunGame& operator=(const TRunGame&) = delete;

  struct State;

 private:
  explicit TRunGame(std::shared_ptr<State> state) : state_(std::move(state)) {}
  std::shared_ptr<State> state_;
};

}  // namespace corvane::games
