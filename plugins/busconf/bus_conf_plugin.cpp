#include "plugins/busconf/bus_conf_plugin.h"

#include "plugins/busconf/bus_settings.h"

namespace corvane::busconf {

void BusConfPlugin::Exec(platform::WindowHandle owner, HostService service) {
  if (started_) return;
  owner_ = owner;
  service_ = service;
  started_ = true;
  ApplySettings(registry_, service_);
}

void BusConfPlugin::SuspendRestore() {
  // Before a start there is no service to apply through.
  if (started_) ApplySettings(registry_, service_);
}

}  // namespace corvane::busconf
