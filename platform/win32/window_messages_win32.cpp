#include "platform/win32/window_messages_win32.h"

#include <utility>

namespace corvane::platform {
namespace {

class Win32Subscription final : public MessageSubscription {
 public:
  explicit Win32Subscription(MessageWindow::Route route) : route_(std::move(route)) {}

 private:
  MessageWindow::Route route_;
};

// From Vista on, a process of lower integrity (a second instance started without
// elevation) cannot post to an elevated one unless the message is let through. Both
// functions are newer than XP, so they are looked up at run time.
void LetThroughFromLowerIntegrity(HWND hwnd, UINT message) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return;
  using PerWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);  // Windows 7
  using PerProcess = BOOL(WINAPI*)(UINT, DWORD);              // Vista
  constexpr DWORD kAllow = 1;                                 // MSGFLT_ALLOW and MSGFLT_ADD
  if (auto perWindow = reinterpret_cast<PerWindow>(
          reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")))) {
    perWindow(hwnd, message, kAllow, nullptr);
  } else if (auto perProcess = reinterpret_cast<PerProcess>(
                 reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")))) {
    perProcess(message, kAllow);
  }
}

}  // namespace

Win32WindowMessages::Win32WindowMessages(MessageWindow& window) : window_(window) {}

uint32_t Win32WindowMessages::RegisterMessage(const std::wstring& name) {
  if (name.empty()) return 0;
  return RegisterWindowMessageW(name.c_str());
}

bool Win32WindowMessages::Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return PostMessageW(HWND_BROADCAST, message, wParam, lParam) != FALSE;
}

bool Win32WindowMessages::SendBroadcast(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(HWND_BROADCAST, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs,
                             &result) != 0;
}

std::unique_ptr<MessageSubscription> Win32WindowMessages::Subscribe(uint32_t message, MessageHandler handler) {
  auto route = window_.AddRoute(message, [handler = std::move(handler)](WPARAM w, LPARAM l) {
    handler(static_cast<uintptr_t>(w), static_cast<intptr_t>(l));
  });
  LetThroughFromLowerIntegrity(window_.Handle(), message);
  return std::make_unique<Win32Subscription>(std::move(route));
}

}  // namespace corvane::platform
