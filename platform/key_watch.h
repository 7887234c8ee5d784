#pragma once
// What was read under a key stays good until the key or anything below it changes: a
// KeyWatch says when to read again. A registry that cannot watch gives no watch, and then
// every look counts as a change, so the caller simply reads every time.

#include <memory>
#include <string>

#include "platform/registry.h"

namespace corvane::platform {

class KeyWatch {
 public:
  KeyWatch() = default;
  KeyWatch(Registry& registry, RegistryRoot root, const std::wstring& path) : watch_(registry.WatchKey(root, path)) {}

  // True on the first look, after any change since the previous look, and always without
  // a watch. Looking costs no registry call.
  bool Changed() { return !watch_ || watch_->Changed(); }

 private:
  std::unique_ptr<RegistryWatch> watch_;
};

}  // namespace corvane::platform
