#pragma once
// busconf's life in the host: started once per process (a later exec_plugin, also after
// done_plugin, applies nothing), its settings applied at that start and after every resume.

#include "platform/registry.h"
#include "platform/window_handle.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::busconf {

class BusConfPlugin {
 public:
  explicit BusConfPlugin(platform::Registry& registry) : registry_(registry) {}

  void Exec(platform::WindowHandle owner, HostService service);
  void Done() {}
  void SuspendRestore();

  bool Started() const { return started_; }
  // The window the list dialog belongs to: the one exec_plugin was given.
  platform::WindowHandle Owner() const { return owner_; }

 private:
  platform::Registry& registry_;
  platform::WindowHandle owner_ = 0;
  HostService service_ = nullptr;
  bool started_ = false;
};

}  // namespace corvane::busconf
