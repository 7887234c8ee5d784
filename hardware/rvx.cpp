#include "hardware/rvx.h"

#include "hardware/chip_table.h"

namespace corvane::hardware {
namespace {

using platform::kInvalidDevice;
using platform::kNoHandle;

constexpr uint32_t kDriverDeviceType = 0x8000;
constexpr uint32_t kFirstDriverFunction = 0x800;
constexpr uint32_t kAnyAccess = 0;
constexpr uint32_t kMethodBuffered = 0;

constexpr uint16_t kPciAddressPort = 0xCF8;
constexpr uint16_t kPciDataPort = 0xCFC;
constexpr uint32_t kPciEnable = 0x80000000;

void PutU32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

}  // namespace

TRVX::TRVX(platform::KernelIo& io, platform::CardRegisters& memory, std::wstring programFolder, bool /*ignored*/,
           uint16_t vendorId, uint16_t deviceId)
    : VendorId(vendorId), DeviceId(deviceId), io_(io), memory_(memory), programFolder_(std::move(programFolder)) {
  for (uint32_t slot = 0; slot < IoctlCodes.size(); ++slot) {
    IoctlCodes[slot] = MakeIoctlCode(kDriverDeviceType, kFirstDriverFunction + slot, kAnyAccess, kMethodBuffered);
  }
  DriverOpen = InstallDriver();
  // A service left over without its device object was removed by the first attempt;
  // the second one installs it afresh.
  if (DeviceHandle == kInvalidDevice) {
    CloseDriver();
    DriverOpen = InstallDriver();
  }
  if (DriverOpen) {
    FindCard();
    MapCardMemory();
    ReadClocks();
  }
}

TRVX::~TRVX() {
  UnmapWindow(frameBuffer_);
  UnmapWindow(regs_);
  UnmapWindow(bios_);
  CloseDriver();
}

void TRVX::UnmapWindow(MappedWindow& window) {
  if (window.IsMapped()) UnmapPhysical(window.Address());
  window = MappedWindow();
}

bool TRVX::DeviceIsOpen() const { return DeviceHandle != kNoHandle && DeviceHandle != kInvalidDevice; }

bool TRVX::Control(IoctlSlot slot, std::span<const uint8_t> input, std::span<uint8_t> output) {
  // Without a device every call would fail anyway (as on Windows 9x, where the handle
  // stays 0); not making it keeps a driverless start quiet and quick.
  if (!DeviceIsOpen()) return false;
  uint32_t bytesReturned = 0;
  return io_.DeviceControl(DeviceHandle, IoctlCodes[slot], input, output, bytesReturned);
}

uint32_t TRVX::PortRead(IoctlSlot slot, uint16_t port) {
  std::array<uint8_t, 8> request{};
  std::array<uint8_t, 8> reply{};
  PutU32(request.data(), port);
  if (!Control(slot, request, reply)) return 0;
  return GetU32(reply.data() + 4);
}

uint32_t TRVX::PortWrite(IoctlSlot slot, uint16_t port, uint32_t value) {
  std::array<uint8_t, 8> request{};
  std::array<uint8_t, 8> reply{};
  PutU32(request.data(), port);
  PutU32(request.data() + 4, value);
  if (!Control(slot, request, reply)) return 0;
  return GetU32(reply.data() + 4);
}

uint8_t TRVX::PortRead8(uint16_t port) { return static_cast<uint8_t>(PortRead(kIoctlReadPort8, port)); }
uint16_t TRVX::PortRead16(uint16_t port) { return static_cast<uint16_t>(PortRead(kIoctlReadPort16, port)); }
uint32_t TRVX::PortRead32(uint16_t port) { return PortRead(kIoctlReadPort32, port); }

uint8_t TRVX::PortWrite8(uint16_t port, uint8_t value) {
  return static_cast<uint8_t>(PortWrite(kIoctlWritePort8, port, value));
}
uint16_t TRVX::PortWrite16(uint16_t port, uint16_t value) {
  return static_cast<uint16_t>(PortWrite(kIoctlWritePort16, port, value));
}
uint32_t TRVX::PortWrite32(uint16_t port, uint32_t value) { return PortWrite(kIoctlWritePort32, port, value); }

uintptr_t TRVX::MapPhysical(uint32_t address, uint32_t length) {
  // Low and high halves of the physical address, the length, and four bytes the
  // driver does not read.
  std::array<uint8_t, 16> request{};
  std::array<uint8_t, 4> reply{};
  PutU32(request.data(), address);
  PutU32(request.data() + 8, length);
  if (!Control(kIoctlMapPhysical, request, reply)) return 0;
  return GetU32(reply.data());
}

bool TRVX::UnmapPhysical(uintptr_t address) {
  std::array<uint8_t, 4> request{};
  PutU32(request.data(), static_cast<uint32_t>(address));
  return Control(kIoctlUnmapPhysical, request, {});
}

uint32_t TRVX::PciAddress(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg) {
  const uint32_t deviceFunction = (uint32_t{device} << 3 | function) & 0xFF;
  return kPciEnable | uint32_t{bus} << 16 | deviceFunction << 8 | (reg & 0xFC);
}

uint16_t TRVX::PciDataPort(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg) {
  PortWrite32(kPciAddressPort, PciAddress(bus, device, function, reg));
  return static_cast<uint16_t>(kPciDataPort + (reg & 3));
}

uint8_t TRVX::PciRead8(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg) {
  return PortRead8(PciDataPort(bus, device, function, reg));
}
uint16_t TRVX::PciRead16(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg) {
  return PortRead16(PciDataPort(bus, device, function, reg));
}
uint32_t TRVX::PciRead32(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg) {
  return PortRead32(PciDataPort(bus, device, function, reg));
}
void TRVX::PciWrite8(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg, uint8_t value) {
  PortWrite8(PciDataPort(bus, device, function, reg), value);
}
void TRVX::PciWrite16(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg, uint16_t value) {
  PortWrite16(PciDataPort(bus, device, function, reg), value);
}
void TRVX::PciWrite32(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg, uint32_t value) {
  PortWrite32(PciDataPort(bus, device, function, reg), value);
}

// The location is stored as 16-bit fields; PCI itself only has 8 bits for each.
uint8_t TRVX::CardConfigRead8(uint16_t reg) {
  return PciRead8(static_cast<uint8_t>(Bus), static_cast<uint8_t>(Device), static_cast<uint8_t>(Function), reg);
}
uint16_t TRVX::CardConfigRead16(uint16_t reg) {
  return PciRead16(static_cast<uint8_t>(Bus), static_cast<uint8_t>(Device), static_cast<uint8_t>(Function), reg);
}
uint32_t TRVX::CardConfigRead32(uint16_t reg) {
  return PciRead32(static_cast<uint8_t>(Bus), static_cast<uint8_t>(Device), static_cast<uint8_t>(Function), reg);
}

bool TRVX::IsAtomBiosChip(uint16_t deviceId) { return hardware::IsAtomBiosChip(deviceId); }

}  // namespace corvane::hardware
