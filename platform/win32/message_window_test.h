#pragma once
// What the Win32 UI-thread tests share: a message loop on the test thread and real
// worker threads from CreateThread.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace corvane::platform::testing {

// Runs the test thread's message loop until `done` holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  for (const DWORD start = GetTickCount();;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

inline bool Signalled(HANDLE handle) { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }

// Going out of scope pumps messages until the thread ends, so a worker blocked on the
// UI thread cannot hang a failed test.
class WorkerThread {
 public:
  explicit WorkerThread(std::function<void()> body) : body_(std::move(body)) {
    handle_ = CreateThread(nullptr, 0, &WorkerThread::Main, this, 0, nullptr);
  }
  ~WorkerThread() {
    if (!PumpUntil([&] { return Finished(); })) TerminateThread(handle_, 1);  // it would outlive its state
    CloseHandle(handle_);
  }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  bool Finished() const { return Signalled(handle_); }

 private:
  static DWORD WINAPI Main(void* self) {
    static_cast<WorkerThread*>(self)->body_();
    return 0;
  }
  std::function<void()> body_;
  HANDLE handle_;
};

}  // namespace corvane::platform::testing
