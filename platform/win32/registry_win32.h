#pragma once
// The registry port on advapi32's wide API. Keys open for reading and writing, or for
// reading only when writing is denied. Only functions present on Windows XP are used.

#include <memory>
#include <string>

#include "platform/registry.h"

namespace corvane::platform {

class Win32Registry : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, bool create) override;
  bool DeleteKey(RegistryRoot root, const std::wstring& path) override;
  // RegNotifyChangeKeyValue with an event, looked at without waiting.
  std::unique_ptr<RegistryWatch> WatchKey(RegistryRoot root, const std::wstring& path) override;
};

}  // namespace corvane::platform
