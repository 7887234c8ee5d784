#include "outside/driver/hal_pci_config.h"

#include "outside/driver/kernel.h"

namespace corvane::driver {
namespace {

constexpr uint8_t kCommandRegister = 0x04;
constexpr uint16_t kDecodeEnables = 0x0003;  // I/O space, memory space

ULONG SlotOf(io_bounds::PciFunction at) {
  PCI_SLOT_NUMBER slot;
  slot.u.AsULONG = 0;
  slot.u.bits.DeviceNumber = at.device;
  slot.u.bits.FunctionNumber = at.function;
  return slot.u.AsULONG;
}

// False when the bus or function is not there.
bool Read(io_bounds::PciFunction at, uint8_t reg, void* value, ULONG length) {
  return HalGetBusDataByOffset(PCIConfiguration, at.bus, SlotOf(at), value, reg, length) == length;
}

void Write(io_bounds::PciFunction at, uint8_t reg, void* value, ULONG length) {
  HalSetBusDataByOffset(PCIConfiguration, at.bus, SlotOf(at), value, reg, length);
}

}  // namespace

uint32_t HalPciConfig::ReadConfig32(io_bounds::PciFunction at, uint8_t reg) {
  ULONG value = 0;
  return Read(at, reg, &value, sizeof value) ? value : 0xFFFFFFFFu;
}

uint32_t HalPciConfig::BarSizeMask(io_bounds::PciFunction at, uint8_t reg) {
  const uint32_t id = ReadConfig32(at, 0x00);
  for (unsigned i = 0; i < knownCount_; ++i) {
    const KnownMask& k = known_[i];
    if (k.at.bus == at.bus && k.at.device == at.device && k.at.function == at.function && k.reg == reg && k.id == id)
      return k.mask;
  }
  const uint32_t mask = ProbeBar(at, reg);
  if (knownCount_ < kKnownCapacity) known_[knownCount_++] = {at, id, reg, mask};
  return mask;
}

uint32_t HalPciConfig::ProbeBar(io_bounds::PciFunction at, uint8_t reg) {
  USHORT command = 0;
  ULONG original = 0;
  if (!Read(at, kCommandRegister, &command, sizeof command) || !Read(at, reg, &original, sizeof original)) return 0;
  // No thread switch on this processor while the function does not decode.
  KIRQL irql;
  KeRaiseIrql(DISPATCH_LEVEL, &irql);
  USHORT quiet = static_cast<USHORT>(command & ~kDecodeEnables);
  Write(at, kCommandRegister, &quiet, sizeof quiet);
  ULONG probe = 0xFFFFFFFFu;
  Write(at, reg, &probe, sizeof probe);
  ULONG mask = 0;
  Read(at, reg, &mask, sizeof mask);
  Write(at, reg, &original, sizeof original);
  Write(at, kCommandRegister, &command, sizeof command);
  KeLowerIrql(irql);
  return mask;
}

}  // namespace corvane::driver
