#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <vector>

namespace corvane::platform {

namespace {

class KeyHandle {
 public:
  KeyHandle() = default;
  explicit KeyHandle(HKEY key) : key_(key) {}
  ~KeyHandle() {
    if (key_) RegCloseKey(key_);
  }
  KeyHandle(KeyHandle&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  KeyHandle& operator=(KeyHandle&& other) noexcept {
    if (this != &other) {
      if (key_) RegCloseKey(key_);
      key_ = other.key_;
      other.key_ = nullptr;
    }
    return *this;
  }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;

  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

HKEY RootHandle(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users: return HKEY_USERS;
    case RegistryRoot::PerformanceData: return HKEY_PERFORMANCE_DATA;
    case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::DynData: return HKEY_DYN_DATA;
  }
  return nullptr;
}

// The API rejects a leading '\' and empty levels; the port accepts and ignores them.
std::wstring NormalizePath(const std::wstring& path) {
  std::wstring result;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) {
      if (!result.empty()) result += L'\\';
      result.append(path, start, end - start);
    }
    start = end + 1;
  }
  return result;
}

struct Opened {
  KeyHandle key;
  LONG status;
};

Opened Open(HKEY parent, const std::wstring& subKey, bool create, REGSAM access) {
  HKEY key = nullptr;
  LONG status = create ? RegCreateKeyExW(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                         &key, nullptr)
                       : RegOpenKeyExW(parent, subKey.c_str(), 0, access, &key);
  return {status == ERROR_SUCCESS ? KeyHandle(key) : KeyHandle(), status};
}

// Names of sub-keys or values by index until the list ends. A name longer than the
// key reported (one added meanwhile) grows the buffer; the limit ends a misbehaving key.
template <typename EnumFn>
std::vector<std::wstring> EnumerateNames(DWORD longestName, EnumFn enumerate) {
  constexpr size_t kLongestPossible = 32768;  // value names are at most 16383 characters
  std::vector<wchar_t> buffer(longestName + 1);
  std::vector<std::wstring> names;
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    LONG status = enumerate(index, buffer.data(), &length);
    if (status == ERROR_MORE_DATA && buffer.size() < kLongestPossible) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) break;  // ERROR_NO_MORE_ITEMS, or the key went away
    names.emplace_back(buffer.data(), length);
    ++index;
  }
  return names;
}

