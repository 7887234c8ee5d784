#pragma once
// The hotkey table as kbdhook reads it from the program's keys key, and a watcher that
// flags every change to that key so the hook picks up an edited table without a restart.

#include <windows.h>

#include <atomic>

#include "outside/hook_logic/key_filter.h"
#include "outside/hook_shell/handles.h"

namespace corvane::outside {

// The stored table; an empty one when the key cannot be read.
KeyTable ReadStoredKeyTable();

class KeyTableWatcher {
 public:
  // Starts watching; `changed` is set whenever the key or its values change.
  explicit KeyTableWatcher(std::atomic<bool>& changed);
  KeyTableWatcher(const KeyTableWatcher&) = delete;
  KeyTableWatcher& operator=(const KeyTableWatcher&) = delete;
  ~KeyTableWatcher();

 private:
  static DWORD WINAPI Run(void* self);
  void Watch();

  std::atomic<bool>& changed_;
  UniqueKey key_;
  UniqueHandle notified_;
  UniqueHandle stop_;
  UniqueHandle thread_;
};

}  // namespace corvane::outside
