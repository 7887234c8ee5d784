#include "platform/sim/hardware/sim_pci_config_source.h"

namespace corvane::platform::sim {
namespace {

PciLocation Location(io_bounds::PciFunction at) { return {at.bus, at.device, at.function}; }

}  // namespace

uint32_t SimPciConfigSource::ReadConfig32(io_bounds::PciFunction at, uint8_t reg) {
  const PciConfigSpace* function = bus_.Find(Location(at));
  return function ? function->Read32(static_cast<uint8_t>(reg & 0xFC)) : 0xFFFFFFFFu;
}

uint32_t SimPciConfigSource::BarSizeMask(io_bounds::PciFunction at, uint8_t reg) {
  const PciConfigSpace* function = bus_.Find(Location(at));
  if (!function) return 0xFFFFFFFFu;
  PciConfigSpace sized = *function;
  for (uint8_t i = 0; i < 4; ++i) sized.Write8(static_cast<uint8_t>((reg & 0xFC) + i), 0xFF);
  return sized.Read32(static_cast<uint8_t>(reg & 0xFC));
}

}  // namespace corvane::platform::sim
