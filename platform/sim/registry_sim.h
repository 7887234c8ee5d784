#pragma once
// The registry as an in-memory tree per root. Names compare without case and keep the
// spelling first used; sub-keys and values enumerate in the order they were created
// (Windows sorts sub-keys, so code that needs an order must sort for itself).
// Tests can make opens of a key or every write fail.

#include <memory>
#include <string>

#include "platform/registry.h"

namespace corvane::platform {

struct SimRegistryState;

class SimRegistry : public Registry {
 public:
  SimRegistry();
  ~SimRegistry() override;
  SimRegistry(const SimRegistry&) = delete;
  SimRegistry& operator=(const SimRegistry&) = delete;

  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, bool create) override;
  bool DeleteKey(RegistryRoot root, const std::wstring& path) override;
  std::unique_ptr<RegistryWatch> WatchKey(RegistryRoot root, const std::wstring& path) override;

  // Opens of exactly this key (any case) fail, with or without `create`, and create nothing.
  void FailOpen(RegistryRoot root, const std::wstring& path);
  // Every WriteValue, DeleteValue and DeleteKey fails while set; creating keys still works.
  void FailWrites(bool fail);
  void ClearFailures();

  bool Exists(RegistryRoot root, const std::wstring& path) const;

 private:
  // Shared with open keys, so a key may outlive the registry that opened it.
  std::shared_ptr<SimRegistryState> state_;
};

}  // namespace corvane::platform
