#include "outside/rovhook/mode_change.h"

#include <cstring>
#include <string>
#include <vector>

#include "outside/hook_logic/refresh_lock.h"
#include "outside/hook_shell/handles.h"
#include "platform/win32/seh_guard.h"
#include "settings/global.h"

namespace corvane::outside {
namespace {

using ChangeA = LONG(WINAPI*)(DEVMODEA*, DWORD);
using ChangeW = LONG(WINAPI*)(DEVMODEW*, DWORD);
using ChangeExA = LONG(WINAPI*)(LPCSTR, DEVMODEA*, HWND, DWORD, LPVOID);
using ChangeExW = LONG(WINAPI*)(LPCWSTR, DEVMODEW*, HWND, DWORD, LPVOID);

void* volatile g_changeA = nullptr;
void* volatile g_changeW = nullptr;
void* volatile g_changeExA = nullptr;
void* volatile g_changeExW = nullptr;

bool LockInstalled() {
  UniqueHandle event(OpenEventW(SYNCHRONIZE, FALSE, kLockInstalledEvent));
  return static_cast<bool>(event);
}

RefreshLockTable ReadLockTable() {
  UniqueKey key;
  const std::wstring path = global::ProgramKey + L"\\Profiles\\ROV";
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
  std::vector<StoredValue> values;
  for (DWORD index = 0;; ++index) {
    wchar_t name[64];
    DWORD nameLength = 64;
    BYTE data[8];
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG status = RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, data, &size);
    if (status == ERROR_NO_MORE_ITEMS) break;
    // A longer name or data is no "%dx%dx%d" with a REG_DWORD rate.
    if (status != ERROR_SUCCESS) continue;
    values.push_back({std::wstring(name, nameLength), type, std::vector<uint8_t>(data, data + size)});
  }
  return RefreshLockTable::FromStoredValues(values);
}

// The caller's DEVMODE copied with the locked rate, or nothing to change.
template <class DevMode, class Char>
struct LockJob {
  const Char* device;
  const DevMode* asked;
  std::vector<BYTE>* copy;
  bool locked;
};

template <class DevMode>
Resolution CurrentResolution(const DevMode& current) {
  return {current.dmPelsWidth, current.dmPelsHeight, current.dmBitsPerPel};
}

BOOL EnumCurrent(const char* device, DEVMODEA* mode) { return EnumDisplaySettingsA(device, ENUM_CURRENT_SETTINGS, mode); }
BOOL EnumCurrent(const wchar_t* device, DEVMODEW* mode) {
  return EnumDisplaySettingsW(device, ENUM_CURRENT_SETTINGS, mode);
}

template <class DevMode, class Char>
void LockRequest(LockJob<DevMode, Char>& job) {
  const DevMode& asked = *job.asked;
  constexpr size_t needed = offsetof(DevMode, dmDisplayFrequency) + sizeof(DWORD);
  if (asked.dmSize < needed) return;
  ModeRequest request{asked.dmFields, asked.dmPelsWidth, asked.dmPelsHeight, asked.dmBitsPerPel,
                      asked.dmDisplayFrequency};
  DevMode current{};
  current.dmSize = sizeof current;
  if (!EnumCurrent(job.device, &current)) current = DevMode{};
  if (!ApplyRefreshLock(ReadLockTable(), CurrentResolution(current), request)) return;
  job.copy->assign(reinterpret_cast<const BYTE*>(&asked),
                   reinterpret_cast<const BYTE*>(&asked) + asked.dmSize + asked.dmDriverExtra);
  auto* locked = reinterpret_cast<DevMode*>(job.copy->data());
  locked->dmFields = request.fields;
  locked->dmDisplayFrequency = request.frequency;
  job.locked = true;
}

// Runs inside the fault guard, which a C++ exception must not cross.
template <class DevMode, class Char>
void Lock(void* data) {
  try {
    LockRequest(*static_cast<LockJob<DevMode, Char>*>(data));
  } catch (...) {
  }
}

// The request with the locked rate in `copy`, or the caller's own request. The caller's
// memory is only read, and a fault while reading leaves the request as it was.
template <class DevMode, class Char>
DevMode* LockedRequest(const Char* device, DevMode* asked, std::vector<BYTE>& copy) {
  if (!asked || !LockInstalled()) return asked;
  LockJob<DevMode, Char> job{device, asked, &copy, false};
  if (!platform::CallGuarded(Lock<DevMode, Char>, &job).completed) return asked;
  return job.locked ? reinterpret_cast<DevMode*>(copy.data()) : asked;
}

// Each passes the request on with the locked rate. A locked rate the display refuses must
// not keep the program from its mode: the request then goes again as the program made it.
LONG WINAPI ChangeDisplaySettingsALocked(DEVMODEA* mode, DWORD flags) {
  const auto original = reinterpret_cast<ChangeA>(g_changeA);
  std::vector<BYTE> copy;
  DEVMODEA* request = LockedRequest<DEVMODEA, char>(nullptr, mode, copy);
  const LONG result = original(request, flags);
  return request != mode && result == DISP_CHANGE_BADMODE ? original(mode, flags) : result;
}

LONG WINAPI ChangeDisplaySettingsWLocked(DEVMODEW* mode, DWORD flags) {
  const auto original = reinterpret_cast<ChangeW>(g_changeW);
  std::vector<BYTE> copy;
  DEVMODEW* request = LockedRequest<DEVMODEW, wchar_t>(nullptr, mode, copy);
  const LONG result = original(request, flags);
  return request != mode && result == DISP_CHANGE_BADMODE ? original(mode, flags) : result;
}

LONG WINAPI ChangeDisplaySettingsExALocked(LPCSTR device, DEVMODEA* mode, HWND window, DWORD flags, LPVOID param) {
  const auto original = reinterpret_cast<ChangeExA>(g_changeExA);
  std::vector<BYTE> copy;
  DEVMODEA* request = LockedRequest<DEVMODEA, char>(device, mode, copy);
  const LONG result = original(device, request, window, flags, param);
  return request != mode && result == DISP_CHANGE_BADMODE ? original(device, mode, window, flags, param) : result;
}

LONG WINAPI ChangeDisplaySettingsExWLocked(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags, LPVOID param) {
  const auto original = reinterpret_cast<ChangeExW>(g_changeExW);
  std::vector<BYTE> copy;
  DEVMODEW* request = LockedRequest<DEVMODEW, wchar_t>(device, mode, copy);
  const LONG result = original(device, request, window, flags, param);
  return request != mode && result == DISP_CHANGE_BADMODE ? original(device, mode, window, flags, param) : result;
}

}  // namespace

const ImportHook kModeChangeHooks[] = {
    {"user32.dll", "ChangeDisplaySettingsA", reinterpret_cast<void*>(&ChangeDisplaySettingsALocked), &g_changeA},
    {"user32.dll", "ChangeDisplaySettingsW", reinterpret_cast<void*>(&ChangeDisplaySettingsWLocked), &g_changeW},
    {"user32.dll", "ChangeDisplaySettingsExA", reinterpret_cast<void*>(&ChangeDisplaySettingsExALocked), &g_changeExA},
    {"user32.dll", "ChangeDisplaySettingsExW", reinterpret_cast<void*>(&ChangeDisplaySettingsExWLocked), &g_changeExW},
};
const size_t kModeChangeHookCount = sizeof kModeChangeHooks / sizeof kModeChangeHooks[0];

}  // namespace corvane::outside
