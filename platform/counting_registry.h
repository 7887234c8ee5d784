#pragma once
// A registry decorator that counts every call that reaches the registry (opens, deletes,
// value and sub-key reads and writes), to measure how much registry traffic a piece of
// the program causes. Works on any adapter: the simulation natively, advapi32 under Wine.

#include <cstdint>
#include <memory>

#include "platform/registry.h"

namespace corvane::platform {

struct RegistryCallCounts {
  uint64_t openKey = 0;
  uint64_t deleteKey = 0;
  uint64_t queryValue = 0;
  uint64_t readValue = 0;
  uint64_t writeValue = 0;
  uint64_t deleteValue = 0;
  uint64_t enumSubKeys = 0;
  uint64_t enumValues = 0;

  uint64_t Total() const {
    return openKey + deleteKey + queryValue + readValue + writeValue + deleteValue + enumSubKeys + enumValues;
  }
  uint64_t Reads() const { return queryValue + readValue; }
};

class CountingRegistry final : public Registry {
 public:
  explicit CountingRegistry(Registry& inner) : inner_(inner), counts_(std::make_shared<RegistryCallCounts>()) {}

  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, bool create) override {
    ++counts_->openKey;
    std::unique_ptr<RegistryKey> key = inner_.OpenKey(root, path, create);
    if (!key) return nullptr;
    return std::make_unique<CountingKey>(std::move(key), counts_);
  }
  bool DeleteKey(RegistryRoot root, const std::wstring& path) override {
    ++counts_->deleteKey;
    return inner_.DeleteKey(root, path);
  }

  // Looking at a watch costs no registry call: it tests an event.
  std::unique_ptr<RegistryWatch> WatchKey(RegistryRoot root, const std::wstring& path) override {
    return inner_.WatchKey(root, path);
  }

  const RegistryCallCounts& Counts() const { return *counts_; }
  void Reset() { *counts_ = RegistryCallCounts{}; }

 private:
  // Keys may outlive the registry object, so they share the counters rather than point back.
  class CountingKey final : public RegistryKey {
   public:
    CountingKey(std::unique_ptr<RegistryKey> inner, std::shared_ptr<RegistryCallCounts> counts)
        : inner_(std::move(inner)), counts_(std::move(counts)) {}
    std::optional<RegistryValueInfo> QueryValue(const std::wstring& name) const override {
      ++counts_->queryValue;
      return inner_->QueryValue(name);
    }
    std::optional<RegistryValue> ReadValue(const std::wstring& name) const override {
      ++counts_->readValue;
      return inner_->ReadValue(name);
    }
    bool WriteValue(const std::wstring& name, uint32_t type, std::span<const uint8_t> data) override {
      ++counts_->writeValue;
      return inner_->WriteValue(name, type, data);
    }
    bool DeleteValue(const std::wstring& name) override {
      ++counts_->deleteValue;
      return inner_->DeleteValue(name);
    }
    std::vector<std::wstring> SubKeyNames() const override {
      ++counts_->enumSubKeys;
      return inner_->SubKeyNames();
    }
    std::vector<std::wstring> ValueNames() const override {
      ++counts_->enumValues;
      return inner_->ValueNames();
    }

   private:
    std::unique_ptr<RegistryKey> inner_;
    std::shared_ptr<RegistryCallCounts> counts_;
  };

  Registry& inner_;
  std::shared_ptr<RegistryCallCounts> counts_;
};

}  // namespace corvane::platform
