#include "platform/sim/hardware/sim_driver_library.h"

namespace corvane::platform::sim {

namespace {
constexpr uint32_t kSecondHead = 1;
}

bool SimDriverLibrary::EnableExtendedDesktop(int32_t first, int32_t second) {
  calls_.emplace_back(first, second);
  displays_.SetAttached(kSecondHead, second != 0);
  return true;
}

}  // namespace corvane::platform::sim
