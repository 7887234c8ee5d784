#include "outside/hook_shell/import_patch.h"

#include <tlhelp32.h>

#include "outside/hook_shell/handles.h"
#include "platform/win32/seh_guard.h"

namespace corvane::outside {
namespace {

struct PatchJob {
  HMODULE module;
  const ImportHook* hooks;
  size_t count;
  int patched;
};

void PatchHook(PatchJob& job, const ImportHook& hook, void** slot) {
  void* current = *slot;
  if (current == hook.replacement) return;
  HMODULE exporter = GetModuleHandleA(hook.dll);
  void* exported = exporter ? reinterpret_cast<void*>(GetProcAddress(exporter, hook.function)) : nullptr;
  // The first slot gives the original; a slot somebody else redirected is preferred.
  if (*hook.original == nullptr || (current != exported && *hook.original == exported))
    InterlockedExchangePointer(const_cast<void**>(hook.original), current);
  if (WriteSlot(slot, hook.replacement)) ++job.patched;
}

void PatchModule(void* data) {
  PatchJob& job = *static_cast<PatchJob*>(data);
  auto* base = reinterpret_cast<BYTE*>(job.module);
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return;
  const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0 || directory.Size == 0) return;
  for (auto* import = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); import->Name;
       ++import) {
    const char* dllName = reinterpret_cast<const char*>(base + import->Name);
    // Without the name table (a bound image stripped of it) the slots cannot be told apart.
    if (import->OriginalFirstThunk == 0 || import->FirstThunk == 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->OriginalFirstThunk);
    auto* slots = reinterpret_cast<void**>(base + import->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const char* function = reinterpret_cast<const char*>(
          reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name);
      for (size_t i = 0; i < job.count; ++i)
        if (lstrcmpiA(dllName, job.hooks[i].dll) == 0 && lstrcmpA(function, job.hooks[i].function) == 0)
          PatchHook(job, job.hooks[i], slots);
    }
  }
}

}  // namespace

bool WriteSlot(void** slot, void* value) {
  DWORD previous = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous)) return false;
  InterlockedExchangePointer(slot, value);
  DWORD ignored = 0;
  VirtualProtect(slot, sizeof *slot, previous, &ignored);
  return true;
}

void PatchOnHookCall(int hookCode, WPARAM, LPARAM lParam, HMODULE self, const ImportHook* hooks, size_t count) {
  // Scans of the module list cost a millisecond or so; a program creating windows all day
  // pays for a few of them only.
  constexpr LONG kMostScans = 8;
  static volatile LONG scans = 0;
  static volatile LONG pinned = 0;
  if (scans >= kMostScans) return;
  const bool first = scans == 0;
  if (!first) {
    if (hookCode != HCBT_CREATEWND) return;
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (!create || !create->lpcs || (create->lpcs->style & WS_CHILD)) return;
  }
  if (InterlockedIncrement(&scans) > kMostScans) return;
  if (InterlockedExchange(&pinned, 1) == 0) PinModule(self);
  PatchLoadedModules(self, hooks, count);
}

int PatchLoadedModules(HMODULE self, const ImportHook* hooks, size_t count) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0));
  if (!snapshot) return 0;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int patched = 0;
  for (BOOL more = Module32FirstW(snapshot.get(), &entry); more; more = Module32NextW(snapshot.get(), &entry)) {
    if (entry.hModule == self) continue;
    PatchJob job{entry.hModule, hooks, count, 0};
    platform::CallGuarded(PatchModule, &job);
    patched += job.patched;
  }
  return patched;
}

void PinModule(HMODULE self) {
  HMODULE pinned = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(self), &pinned);
}

HMODULE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(address), &module);
  return module;
}

}  // namespace corvane::outside
