#include "platform/win32/threading_win32.h"

#include <process.h>

#include <stdexcept>
#include <system_error>
#include <utility>

namespace corvane::platform {

static_assert(kWaitForever == INFINITE);
static_assert(kMaxWaitEvents == MAXIMUM_WAIT_OBJECTS);

namespace {

class Win32Lock final : public Lock {
 public:
  Win32Lock() { InitializeCriticalSection(&section_); }
  ~Win32Lock() override { DeleteCriticalSection(&section_); }
  Win32Lock(const Win32Lock&) = delete;
  Win32Lock& operator=(const Win32Lock&) = delete;

  void Enter() override { EnterCriticalSection(&section_); }
  void Leave() override { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

class Win32Thread final : public Thread {
 public:
  Win32Thread(UniqueHandle handle, unsigned id) : handle_(std::move(handle)), id_(id) {}
  ~Win32Thread() override { Join(); }

  // Waiting on our own handle would never end; a thread that drops its own Thread just
  // lets the handle go.
  void Join() override {
    if (GetCurrentThreadId() != id_) WaitForSingleObject(handle_.Get(), INFINITE);
  }

 private:
  UniqueHandle handle_;
  unsigned id_;
};

using ThreadBody = std::function<void()>;

// _beginthreadex rather than CreateThread: the C runtime then sets up and frees its
// per-thread data for the body.
unsigned __stdcall ThreadMain(void* parameter) {
  std::unique_ptr<ThreadBody> body(static_cast<ThreadBody*>(parameter));
  (*body)();
  return 0;
}

}  // namespace

void Win32Event::Set() { SetEvent(handle_.Get()); }

void Win32Event::Reset() { ResetEvent(handle_.Get()); }

bool Win32Event::Wait(uint32_t timeoutMs) { return WaitForSingleObject(handle_.Get(), timeoutMs) == WAIT_OBJECT_0; }

std::unique_ptr<Lock> Win32Threading::NewLock() { return std::make_unique<Win32Lock>(); }

std::unique_ptr<Event> Win32Threading::NewEvent(bool manualReset, bool initiallySet) {
  UniqueHandle handle(CreateEventW(nullptr, manualReset, initiallySet, nullptr));
  if (!handle) return nullptr;
  return std::make_unique<Win32Event>(std::move(handle));
}

std::unique_ptr<Thread> Win32Threading::StartThread(std::function<void()> body) {
  auto owned = std::make_unique<ThreadBody>(std::move(body));
  unsigned id = 0;
  const uintptr_t handle = _beginthreadex(nullptr, 0, &ThreadMain, owned.get(), 0, &id);
  if (handle == 0) return nullptr;
  owned.release();  // the thread owns it now
  return std::make_unique<Win32Thread>(UniqueHandle(reinterpret_cast<HANDLE>(handle)), id);
}

std::optional<size_t> Win32Threading::WaitAny(std::span<Event* const> events, uint32_t timeoutMs) {
  if (events.empty() || events.size() > kMaxWaitEvents) {
    throw std::invalid_argument("WaitAny takes 1 to 64 events");
  }
  HANDLE handles[MAXIMUM_WAIT_OBJECTS];
  for (size_t i = 0; i < events.size(); ++i) {
    auto* event = dynamic_cast<Win32Event*>(events[i]);
    if (event == nullptr) throw std::invalid_argument("WaitAny takes only Win32 events");
    handles[i] = event->Handle();
  }
  const DWORD count = static_cast<DWORD>(events.size());
  const DWORD result = WaitForMultipleObjects(count, handles, FALSE, timeoutMs);
  if (result < WAIT_OBJECT_0 + count) return result - WAIT_OBJECT_0;
  if (result == WAIT_TIMEOUT) return std::nullopt;
  // Only a closed handle gets here. Reporting it as a time-out would make a waiting
  // loop spin, so it is an error.
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "WaitForMultipleObjects");
}

void Win32Threading::Sleep(uint32_t ms) { ::Sleep(ms); }

}  // namespace corvane::platform
