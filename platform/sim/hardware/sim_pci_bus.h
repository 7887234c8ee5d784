#pragma once
// A PCI bus answering configuration mechanism 1: the address dword written to port
// 0xCF8 (bit 31 enable, bus in 23-16, device in 15-11, function in 10-8, register in
// 7-2) selects a configuration dword that ports 0xCFC..0xCFF read and write at the byte
// lane given by the port. Functions that are not there read all ones (vendor 0xFFFF).

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace corvane::platform::sim {

struct PciLocation {
  uint8_t bus = 0;
  uint8_t device = 0;  // 0..31
  uint8_t function = 0;  // 0..7
  auto operator<=>(const PciLocation&) const = default;
};

// 256 bytes of one function's configuration space. The Set* calls build it (they ignore
// the write mask); Write8 is what the bus does for a configuration write and changes
// only the bits the write mask allows, as real registers do.
class PciConfigSpace {
 public:
  // Vendor, device, the 24-bit class code (class, subclass, programming interface),
  // revision and header type (bit 7: a multi-function device).
  static PciConfigSpace Make(uint16_t vendorId, uint16_t deviceId, uint32_t classCode, uint8_t revision,
                             uint8_t headerType = 0);

  uint8_t Read8(uint8_t reg) const { return bytes_[reg]; }
  uint16_t Read16(uint8_t reg) const;  // little-endian; `reg` + 1 wraps inside the 256 bytes
  uint32_t Read32(uint8_t reg) const;

  void Set8(uint8_t reg, uint8_t value) { bytes_[reg] = value; }
  void Set16(uint8_t reg, uint16_t value);
  void Set32(uint8_t reg, uint32_t value);
  void SetWritable8(uint8_t reg, uint8_t mask) { writable_[reg] = mask; }
  void SetWritable16(uint8_t reg, uint16_t mask);
  void SetWritable32(uint8_t reg, uint32_t mask);

  void Write8(uint8_t reg, uint8_t value) {
    bytes_[reg] = static_cast<uint8_t>((bytes_[reg] & ~writable_[reg]) | (value & writable_[reg]));
  }

  uint16_t VendorId() const { return Read16(0x00); }
  uint16_t DeviceId() const { return Read16(0x02); }

 private:
  uint8_t bytes_[256] = {};
  uint8_t writable_[256] = {};
};

struct ConfigWrite {
  PciLocation location;
  uint8_t reg = 0;  // of the first byte written
  unsigned width = 0;
  uint32_t value = 0;
};

class SimPciBus {
 public:
  static constexpr uint16_t kConfigAddressPort = 0xCF8;
  static constexpr uint16_t kConfigDataPort = 0xCFC;

  // Replaces whatever was at `location`.
  void Add(PciLocation location, const PciConfigSpace& function);
  void Remove(PciLocation location);
  PciConfigSpace* Find(PciLocation location);
  const PciConfigSpace* Find(PciLocation location) const;

  // True for the eight ports 0xCF8..0xCFF.
  static bool IsConfigPort(uint16_t port) { return port >= kConfigAddressPort && port <= kConfigDataPort + 3; }
  // `width` 1, 2 or 4. Only a dword access at 0xCF8 reaches the address register (a
  // narrower one is another chipset register: reads all ones, writes ignored). Bytes of
  // an access that run past 0xCFF read all ones and write nothing; a data access
  // without the enable bit, or at an absent function, reads all ones and writes nothing.
  uint32_t PortRead(uint16_t port, unsigned width);
  void PortWrite(uint16_t port, unsigned width, uint32_t value);

  uint32_t ConfigAddress() const { return address_; }
  // Every configuration write that reached a present function.
  const std::vector<ConfigWrite>& ConfigWrites() const { return configWrites_; }
  void ClearConfigWrites() { configWrites_.clear(); }

 private:
  std::optional<PciLocation> SelectedLocation() const;

  std::map<PciLocation, PciConfigSpace> functions_;
  uint32_t address_ = 0;
  std::vector<ConfigWrite> configWrites_;
};

}  // namespace corvane::platform::sim
