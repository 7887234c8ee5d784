#pragma once
// The three hook libraries the program switches on and off: "rovhook.dll" (refresh-rate
// override), "raphook.dll" (application starts and 3D devices), "kbdhook.dll" (keyboard).
// A library that did not load, or an entry it lacks, is simply skipped.

#include <memory>

#include "platform/hook_libraries.h"

namespace corvane::monitors {

enum class Hook { RefreshRate, Application, Keyboard };

class HookLibrarySet {
 public:
  // Nothing loaded yet: every call is skipped.
  HookLibrarySet() = default;
  ~HookLibrarySet();
  HookLibrarySet(const HookLibrarySet&) = delete;
  HookLibrarySet& operator=(const HookLibrarySet&) = delete;

  // Loads the three libraries and looks up their two entries each.
  void LoadHookLibraries(platform::HookLibraries& libraries);
  // Forgets the entries and unloads the libraries.
  void FreeHookLibraries();

  void Install(Hook hook);
  void Uninstall(Hook hook);

 private:
  struct Loaded {
    std::unique_ptr<platform::HookLibrary> library;
    platform::HookEntry install;
    platform::HookEntry uninstall;
  };
  static constexpr size_t kHooks = 3;
  Loaded loaded_[kHooks];
};

}  // namespace corvane::monitors
