#pragma once
// Kernel objects shared with other processes by name: the single-instance mutex, events
// the hook libraries signal, and fixed-size mappings.

#include <cstdint>
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
  // Another holder had created it first. Can be true with a null mutex: a holder in
  // another session or account may deny us a handle.
  bool alreadyExisted = false;
};

// A named shared memory block; unmapped when destroyed.
class SharedMapping {
 public:
  virtual ~SharedMapping() = default;
  virtual std::span<uint8_t> Bytes() = 0;
};

// Names are case-sensitive, must not be empty, and mutexes, events and mappings share
// one namespace: asking for a name that an object of another kind holds fails.
class NamedObjects {
 public:
  virtual ~NamedObjects() = default;
  virtual NamedMutexResult CreateNamedMutex(const std::wstring& name) = 0;
  // Creates the event or opens the existing one of that name.
  virtual std::unique_ptr<Event> CreateNamedEvent(const std::wstring& name, bool manualReset, bool initiallySet) = 0;
  // Null when no event of that name exists.
  virtual std::unique_ptr<Event> OpenNamedEvent(const std::wstring& name) = 0;
  // Creates the mapping (zero-filled) or opens the existing one; null on failure, for a
  // size of 0, or when the view would not fit in the existing mapping.
  virtual std::unique_ptr<SharedMapping> CreateNamedMapping(const std::wstring& name, size_t size) = 0;
  virtual std::unique_ptr<SharedMapping> OpenNamedMapping(const std::wstring& name, size_t size) = 0;
};

}  // namespace corvane::platform
