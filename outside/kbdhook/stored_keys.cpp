#include "outside/kbdhook/stored_keys.h"

#include <string>
#include <utility>
#include <vector>

#include "settings/global.h"

namespace corvane::outside {
namespace {

const std::wstring kKeysKey = global::ProgramKey + L"\\Profiles\\keys";

// The program creates the key too; having it here lets a table written later be watched.
bool OpenKeysKey(UniqueKey& key, REGSAM access) {
  return RegCreateKeyExW(HKEY_CURRENT_USER, kKeysKey.c_str(), 0, nullptr, 0, access, nullptr, key.put(), nullptr) ==
         ERROR_SUCCESS;
}

std::wstring StringData(const std::vector<BYTE>& bytes, DWORD size) {
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text.substr(0, text.find(L'\0'));
}

}  // namespace

KeyTable ReadStoredKeyTable() {
  try {
    UniqueKey key;
    if (!OpenKeysKey(key, KEY_READ)) return {};
    DWORD valueCount = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS)
      return {};
    std::vector<std::pair<std::wstring, std::wstring>> values;
    std::vector<wchar_t> name(longestName + 1);
    std::vector<BYTE> data(longestData + sizeof(wchar_t));
    for (DWORD index = 0; index < valueCount; ++index) {
      DWORD nameLength = static_cast<DWORD>(name.size());
      DWORD size = static_cast<DWORD>(data.size());
      DWORD type = 0;
      // A value that grew since the size query is skipped rather than read cut.
      if (RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
          ERROR_SUCCESS)
        continue;
      if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
      values.emplace_back(std::wstring(name.data(), nameLength), StringData(data, size));
    }
    return KeyTable::FromStoredValues(values);
  } catch (...) {
    return {};
  }
}

KeyTableWatcher::KeyTableWatcher(std::atomic<bool>& changed)
    : changed_(changed),
      notified_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!notified_ || !stop_ || !OpenKeysKey(key_, KEY_NOTIFY)) return;
  // The thread holds the library, so it is never unloaded under the running thread.
  HMODULE library = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&Run), &library)) return;
  thread_.reset(CreateThread(nullptr, 0, Run, this, 0, nullptr));
  if (!thread_) FreeLibrary(library);
}

KeyTableWatcher::~KeyTableWatcher() {
  if (!thread_) return;
  SetEvent(stop_.get());
  WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI KeyTableWatcher::Run(void* self) {
  static_cast<KeyTableWatcher*>(self)->Watch();
  HMODULE library = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&Run), &library);
  FreeLibraryAndExitThread(library, 0);
}

void KeyTableWatcher::Watch() {
  KeyTableWatcher& watcher = *this;
  const HANDLE events[] = {watcher.notified_.get(), watcher.stop_.get()};
  for (;;) {
    // Asked again each round: a notification fires once. The thread that asks must live
    // as long as the request, which is why this is a thread of its own.
    if (RegNotifyChangeKeyValue(watcher.key_.get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                watcher.notified_.get(), TRUE) != ERROR_SUCCESS) {
      // No notifications on this key: the table is read once more and then kept.
      watcher.changed_.store(true);
      return;
    }
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) return;
    watcher.changed_.store(true, std::memory_order_release);
  }
}

}  // namespace corvane::outside
