#pragma once
// The registry port: keys under the predefined roots, values as typed raw bytes.
// Typed reads and writes on top of it live in registry_values.h.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane::platform {

// The seven predefined roots, in the order the settings store numbers them.
enum class RegistryRoot {
  CurrentUser,
  ClassesRoot,
  LocalMachine,
  Users,
  PerformanceData,
  CurrentConfig,
  DynData,
};

// Value types as the registry numbers them (REG_*). Any other number is kept as is.
namespace RegType {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t String = 1;
inline constexpr uint32_t ExpandString = 2;
inline constexpr uint32_t Binary = 3;
inline constexpr uint32_t Dword = 4;
inline constexpr uint32_t MultiString = 7;
}  // namespace RegType

struct RegistryValue {
  uint32_t type = RegType::None;
  std::vector<uint8_t> data;
};

struct RegistryValueInfo {
  uint32_t type = RegType::None;
  uint32_t size = 0;
};

// An open key; closed when destroyed. Names compare without case, as in the registry.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual std::optional<RegistryValueInfo> QueryValue(const std::wstring& name) const = 0;
  virtual std::optional<RegistryValue> ReadValue(const std::wstring& name) const = 0;
  virtual bool WriteValue(const std::wstring& name, uint32_t type, std::span<const uint8_t> data) = 0;
  virtual bool DeleteValue(const std::wstring& name) = 0;
  // In the store's own order.
  virtual std::vector<std::wstring> SubKeyNames() const = 0;
  virtual std::vector<std::wstring> ValueNames() const = 0;
};

// Tells, without waiting, whether a key or anything below it changed (a value written or
// deleted, a sub-key created or deleted) since the last look: a caller keeps what it read
// and reads again only after a change.
class RegistryWatch {
 public:
  virtual ~RegistryWatch() = default;
  // True on the first call and after every change since the previous call.
  virtual bool Changed() = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // `path` separates sub-keys with '\'; a leading '\' (absolute from the root) is accepted.
  // Returns null when the key is missing (and `create` is false) or cannot be opened.
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::wstring& path, bool create) = 0;
  // Deletes the key with all its sub-keys. False when it is missing or cannot be deleted.
  virtual bool DeleteKey(RegistryRoot root, const std::wstring& path) = 0;
  // Watches the key at `path` and its sub-keys, whether or not it exists yet. Null when the
  // registry cannot watch: the caller then reads every time.
  virtual std::unique_ptr<RegistryWatch> WatchKey(RegistryRoot, const std::wstring&) { return nullptr; }
};

}  // namespace corvane::platform
