#pragma once
// The service pointer handed to plug-ins. The binary interface gives it no context
// argument, so the host that serves it is registered here for as long as it lives: the
// main form makes one entry at start-up and drops it at its end. This is the program's
// one piece of process-wide state; a second entry while one lives is a programming error.

#include "plugins/host/host_service.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::plugins {

class HostServiceEntry {
 public:
  // Throws std::logic_error when another entry is registered.
  explicit HostServiceEntry(HostServiceContext context);
  ~HostServiceEntry();
  HostServiceEntry(const HostServiceEntry&) = delete;
  HostServiceEntry& operator=(const HostServiceEntry&) = delete;

  // Valid while this entry lives; afterwards every call does nothing.
  static HostService Pointer();
  // What the calls act on; the main form forgets the card here when it frees it.
  HostServiceContext& Context() { return context_; }

 private:
  HostServiceContext context_;
};

}  // namespace corvane::plugins
