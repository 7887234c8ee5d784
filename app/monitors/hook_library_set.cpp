#include "app/monitors/hook_library_set.h"

namespace corvane::monitors {
namespace {

struct HookNames {
  const wchar_t* file;
  const char* install;
  const char* uninstall;
};

// In the order of enum Hook.
constexpr HookNames kHookNames[] = {
    {L"rovhook.dll", "InstallROVHook", "UninstallROVHook"},
    {L"raphook.dll", "InstallAPPHook", "UninstallAPPHook"},
    {L"kbdhook.dll", "InstallKBDHook", "UninstallKBDHook"},
};

void Call(const platform::HookEntry& entry) {
  if (entry) entry();
}

}  // namespace

HookLibrarySet::~HookLibrarySet() { FreeHookLibraries(); }

void HookLibrarySet::LoadHookLibraries(platform::HookLibraries& libraries) {
  FreeHookLibraries();
  for (size_t i = 0; i < kHooks; ++i) {
    Loaded& hook = loaded_[i];
    hook.library = libraries.Load(kHookNames[i].file);
    if (!hook.library) continue;
    hook.install = hook.library->Entry(kHookNames[i].install);
    hook.uninstall = hook.library->Entry(kHookNames[i].uninstall);
  }
}

void HookLibrarySet::FreeHookLibraries() {
  for (Loaded& hook : loaded_) {
    // The entries point into the library: they go first.
    hook.install = nullptr;
    hook.uninstall = nullptr;
    hook.library.reset();
  }
}

void HookLibrarySet::Install(Hook hook) { Call(loaded_[static_cast<size_t>(hook)].install); }

void HookLibrarySet::Uninstall(Hook hook) { Call(loaded_[static_cast<size_t>(hook)].uninstall); }

}  // namespace corvane::monitors
