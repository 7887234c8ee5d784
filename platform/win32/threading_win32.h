#pragma once
// Threads, critical sections and kernel events for the shipped binaries, which are built
// without std::thread (mingw's win32 thread model, for XP).

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "platform/threading.h"

namespace corvane::platform {

// Owns one kernel handle. The creation functions used here report failure with null
// (never INVALID_HANDLE_VALUE), so null is the empty state.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Close() {
    if (handle_ != nullptr) CloseHandle(Release());
  }

 private:
  HANDLE handle_ = nullptr;
};

// A kernel event. Named events are this class too, so WaitAny waits on any of them by
// handle.
class Win32Event final : public Event {
 public:
  explicit Win32Event(UniqueHandle handle) : handle_(std::move(handle)) {}

  void Set() override;
  void Reset() override;
  bool Wait(uint32_t timeoutMs) override;

  HANDLE Handle() const { return handle_.Get(); }

 private:
  UniqueHandle handle_;
};

class Win32Threading final : public Threading {
 public:
  std::unique_ptr<Lock> NewLock() override;
  // Null only when the system is out of handles.
  std::unique_ptr<Event> NewEvent(bool manualReset, bool initiallySet) override;
  std::unique_ptr<Thread> StartThread(std::function<void()> body) override;
  std::optional<size_t> WaitAny(std::span<Event* const> events, uint32_t timeoutMs) override;
  void Sleep(uint32_t ms) override;
};

}  // namespace corvane::platform
