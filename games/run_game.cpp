#include "games/run_game.h"

namespace corvane::games {
namespace {

// How soon a waiting thread notices that it was abandoned.
constexpr uint32_t kAbandonCheckMs = 200;

}  // namespace

// Shared by the waiting thread and the UI thread's TRunGame; whichever lets go last frees
// it, and with it the thread's handle (a thread dropping its own handle does not wait).
struct TRunGame::State {
  std::unique_ptr<platform::Process> process;
  std::unique_ptr<platform::Event> abandon;
  std::function<void()> onEnded;
  // Read and written on the UI thread only.
  bool abandoned = false;
  std::unique_ptr<platform::Thread> thread;
};

std::unique_ptr<TRunGame> TRunGame::Start(platform::Threading& threading, platform::Dispatcher& dispatcher,
                                          std::unique_ptr<platform::Process> process, std::function<void()> onEnded) {
  auto state = std::make_shared<State>();
  state->process = std::move(process);
  state->abandon = threading.NewEvent(true, false);
  state->onEnded = std::move(onEnded);
  if (!state->process || !state->abandon) return nullptr;

  platform::Dispatcher* ui = &dispatcher;
  std::unique_ptr<platform::Thread> thread = threading.StartThread([state, ui] {
    while (!state->process->Wait(kAbandonCheckMs))
      if (state->abandon->Wait(0)) return;
    if (state->abandon->Wait(0)) return;
    try {
      ui->Synchronize([state] {
        if (!state->abandoned) state->onEnded();
      });
    } catch (...) {
      // The UI thread is gone (the program is ending): nothing is left to restore into.
    }
  });
  if (!thread) return nullptr;
  state->thread = std::move(thread);
  return std::unique_ptr<TRunGame>(new TRunGame(std::move(state)));
}

TRunGame::~TRunGame() {
  state_->abandoned = true;
  state_->abandon->Set();
}

}  // namespace corvane::games
