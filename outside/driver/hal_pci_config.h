#pragma once
// PCI configuration space through the HAL, which serialises it with the system's own
// configuration accesses. A BAR's size mask is learnt once per function and BAR: the
// probe (all ones written, read back, the BAR restored) runs with the function's
// decoding switched off, so nothing answers at the probe address meanwhile.

#include <stdint.h>

#include "platform/io_bounds/io_bounds.h"

namespace corvane::driver {

class HalPciConfig final : public io_bounds::PciConfigSource {
 public:
  uint32_t ReadConfig32(io_bounds::PciFunction at, uint8_t reg) override;
  uint32_t BarSizeMask(io_bounds::PciFunction at, uint8_t reg) override;

 private:
  struct KnownMask {
    io_bounds::PciFunction at;
    uint32_t id;  // vendor and device: another card in the slot is probed afresh
    uint8_t reg;
    uint32_t mask;
  };
  static constexpr unsigned kKnownCapacity = 64;

  uint32_t ProbeBar(io_bounds::PciFunction at, uint8_t reg);

  KnownMask known_[kKnownCapacity] = {};
  unsigned knownCount_ = 0;
};

}  // namespace corvane::driver
