#pragma once
// TRVX on a simulated machine, for the hardware tests.

#include <memory>

#include "hardware/rvx.h"
#include "platform/sim/hardware/sim_machine.h"

namespace corvane::hardware::testing {

namespace sim = platform::sim;

inline std::unique_ptr<TRVX> MakeRvx(sim::SimMachine& machine, uint16_t vendorId = 0, uint16_t deviceId = 0) {
  return std::make_unique<TRVX>(machine.Kernel(), machine.Registers(), L"C:\\Program Files\\Corvane", false,
                                vendorId, deviceId);
}

inline sim::MachineOptions Scenario(sim::ServiceScenario scenario) {
  sim::MachineOptions options;
  options.scenario = scenario;
  return options;
}

}  // namespace corvane::hardware::testing