std::vector<std::wstring> SubKeyNamesOf(HKEY key) {
  DWORD longest = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return {};
  return EnumerateNames(longest, [key](DWORD index, wchar_t* name, DWORD* length) {
    return RegEnumKeyExW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::vector<std::wstring> ValueNamesOf(HKEY key) {
  DWORD longest = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return {};
  return EnumerateNames(longest, [key](DWORD index, wchar_t* name, DWORD* length) {
    return RegEnumValueW(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

// Deletes `name` under `parent` after its sub-keys, deepest first. RegDeleteKeyW only
// removes keys without sub-keys; RegDeleteTree is not on XP.
bool DeleteTree(HKEY parent, const std::wstring& name) {
  if (KeyHandle key = Open(parent, name, false, KEY_READ).key) {
    // All names first: deleting while enumerating by index would skip every other one.
    for (const auto& child : SubKeyNamesOf(key.get())) {
      if (!DeleteTree(key.get(), child)) return false;
    }
  }
  return RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

class Win32Key final : public RegistryKey {
 public:
  explicit Win32Key(KeyHandle key) : key_(std::move(key)) {}

  std::optional<RegistryValueInfo> QueryValue(const std::wstring& name) const override {
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) return RegistryValueInfo{type, size};
    if (status != ERROR_MORE_DATA) return std::nullopt;
    // Performance data cannot tell its size without being read.
    auto value = ReadValue(name);
    if (!value) return std::nullopt;
    return RegistryValueInfo{value->type, static_cast<uint32_t>(value->data.size())};
  }

  std::optional<RegistryValue> ReadValue(const std::wstring& name) const override {
    constexpr DWORD kLargestGuess = 256u << 20;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return std::nullopt;
    // Another writer may change the value between asking its size and reading it:
    // read again with the size it has then until it fits.
    std::vector<uint8_t> buffer;
    for (;;) {
      buffer.resize(size);
      DWORD got = size;
      status =
          RegQueryValueExW(key_.get(), name.c_str(), nullptr, &type, buffer.empty() ? nullptr : buffer.data(), &got);
      bool grew = status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && buffer.empty() && got > 0);
      if (grew) {
        if (got > size) {
          size = got;
        } else {
          // Performance data answers ERROR_MORE_DATA without a size: keep doubling,
          // within what a 32-bit process can hold.
          if (size >= kLargestGuess) return std::nullopt;
          size = size < 4096 ? 4096 : size * 2;
        }
        continue;
      }
      if (status != ERROR_SUCCESS) return std::nullopt;
      buffer.resize(got);
      return RegistryValue{type, std::move(buffer)};
    }
  }

  bool WriteValue(const std::wstring& name, uint32_t type, std::span<const uint8_t> data) override {
    // For string types the API looks at the character before the end of the data and,
    // when that is not NUL, at the one after it; when that is NUL it stores it as well.
    // Non-zero guard bytes on both sides keep those looks inside our buffer and the
    // stored bytes exactly the caller's.
    std::vector<uint8_t> guarded(data.size() + 4, 0xFF);
    std::copy(data.begin(), data.end(), guarded.begin() + 2);
    return RegSetValueExW(key_.get(), name.c_str(), 0, type, guarded.data() + 2, static_cast<DWORD>(data.size())) ==
           ERROR_SUCCESS;
  }

  bool DeleteValue(const std::wstring& name) override {
    return RegDeleteValueW(key_.get(), name.c_str()) == ERROR_SUCCESS;
  }

  std::vector<std::wstring> SubKeyNames() const override { return SubKeyNamesOf(key_.get()); }
  std::vector<std::wstring> ValueNames() const override { return ValueNamesOf(key_.get()); }

 private:
  KeyHandle key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, const std::wstring& path, bool create) {
  HKEY rootKey = RootHandle(root);
  if (!rootKey) return nullptr;
  const std::wstring subKey = NormalizePath(path);
  Opened opened = Open(rootKey, subKey, create, KEY_READ | KEY_WRITE);
  // Keys of other users and of the machine are often readable only.
  if (opened.status == ERROR_ACCESS_DENIED) opened = Open(rootKey, subKey, create, KEY_READ);
  if (!opened.key) return nullptr;
  return std::make_unique<Win32Key>(std::move(opened.key));
}

bool Win32Registry::DeleteKey(RegistryRoot root, const std::wstring& path) {
  HKEY rootKey = RootHandle(root);
  const std::wstring subKey = NormalizePath(path);
  if (!rootKey || subKey.empty()) return false;  // a root cannot be deleted
  return DeleteTree(rootKey, subKey);
}

namespace {

// An asynchronous change notification on the key and its sub-keys, signalling an
// auto-reset event. A key that is missing, or was deleted, is opened again at the next
// look and counts as changed until it can be watched.
class Win32Watch final : public RegistryWatch {
 public:
  Win32Watch(HKEY root, std::wstring subKey)
      : root_(root), subKey_(std::move(subKey)), event_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
  ~Win32Watch() override {
    key_ = KeyHandle();  // closing the key ends the notification before its event goes
    if (event_) CloseHandle(event_);
  }
  Win32Watch(const Win32Watch&) = delete;
  Win32Watch& operator=(const Win32Watch&) = delete;

  bool Changed() override {
    if (!event_) return true;
    if (key_ && WaitForSingleObject(event_, 0) != WAIT_OBJECT_0) return false;
    key_ = Open(root_, subKey_, false, KEY_NOTIFY).key;
    if (key_ && RegNotifyChangeKeyValue(key_.get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                        event_, TRUE) != ERROR_SUCCESS)
      key_ = KeyHandle();
    return true;
  }

 private:
  HKEY root_;
  std::wstring subKey_;
  HANDLE event_;
  KeyHandle key_;
};

}  // namespace

std::unique_ptr<RegistryWatch> Win32Registry::WatchKey(RegistryRoot root, const std::wstring& path) {
  HKEY rootKey = RootHandle(root);
  if (!rootKey) return nullptr;
  return std::make_unique<Win32Watch>(rootKey, NormalizePath(path));
}

}  // namespace corvane::platform
