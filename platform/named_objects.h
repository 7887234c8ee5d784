#pragma once
// Objects shared with other processes by name: the single-instance mutex, events the
// hook libraries signal, fixed-size mappings, and registered window messages.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/threading.h"

namespace corvane::platform {

// Held until destroyed.
class NamedMutex {
 public:
  virtual ~NamedMutex() = default;
};

struct NamedMutexResult {
  std::unique_ptr<NamedMutex> mutex;  // null when it could not be created at all
  bool alreadyExisted = false;        // another holder had created it first
};

// A named shared memory block; unmapped when destroyed.
class SharedMapping {
 public:
  virtual ~SharedMapping() = default;
  virtual std::span<uint8_t> Bytes() = 0;
};

// Delivery of a registered message stops when destroyed.
class MessageSubscription {
 public:
  virtual ~MessageSubscription() = default;
};

using MessageHandler = std::function<void(uintptr_t wParam, intptr_t lParam)>;

class NamedObjects {
 public:
  virtual ~NamedObjects() = default;
  virtual NamedMutexResult CreateMutex(const std::wstring& name) = 0;
  // Creates the event or opens the existing one of that name.
  virtual std::unique_ptr<Event> CreateEvent(const std::wstring& name, bool manualReset, bool initiallySet) = 0;
  // Null when no event of that name exists.
  virtual std::unique_ptr<Event> OpenEvent(const std::wstring& name) = 0;
  // Creates the mapping (zero-filled) or opens the existing one; null on failure.
  virtual std::unique_ptr<SharedMapping> CreateMapping(const std::wstring& name, size_t size) = 0;
  virtual std::unique_ptr<SharedMapping> OpenMapping(const std::wstring& name, size_t size) = 0;
  // The same name gives the same id in every process.
  virtual uint32_t RegisterMessage(const std::wstring& name) = 0;
  // Posts the message to every top-level window of every process.
  virtual bool Broadcast(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // `handler` runs on the UI thread when this process receives the message.
  virtual std::unique_ptr<MessageSubscription> Subscribe(uint32_t message, MessageHandler handler) = 0;
};

}  // namespace corvane::platform
