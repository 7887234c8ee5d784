#pragma once
// For tests on the real system: registry reads and clean-up through the plain advapi32
// calls (not our adapter, so it cannot hide a fault) and a probe of the handle table.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::platform::testing {

struct RawRegistryValue {
  uint32_t type = REG_NONE;
  std::vector<uint8_t> data;
  bool operator==(const RawRegistryValue&) const = default;
};

inline std::optional<RawRegistryValue> ReadRawRegistryValue(HKEY root, const std::wstring& path,
                                                            const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  RawRegistryValue value;
  DWORD type = REG_NONE, size = 0;
  LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
  if (rc == ERROR_SUCCESS) {
    value.data.resize(size);
    rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, value.data.data(), &size);
    value.data.resize(size);
  }
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return std::nullopt;
  value.type = type;
  return value;
}

// Deletes the key only when it has no sub-keys left (a parent other tests share).
inline void DeleteRegistryKeyIfEmpty(HKEY root, const std::wstring& path) { RegDeleteKeyW(root, path.c_str()); }

// The handle table hands out its lowest free slot, so the next handle's value moves on
// exactly when a handle taken in between is still open.
inline uintptr_t NextHandleValue() {
  const HANDLE probe = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  CloseHandle(probe);
  return reinterpret_cast<uintptr_t>(probe);
}

inline uint32_t CurrentProcessId() { return GetCurrentProcessId(); }

// The user's temporary folder, with its trailing '\'.
inline std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder, length <= MAX_PATH ? length : 0);
}

inline constexpr uint32_t kRegBinary = REG_BINARY;
inline constexpr uint32_t kRegDword = REG_DWORD;
inline constexpr uint32_t kRegString = REG_SZ;

}  // namespace corvane::platform::testing
