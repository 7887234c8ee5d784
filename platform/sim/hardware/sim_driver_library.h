#pragma once
// The simulated driver companion library: its extended-desktop entry point attaches the
// card's second head to the desktop (second argument -1) or detaches it (0), as the real
// library has the driver do.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/driver_escape.h"
#include "platform/sim/hardware/sim_display_devices.h"

namespace corvane::platform::sim {

class SimDriverLibrary final : public DriverLibrary {
 public:
  // The second head is device 1 of `displays`, which must outlive the library.
  explicit SimDriverLibrary(SimDisplayDevices& displays) : displays_(displays) {}

  bool Loaded() const override { return true; }
  bool EnableExtendedDesktop(int32_t first, int32_t second) override;

  const std::vector<std::pair<int32_t, int32_t>>& Calls() const { return calls_; }

 private:
  SimDisplayDevices& displays_;
  std::vector<std::pair<int32_t, int32_t>> calls_;
};

}  // namespace corvane::platform::sim
