// raphook.dll: a global hook that gets this library into every program with windows. In
// each program but the one that installed it, the first hook call sends a start report and
// redirects the 3D entry points, so that creating a Direct3D device or an OpenGL context
// sends a 3D device report. Everything that could block runs on report threads.

#include <windows.h>

#include "outside/hook_shell/import_patch.h"
#include "outside/raphook/app_report.h"
#include "outside/raphook/device_hooks.h"

namespace corvane::outside {
namespace {

HMODULE g_module = nullptr;
HHOOK g_hook = nullptr;
bool g_installer = false;  // only ever true inside the program
volatile LONG g_started = 0;

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && !g_installer) {
    // The start report is posted before any device report can be.
    if (InterlockedExchange(&g_started, 1) == 0) PostAppReport(ThisProcessReport(false));
    PatchOnHookCall(code, wParam, lParam, g_module, kDeviceHooks, kDeviceHookCount);
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace
}  // namespace corvane::outside

using namespace corvane::outside;

extern "C" void WINAPI InstallAPPHook() {
  if (g_hook) return;
  g_installer = true;
  g_hook = SetWindowsHookExW(WH_CBT, CbtProc, g_module, 0);
}

extern "C" void WINAPI UninstallAPPHook() {
  if (!g_hook) return;
  UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
