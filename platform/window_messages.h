#pragma once
// Registered window messages: how one instance of the program talks to another.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace corvane::platform {

// Delivery stops when destroyed.
class MessageSubscription {
 public:
  virtual ~MessageSubscription() = default;
};

using MessageHandler = std::function<void(uintptr_t wParam, intptr_t lParam)>;

class WindowMessages {
 public:
  virtual ~WindowMessages() = default;
  // The same name gives the same id in every process.
  virtual uint32_t RegisterMessage(const std::wstring& name) = 0;
  // Posts the message to every top-level window of every process, this one included.
  virtual bool Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // Sends it to every top-level window and returns once each has handled it, giving up
  // on a window that is hung or takes longer than `timeoutMs`.
  virtual bool SendBroadcast(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs) = 0;
  // `handler` runs on the UI thread when this process receives the message.
  virtual std::unique_ptr<MessageSubscription> Subscribe(uint32_t message, MessageHandler handler) = 0;
};

}  // namespace corvane::platform
