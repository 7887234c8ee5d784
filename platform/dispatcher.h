#pragma once
// Hands work from worker threads to the one UI thread.

#include <functional>

namespace corvane::platform {

class Dispatcher {
 public:
  virtual ~Dispatcher() = default;
  // Runs `work` on the UI thread and returns when it has run. Called on the UI thread
  // itself, it runs at once. An exception thrown by `work` is rethrown to the caller.
  virtual void Synchronize(std::function<void()> work) = 0;
};

}  // namespace corvane::platform
