#pragma once
// A dispatcher whose UI thread is the test: work from other threads waits in a queue
// until the test pumps it.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "platform/dispatcher.h"

namespace corvane::platform {

class SimDispatcher final : public Dispatcher {
 public:
  // The constructing thread becomes the UI thread.
  SimDispatcher();
  // Work still queued is abandoned: its callers get std::future_error (broken promise)
  // rather than waiting for ever.
  ~SimDispatcher() override;
  SimDispatcher(const SimDispatcher&) = delete;
  SimDispatcher& operator=(const SimDispatcher&) = delete;

  void Synchronize(std::function<void()> work) override;

  // Run on the UI thread only, as the real message loop would. PumpOne runs the oldest
  // queued work and says whether there was any; PumpAll runs until the queue is empty,
  // including work queued meanwhile, and returns how many ran.
  bool PumpOne();
  size_t PumpAll();
  size_t Pending() const;
  // Lets a test wait for its workers to reach Synchronize without polling.
  bool WaitForPending(size_t count, std::chrono::milliseconds timeout) const;

 private:
  struct Job {
    std::function<void()> work;
    std::promise<void> done;
  };

  void RequireUiThread(const char* what) const;

  const std::thread::id uiThread_;
  mutable std::mutex mutex_;
  mutable std::condition_variable queued_;
  std::deque<Job> queue_;
};

}  // namespace corvane::platform
