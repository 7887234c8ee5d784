#pragma once
// Synchronize over the UI thread's message window: a worker's call is a SendMessage, so
// it returns only when the UI thread has run the work.

#include <functional>

#include "platform/dispatcher.h"
#include "platform/win32/message_window.h"

namespace corvane::platform {

// The UI thread answers sent messages only inside message-aware calls (GetMessage,
// PeekMessage, MsgWaitForMultipleObjects, modal loops): while it waits for a worker in
// a plain WaitForSingleObject, a worker in Synchronize waits for it in turn.
class Win32Dispatcher final : public Dispatcher {
 public:
  // On the UI thread.
  explicit Win32Dispatcher(MessageWindow& window);
  Win32Dispatcher(const Win32Dispatcher&) = delete;
  Win32Dispatcher& operator=(const Win32Dispatcher&) = delete;

  // From a worker whose UI thread has lost its window, throws std::runtime_error and the
  // work does not run.
  void Synchronize(std::function<void()> work) override;

 private:
  struct Call;
  void Run(WPARAM wParam, LPARAM lParam);

  // Copied rather than read from the window, which may be gone when a worker calls.
  const DWORD uiThread_;
  const HWND hwnd_;
  MessageWindow::Route route_;
};

}  // namespace corvane::platform
