#pragma once
// RegisterWindowMessage and HWND_BROADCAST, received by the UI thread's message window.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win32/message_window.h"
#include "platform/window_messages.h"

namespace corvane::platform {

class Win32WindowMessages final : public WindowMessages {
 public:
  // `window` must outlive this object; subscriptions may outlive both.
  explicit Win32WindowMessages(MessageWindow& window);
  Win32WindowMessages(const Win32WindowMessages&) = delete;
  Win32WindowMessages& operator=(const Win32WindowMessages&) = delete;

  // 0 for an empty name or one longer than an atom's 255 characters.
  uint32_t RegisterMessage(const std::wstring& name) override;
  // Posts, so a hung window elsewhere cannot hold the caller up; any thread may call.
  bool Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool SendBroadcast(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs) override;
  // UI thread only (std::logic_error otherwise).
  std::unique_ptr<MessageSubscription> Subscribe(uint32_t message, MessageHandler handler) override;

 private:
  MessageWindow& window_;
};

}  // namespace corvane::platform
