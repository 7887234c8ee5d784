// rovhook.dll: a global hook whose only job is to get this library into every program with
// windows, where it redirects the program's mode-change calls (mode_change.cpp). Installed
// and uninstalled by the program; whether the lock is on is told by a named event the
// installing process holds, so programs patched earlier follow a later uninstall too.

#include <windows.h>

#include "outside/hook_shell/handles.h"
#include "outside/hook_shell/import_patch.h"
#include "outside/rovhook/mode_change.h"

namespace corvane::outside {
namespace {

HMODULE g_module = nullptr;
HHOOK g_hook = nullptr;
UniqueHandle g_installed;

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0) PatchOnHookCall(code, wParam, lParam, g_module, kModeChangeHooks, kModeChangeHookCount);
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace
}  // namespace corvane::outside

using namespace corvane::outside;

extern "C" void WINAPI InstallROVHook() {
  if (g_hook) return;
  g_installed.reset(CreateEventW(nullptr, TRUE, FALSE, kLockInstalledEvent));
  g_hook = SetWindowsHookExW(WH_CBT, CbtProc, g_module, 0);
  if (!g_hook) g_installed.reset();
}

extern "C" void WINAPI UninstallROVHook() {
  if (!g_hook) return;
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  g_installed.reset();
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
