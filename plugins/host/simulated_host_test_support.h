#pragma once
// The host service as a plug-in gets it, serving a simulated machine: for tests of the
// plug-ins that reach the PCI bus through it.

#include <memory>

#include "hardware/rvx_test_support.h"
#include "plugins/host/host_service_entry.h"

namespace corvane::plugins::testing {

struct SimulatedHost {
  platform::sim::SimMachine machine;
  std::unique_ptr<hardware::TRVX> rvx = hardware::testing::MakeRvx(machine);
  HostServiceEntry entry{HostServiceContext{rvx.get(), nullptr, 0, ""}};
  HostService service = HostServiceEntry::Pointer();
};

}  // namespace corvane::plugins::testing
