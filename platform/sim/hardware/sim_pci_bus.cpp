#include "platform/sim/hardware/sim_pci_bus.h"

namespace corvane::platform::sim {

PciConfigSpace PciConfigSpace::Make(uint16_t vendorId, uint16_t deviceId, uint32_t classCode, uint8_t revision,
                                    uint8_t headerType) {
  PciConfigSpace space;
  space.Set16(0x00, vendorId);
  space.Set16(0x02, deviceId);
  space.Set8(0x08, revision);
  space.Set8(0x09, static_cast<uint8_t>(classCode));
  space.Set8(0x0A, static_cast<uint8_t>(classCode >> 8));
  space.Set8(0x0B, static_cast<uint8_t>(classCode >> 16));
  space.Set8(0x0E, headerType);
  // Command (I/O, memory, bus master, ...) and the cache line size are writable on
  // every function; the rest is read-only unless a builder says otherwise.
  space.SetWritable16(0x04, 0x0357);
  space.SetWritable8(0x0C, 0xFF);
  return space;
}

uint16_t PciConfigSpace::Read16(uint8_t reg) const {
  return static_cast<uint16_t>(bytes_[reg] | bytes_[static_cast<uint8_t>(reg + 1)] << 8);
}

uint32_t PciConfigSpace::Read32(uint8_t reg) const {
  return Read16(reg) | uint32_t{Read16(static_cast<uint8_t>(reg + 2))} << 16;
}

void PciConfigSpace::Set16(uint8_t reg, uint16_t value) {
  Set8(reg, static_cast<uint8_t>(value));
  Set8(static_cast<uint8_t>(reg + 1), static_cast<uint8_t>(value >> 8));
}

void PciConfigSpace::Set32(uint8_t reg, uint32_t value) {
  Set16(reg, static_cast<uint16_t>(value));
  Set16(static_cast<uint8_t>(reg + 2), static_cast<uint16_t>(value >> 16));
}

void PciConfigSpace::SetWritable16(uint8_t reg, uint16_t mask) {
  SetWritable8(reg, static_cast<uint8_t>(mask));
  SetWritable8(static_cast<uint8_t>(reg + 1), static_cast<uint8_t>(mask >> 8));
}

void PciConfigSpace::SetWritable32(uint8_t reg, uint32_t mask) {
  SetWritable16(reg, static_cast<uint16_t>(mask));
  SetWritable16(static_cast<uint8_t>(reg + 2), static_cast<uint16_t>(mask >> 16));
}

void SimPciBus::Add(PciLocation location, const PciConfigSpace& function) { functions_[location] = function; }

void SimPciBus::Remove(PciLocation location) { functions_.erase(location); }

PciConfigSpace* SimPciBus::Find(PciLocation location) {
  auto it = functions_.find(location);
  return it == functions_.end() ? nullptr : &it->second;
}

const PciConfigSpace* SimPciBus::Find(PciLocation location) const {
  auto it = functions_.find(location);
  return it == functions_.end() ? nullptr : &it->second;
}

std::optional<PciLocation> SimPciBus::SelectedLocation() const {
  if (!(address_ & 0x80000000u)) return std::nullopt;
  return PciLocation{static_cast<uint8_t>(address_ >> 16), static_cast<uint8_t>((address_ >> 11) & 0x1F),
                     static_cast<uint8_t>((address_ >> 8) & 0x07)};
}

uint32_t SimPciBus::PortRead(uint16_t port, unsigned width) {
  if (port == kConfigAddressPort && width == 4) return address_;
  uint32_t value = 0;
  for (unsigned i = 0; i < width; ++i) {
    uint8_t byte = 0xFF;  // nothing drives the bus
    const unsigned lane = port + i - kConfigDataPort;
    if (port + i >= kConfigDataPort && lane < 4) {
      if (const auto location = SelectedLocation())
        if (const PciConfigSpace* function = Find(*location))
          byte = function->Read8(static_cast<uint8_t>((address_ & 0xFC) + lane));
    }
    value |= uint32_t{byte} << (8 * i);
  }
  return value;
}

void SimPciBus::PortWrite(uint16_t port, unsigned width, uint32_t value) {
  if (port == kConfigAddressPort && width == 4) {
    address_ = value & ~3u;  // the low two bits are hard-wired to 0
    return;
  }
  if (port < kConfigDataPort) return;  // 0xCF9 and friends are other chipset registers
  const auto location = SelectedLocation();
  PciConfigSpace* function = location ? Find(*location) : nullptr;
  if (!function) return;
  const auto firstReg = static_cast<uint8_t>((address_ & 0xFC) + (port - kConfigDataPort));
  configWrites_.push_back({*location, firstReg, width, value});
  for (unsigned i = 0; i < width && port + i - kConfigDataPort < 4; ++i)
    function->Write8(static_cast<uint8_t>(firstReg + i), static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace corvane::platform::sim
