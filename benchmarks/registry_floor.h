#pragma once
// The least registry traffic a piece of code could cause for what it read: each key it
// opened, once; each sub-key or value list it took, once; each value it read, once.
// Recorded from one run of the code through FloorRecorder, then replayed against the same
// registry to time that floor in the same run as the code itself.

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "platform/registry.h"

namespace corvane::bench {

struct RegistryFloor {
  using KeyId = std::pair<platform::RegistryRoot, std::wstring>;  // path upper-cased, no leading '\'
  struct KeyReads {
    bool subKeys = false;
    bool valueNames = false;
    std::set<std::wstring> values;  // upper-cased
    std::wstring path;              // as first opened
  };
  std::map<KeyId, KeyReads> keys;

  uint64_t Calls() const {
    uint64_t calls = 0;
    for (const auto& [id, reads] : keys) calls += 1 + reads.subKeys + reads.valueNames + reads.values.size();
    return calls;
  }

  // Does the floor's reads on `registry`; returns how many calls it made.
  uint64_t Replay(platform::Registry& registry) const {
    uint64_t calls = 0;
    for (const auto& [id, reads] : keys) {
      auto key = registry.OpenKey(id.first, reads.path, false);
      ++calls;
      if (!key) continue;
      if (reads.subKeys) {
        key->SubKeyNames();
        ++calls;
      }
      if (reads.valueNames) {
        key->ValueNames();
        ++calls;
      }
      for (const std::wstring& value : reads.values) {
        key->ReadValue(value);
        ++calls;
      }
    }
    return calls;
  }
};

// A registry that notes what was read through it.
class FloorRecorder final : public platform::Registry {
 public:
  FloorRecorder(platform::Registry& inner, RegistryFloor& floor) : inner_(inner), floor_(floor) {}

  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, const std::wstring& path,
                                                 bool create) override {
    std::unique_ptr<platform::RegistryKey> key = inner_.OpenKey(root, path, create);
    RegistryFloor::KeyReads& reads = floor_.keys[{root, Normal(path)}];
    if (reads.path.empty()) reads.path = path;
    if (!key) return nullptr;
    return std::make_unique<Key>(std::move(key), reads);
  }
  bool DeleteKey(platform::RegistryRoot root, const std::wstring& path) override {
    return inner_.DeleteKey(root, path);
  }
  std::unique_ptr<platform::RegistryWatch> WatchKey(platform::RegistryRoot root, const std::wstring& path) override {
    return inner_.WatchKey(root, path);
  }

 private:
  static std::wstring Normal(std::wstring path) {
    if (!path.empty() && path.front() == L'\\') path.erase(0, 1);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return Upper(std::move(path));
  }
  static std::wstring Upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c; });
    return text;
  }

  class Key final : public platform::RegistryKey {
   public:
    Key(std::unique_ptr<platform::RegistryKey> inner, RegistryFloor::KeyReads& reads)
        : inner_(std::move(inner)), reads_(reads) {}
    std::optional<platform::RegistryValueInfo> QueryValue(const std::wstring& name) const override {
      reads_.values.insert(Upper(name));
      return inner_->QueryValue(name);
    }
    std::optional<platform::RegistryValue> ReadValue(const std::wstring& name) const override {
      reads_.values.insert(Upper(name));
      return inner_->ReadValue(name);
    }
    bool WriteValue(const std::wstring& name, uint32_t type, std::span<const uint8_t> data) override {
      return inner_->WriteValue(name, type, data);
    }
    bool DeleteValue(const std::wstring& name) override { return inner_->DeleteValue(name); }
    std::vector<std::wstring> SubKeyNames() const override {
      reads_.subKeys = true;
      return inner_->SubKeyNames();
    }
    std::vector<std::wstring> ValueNames() const override {
      reads_.valueNames = true;
      return inner_->ValueNames();
    }

   private:
    std::unique_ptr<platform::RegistryKey> inner_;
    RegistryFloor::KeyReads& reads_;
  };

  platform::Registry& inner_;
  RegistryFloor& floor_;
};

// A registry that cannot watch: its users read everything at every popup, as the menus did
// before they kept what they read.
class UnwatchedRegistry final : public platform::Registry {
 public:
  explicit UnwatchedRegistry(platform::Registry& inner) : inner_(inner) {}
  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, const std::wstring& path,
                                                 bool create) override {
    return inner_.OpenKey(root, path, create);
  }
  bool DeleteKey(platform::RegistryRoot root, const std::wstring& path) override {
    return inner_.DeleteKey(root, path);
  }

 private:
  platform::Registry& inner_;
};

}  // namespace corvane::bench
