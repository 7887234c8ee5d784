#include "outside/raphook/device_hooks.h"

#include <windows.h>

#include "outside/raphook/app_report.h"
#include "platform/win32/seh_guard.h"

namespace corvane::outside {
namespace {

// Interface method tables: CreateDevice's place in IDirect3D8 and IDirect3D9.
constexpr int kCreateDevice8 = 15;
constexpr int kCreateDevice9 = 16;

using Direct3DCreate = void*(WINAPI*)(UINT);
using CreateDevice = HRESULT(WINAPI*)(void*, UINT, UINT, HWND, DWORD, void*, void**);
using CreateContext = HGLRC(WINAPI*)(HDC);

void* volatile g_direct3DCreate8 = nullptr;
void* volatile g_direct3DCreate9 = nullptr;
void* volatile g_createDevice8 = nullptr;
void* volatile g_createDevice9 = nullptr;
void* volatile g_wglCreateContext = nullptr;
volatile LONG g_deviceReported = 0;

void ReportDevice() {
  if (InterlockedExchange(&g_deviceReported, 1) == 0) PostAppReport(ThisProcessReport(true));
}

HRESULT WINAPI CreateDevice8(void* self, UINT adapter, UINT type, HWND window, DWORD flags, void* parameters,
                             void** device) {
  const HRESULT result =
      reinterpret_cast<CreateDevice>(g_createDevice8)(self, adapter, type, window, flags, parameters, device);
  if (SUCCEEDED(result)) ReportDevice();
  return result;
}

HRESULT WINAPI CreateDevice9(void* self, UINT adapter, UINT type, HWND window, DWORD flags, void* parameters,
                             void** device) {
  const HRESULT result =
      reinterpret_cast<CreateDevice>(g_createDevice9)(self, adapter, type, window, flags, parameters, device);
  if (SUCCEEDED(result)) ReportDevice();
  return result;
}

struct MethodPatch {
  void* object;
  int index;
  void* replacement;
  void* volatile* original;
};

// Redirects one method of the object's interface table. All objects of a library share the
// table, so this happens once; a table whose method differs from the one kept (another
// library's object) is left alone rather than sent to the wrong code.
void PatchMethod(void* data) {
  const MethodPatch& patch = *static_cast<MethodPatch*>(data);
  void** table = *static_cast<void***>(patch.object);
  void** slot = &table[patch.index];
  void* current = *slot;
  if (current == patch.replacement) return;
  void* kept = InterlockedCompareExchangePointer(const_cast<void**>(patch.original), current, nullptr);
  if (kept != nullptr && kept != current) return;
  WriteSlot(slot, patch.replacement);
}

void* Watch(void* object, int index, void* replacement, void* volatile* original) {
  if (object) {
    MethodPatch patch{object, index, replacement, original};
    platform::CallGuarded(PatchMethod, &patch);
  }
  return object;
}

void* WINAPI Direct3DCreate8(UINT version) {
  return Watch(reinterpret_cast<Direct3DCreate>(g_direct3DCreate8)(version), kCreateDevice8,
               reinterpret_cast<void*>(&CreateDevice8), &g_createDevice8);
}

void* WINAPI Direct3DCreate9(UINT version) {
  return Watch(reinterpret_cast<Direct3DCreate>(g_direct3DCreate9)(version), kCreateDevice9,
               reinterpret_cast<void*>(&CreateDevice9), &g_createDevice9);
}

HGLRC WINAPI WglCreateContext(HDC dc) {
  const HGLRC context = reinterpret_cast<CreateContext>(g_wglCreateContext)(dc);
  if (context) ReportDevice();
  return context;
}

}  // namespace

const ImportHook kDeviceHooks[] = {
    {"d3d8.dll", "Direct3DCreate8", reinterpret_cast<void*>(&Direct3DCreate8), &g_direct3DCreate8},
    {"d3d9.dll", "Direct3DCreate9", reinterpret_cast<void*>(&Direct3DCreate9), &g_direct3DCreate9},
    {"opengl32.dll", "wglCreateContext", reinterpret_cast<void*>(&WglCreateContext), &g_wglCreateContext},
};
const size_t kDeviceHookCount = sizeof kDeviceHooks / sizeof kDeviceHooks[0];

}  // namespace corvane::outside
