#pragma once
// Named mutexes, events and file mappings in the session's kernel namespace, shared with
// other processes (a second instance, the hook libraries).

#include <memory>
#include <string>

#include "platform/named_objects.h"

namespace corvane::platform {

// Its events are Win32Events, so Win32Threading::WaitAny takes them.
class Win32NamedObjects final : public NamedObjects {
 public:
  NamedMutexResult CreateNamedMutex(const std::wstring& name) override;
  std::unique_ptr<Event> CreateNamedEvent(const std::wstring& name, bool manualReset, bool initiallySet) override;
  std::unique_ptr<Event> OpenNamedEvent(const std::wstring& name) override;
  // Windows rounds a mapping up to whole 4 KiB pages, and only a view past that fails.
  std::unique_ptr<SharedMapping> CreateNamedMapping(const std::wstring& name, size_t size) override;
  std::unique_ptr<SharedMapping> OpenNamedMapping(const std::wstring& name, size_t size) override;
};

}  // namespace corvane::platform
