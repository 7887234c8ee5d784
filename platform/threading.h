#pragma once
// Threads, locks, events and waits. The shipped binaries cannot use the standard
// threading library (XP), so code that needs a thread asks this port for one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

namespace corvane::platform {

inline constexpr uint32_t kWaitForever = 0xFFFFFFFF;

class Lock {
 public:
  virtual ~Lock() = default;
  virtual void Enter() = 0;
  virtual void Leave() = 0;
};

class LockGuard {
 public:
  explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Enter(); }
  ~LockGuard() { lock_.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

 private:
  Lock& lock_;
};

// A manual- or auto-reset event. Named events (named_objects.h) are events too.
class Event {
 public:
  virtual ~Event() = default;
  virtual void Set() = 0;
  virtual void Reset() = 0;
  // True when signalled within the time; an auto-reset event is reset by a successful wait.
  virtual bool Wait(uint32_t timeoutMs) = 0;
};

// A running thread; destroying it waits for the thread to end.
class Thread {
 public:
  virtual ~Thread() = default;
  virtual void Join() = 0;
};

class Threading {
 public:
  virtual ~Threading() = default;
  virtual std::unique_ptr<Lock> NewLock() = 0;
  virtual std::unique_ptr<Event> NewEvent(bool manualReset, bool initiallySet) = 0;
  virtual std::unique_ptr<Thread> StartThread(std::function<void()> body) = 0;
  // Index of the first signalled event, or nothing on time-out. Events must come from
  // this port or from the named objects of the same platform.
  virtual std::optional<size_t> WaitAny(std::span<Event* const> events, uint32_t timeoutMs) = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

}  // namespace corvane::platform
