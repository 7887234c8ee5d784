// kbdhook.dll: a low-level keyboard hook, installed by the program's user-interface thread,
// that reports the combinations of the stored hotkey table through "CORVANE_KBD" and
// "QRXKBDMonEvent" and keeps them from the foreground program. The system calls the hook on
// the installing thread, so its state needs no lock; only the table watcher runs apart.

#include <windows.h>

#include <atomic>
#include <memory>

#include "outside/hook_logic/key_filter.h"
#include "outside/hook_logic/reports.h"
#include "outside/hook_shell/handles.h"
#include "outside/kbdhook/stored_keys.h"

namespace corvane::outside {
namespace {

// Marks the dummy key this library sends, so the hook lets it by.
constexpr ULONG_PTR kOwnInput = 0x4B424448;  // "KBDH"
// A key code no keyboard has.
constexpr WORD kDummyKey = 0xFF;

HMODULE g_module = nullptr;
HHOOK g_hook = nullptr;
std::atomic<bool> g_tableChanged{false};
KeyTable g_table;
KeyFilter g_filter;
std::unique_ptr<KeyTableWatcher> g_watcher;

bool Down(WPARAM message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

Modifiers CurrentModifiers() {
  return {(GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0, (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0,
          (GetAsyncKeyState(VK_MENU) & 0x8000) != 0};
}

bool ReportKey(uint16_t code) {
  {
    ReportView view(L"CORVANE_KBD", kReportMappingSize);
    if (!WriteKeyReport(view.bytes(), code)) return false;
  }
  return SignalNamedEvent(L"QRXKBDMonEvent");
}

// With Alt held, a key kept from the window leaves it an Alt press and release with
// nothing between, which would open its menu bar; a key of no meaning in between stops that.
void CoverAltRelease() {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = kDummyKey;
    input.ki.dwExtraInfo = kOwnInput;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM data) {
  if (code != HC_ACTION) return CallNextHookEx(g_hook, code, message, data);
  const auto& stroke = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
  if (stroke.dwExtraInfo == kOwnInput || stroke.vkCode > 0xFF) return CallNextHookEx(g_hook, code, message, data);
  // A plain load first: the exchange's locked write is kept for the rare change.
  if (g_tableChanged.load(std::memory_order_relaxed) && g_tableChanged.exchange(false, std::memory_order_acquire))
    g_table = ReadStoredKeyTable();

  const uint8_t key = static_cast<uint8_t>(stroke.vkCode);
  Modifiers modifiers;
  const KeyDecision decision = g_filter.Decide(g_table, key, Down(message), [&] { return modifiers = CurrentModifiers(); });
  switch (decision.verdict) {
    case KeyVerdict::Pass:
      break;
    case KeyVerdict::Swallow:
      return 1;
    case KeyVerdict::Report:
      if (!ReportKey(decision.code)) {
        // The program is not listening: the key belongs to the window after all.
        g_filter.Forget(key);
        break;
      }
      if (modifiers.alt && !modifiers.ctrl) CoverAltRelease();
      return 1;
  }
  return CallNextHookEx(g_hook, code, message, data);
}

}  // namespace
}  // namespace corvane::outside

using namespace corvane::outside;

extern "C" void WINAPI InstallKBDHook() {
  if (g_hook) return;
  try {
    g_tableChanged.store(false);
    g_table = ReadStoredKeyTable();
    g_filter = KeyFilter();
    g_watcher = std::make_unique<KeyTableWatcher>(g_tableChanged);
  } catch (...) {
    g_watcher.reset();
  }
  g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_module, 0);
  if (!g_hook) g_watcher.reset();
}

extern "C" void WINAPI UninstallKBDHook() {
  if (!g_hook) return;
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  g_watcher.reset();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
