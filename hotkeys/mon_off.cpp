#include "hotkeys/mon_off.h"

#include <utility>

#include "ui/wait_form.h"

namespace corvane::hotkeys {

// Shared by the waiting thread and the UI thread's TMonOff; whichever lets go last frees
// it. The form is made and dropped on the UI thread only.
struct TMonOff::State {
  std::unique_ptr<ui::TfrmWait> waitForm;
  std::unique_ptr<platform::Event> abandon;
  std::function<void()> turnOff;
  // Read and written on the UI thread only.
  bool abandoned = false;
  bool done = false;
  std::unique_ptr<platform::Thread> thread;
};

std::unique_ptr<TMonOff> TMonOff::Start(platform::Threading& threading, platform::Dispatcher& dispatcher,
                                        const ui::FormContext& forms, uint32_t delayMs,
                                        std::function<void()> turnOff) {
  auto state = std::make_shared<State>();
  state->abandon = threading.NewEvent(true, false);
  state->turnOff = std::move(turnOff);
  if (!state->abandon) return nullptr;
  state->waitForm = std::make_unique<ui::TfrmWait>(forms, kMonitorOffWaitText);
  state->waitForm->Show();

  platform::Dispatcher* ui = &dispatcher;
  std::unique_ptr<platform::Thread> thread = threading.StartThread([state, ui, delayMs] {
    if (state->abandon->Wait(delayMs)) return;
    try {
      ui->Synchronize([state] {
        if (state->abandoned) return;
        if (state->turnOff) state->turnOff();
        state->waitForm.reset();
        state->done = true;
      });
    } catch (...) {
      // The UI thread is gone (the program is ending): the monitor stays as it is.
    }
  });
  if (!thread) {
    state->waitForm.reset();
    return nullptr;
  }
  state->thread = std::move(thread);
  return std::unique_ptr<TMonOff>(new TMonOff(std::move(state)));
}

TMonOff::~TMonOff() {
  state_->abandoned = true;
  state_->waitForm.reset();
  state_->abandon->Set();
}

bool TMonOff::Done() const { return state_->done; }

}  // namespace corvane::hotkeys
