#pragma once
// The UI thread's hidden window: where the dispatcher's calls, the clock's timers and the
// registered messages other processes broadcast arrive. It is top-level because a
// message-only window (HWND_MESSAGE) is left out of HWND_BROADCAST.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace corvane::platform {

// Private messages of this window class; the WM_APP range is ours because the class is.
inline constexpr UINT kSynchronizeMessage = WM_APP;

class MessageWindow {
  struct Entry;
  struct Routes;

 public:
  // Must not throw: an exception cannot unwind through the window procedure, so one that
  // tries ends the program (std::terminate) where it was thrown.
  using Handler = std::function<void(WPARAM wParam, LPARAM lParam)>;

  // Delivery through a route stops when it is destroyed (on the UI thread). A route may
  // outlive its window.
  class Route {
   public:
    Route() = default;
    ~Route();
    Route(Route&&) noexcept = default;
    Route& operator=(Route&& other) noexcept;
    Route(const Route&) = delete;
    Route& operator=(const Route&) = delete;

    // The window still exists and delivers through this route.
    bool Live() const;

   private:
    friend class MessageWindow;
    Route(std::weak_ptr<Routes> routes, std::shared_ptr<Entry> entry);
    void Remove();

    std::weak_ptr<Routes> routes_;
    std::shared_ptr<Entry> entry_;
  };

  // Creates the window on the calling thread, which is the UI thread from then on.
  // Throws std::system_error when Windows refuses.
  MessageWindow();
  // On the UI thread: a window can only be destroyed by the thread that created it.
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  DWORD ThreadId() const { return threadId_; }
  bool OnUiThread() const { return GetCurrentThreadId() == threadId_; }

  // `handler` runs for every `message` the window receives until the route is destroyed;
  // every route of a message runs, oldest first. A routed message returns 0, any other
  // goes to DefWindowProc. UI thread only (std::logic_error otherwise).
  [[nodiscard]] Route AddRoute(UINT message, Handler handler);

  // A timer id no other timer of this window has had, so a late WM_TIMER of a killed
  // timer can never reach a newer one.
  UINT_PTR NewTimerId() { return ++lastTimerId_; }

 private:
  struct Entry {
    UINT message;
    Handler handler;
    bool active = true;
  };
  struct Routes {
    // When the window goes, a delivery under way stops too.
    ~Routes() {
      for (auto& entry : entries) entry->active = false;
    }
    std::vector<std::shared_ptr<Entry>> entries;
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

  DWORD threadId_;
  std::shared_ptr<Routes> routes_;
  UINT_PTR lastTimerId_ = 0;
  HWND hwnd_ = nullptr;
};

}  // namespace corvane::platform
