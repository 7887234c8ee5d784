#include "platform/win32/dispatcher_win32.h"

#include <exception>
#include <stdexcept>

namespace corvane::platform {

// Lives on the worker's stack for as long as the worker waits in SendMessage.
struct Win32Dispatcher::Call {
  std::function<void()>* work;
  std::exception_ptr error;
  bool ran = false;
};

Win32Dispatcher::Win32Dispatcher(MessageWindow& window)
    : uiThread_(window.ThreadId()),
      hwnd_(window.Handle()),
      route_(window.AddRoute(kSynchronizeMessage, [this](WPARAM w, LPARAM l) { Run(w, l); })) {}

void Win32Dispatcher::Synchronize(std::function<void()> work) {
  if (GetCurrentThreadId() == uiThread_) {
    work();
    return;
  }
  Call call{&work, nullptr, false};
  SendMessageW(hwnd_, kSynchronizeMessage, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&call));
  if (!call.ran) throw std::runtime_error("the UI thread's window is gone; the work did not run");
  if (call.error) std::rethrow_exception(call.error);
}

void Win32Dispatcher::Run(WPARAM wParam, LPARAM lParam) {
  // The window is top-level, so anyone may send or broadcast WM_APP to it: only our own
  // workers' sends, naming this dispatcher, carry a Call.
  if (wParam != reinterpret_cast<WPARAM>(this) || !InSendMessage()) return;
  auto* call = reinterpret_cast<Call*>(lParam);
  try {
    (*call->work)();
  } catch (...) {
    call->error = std::current_exception();
  }
  call->ran = true;
}

}  // namespace corvane::platform
