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
// WaitForMultipleObjects takes at most this many handles; the simulation keeps the same limit.
inline constexpr size_t kMaxWaitEvents = 64;

// Re-entrant: the owning thread may enter again, as with a critical section.
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

// A running thread; destroying it waits for the thread to end. Join from the thread
// itself returns at once rather than deadlocking.
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
  // Null when the system could not start another thread.
  virtual std::unique_ptr<Thread> StartThread(std::function<void()> body) = 0;
  // Index of the first signalled event, or nothing on time-out. When several are
  // signalled the lowest index wins, and only that one is reset if it is auto-reset.
  // Events must come from this port or from the named objects of the same platform;
  // anything else, an empty list or more than kMaxWaitEvents throws std::invalid_argument.
  virtual std::optional<size_t> WaitAny(std::span<Event* const> events, uint32_t timeoutMs) = 0;
  virtual void Sleep(uint32_t ms) = 0;
};

}  // namespace corvane::platform
