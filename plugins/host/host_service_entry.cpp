#include "plugins/host/host_service_entry.h"

#include <stdexcept>

namespace corvane::plugins {
namespace {

HostServiceEntry*& Registered() {
  static HostServiceEntry* entry = nullptr;
  return entry;
}

void CORVANE_PLUGIN_CALL Serve(uint32_t code, const void* in, void* out) {
  HostServiceEntry* entry = Registered();
  if (!entry) return;
  // Nothing may unwind into the plug-in's frames.
  try {
    ServeHostCall(entry->Context(), code, in, out);
  } catch (...) {
  }
}

}  // namespace

HostServiceEntry::HostServiceEntry(HostServiceContext context) : context_(std::move(context)) {
  if (Registered()) throw std::logic_error("a host service is already registered");
  Registered() = this;
}

HostServiceEntry::~HostServiceEntry() {
  if (Registered() == this) Registered() = nullptr;
}

HostService HostServiceEntry::Pointer() { return &Serve; }

}  // namespace corvane::plugins
