#include "platform/sim/dispatcher_sim.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace corvane::platform {

SimDispatcher::SimDispatcher() : uiThread_(std::this_thread::get_id()) {}

SimDispatcher::~SimDispatcher() {
  std::lock_guard lock(mutex_);
  queue_.clear();  // each destroyed promise releases its waiting caller with broken_promise
}

void SimDispatcher::Synchronize(std::function<void()> work) {
  if (std::this_thread::get_id() == uiThread_) {
    work();
    return;
  }
  std::future<void> finished;
  {
    std::lock_guard lock(mutex_);
    Job& job = queue_.emplace_back(Job{std::move(work), {}});
    finished = job.done.get_future();
  }
  queued_.notify_all();
  // The waiting touches only the shared state of the promise, so the dispatcher may go
  // away meanwhile; get() rethrows what the work threw.
  finished.get();
}

bool SimDispatcher::PumpOne() {
  RequireUiThread("PumpOne");
  Job job;
  {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    job = std::move(queue_.front());
    queue_.pop_front();
  }
  // Run outside the lock: the work may itself call Synchronize (at once, on this thread)
  // or wake workers that queue more.
  try {
    job.work();
    job.done.set_value();
  } catch (...) {
    job.done.set_exception(std::current_exception());
  }
  return true;
}

size_t SimDispatcher::PumpAll() {
  size_t ran = 0;
  while (PumpOne()) ++ran;
  return ran;
}

size_t SimDispatcher::Pending() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool SimDispatcher::WaitForPending(size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return queued_.wait_for(lock, timeout, [&] { return queue_.size() >= count; });
}

void SimDispatcher::RequireUiThread(const char* what) const {
  if (std::this_thread::get_id() != uiThread_)
    throw std::logic_error(std::string("SimDispatcher::") + what + " called off the UI thread");
}

}  // namespace corvane::platform
