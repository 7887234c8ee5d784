#include "platform/io_bounds/io_bounds.h"

namespace corvane::io_bounds {
namespace {

constexpr uint64_t kFourGigabytes = 0x100000000ull;
constexpr uint32_t kPortSpaceEnd = 0x10000;
constexpr uint32_t kConfigPortsEnd = kConfigDataPort + 4;
constexpr uint8_t kFirstBar = 0x10;
constexpr uint8_t kLastBarEnd = 0x28;  // six BARs in a type 0 header
constexpr uint32_t kConfigEnable = 0x80000000u;

bool Inside(AddressRange outer, uint64_t base, uint64_t length) {
  return base >= outer.base && base + length <= outer.base + outer.length;
}

bool Overlaps(AddressRange a, uint64_t base, uint64_t length) {
  return base < a.base + a.length && a.base < base + length;
}

uint32_t LowestSetBit(uint32_t value) { return value & (~value + 1); }

uint8_t ClassOf(PciConfigSource& config, PciFunction at) {
  return static_cast<uint8_t>(config.ReadConfig32(at, 0x08) >> 24);
}

uint8_t HeaderTypeOf(PciConfigSource& config, PciFunction at) {
  return static_cast<uint8_t>(config.ReadConfig32(at, 0x0C) >> 16);
}

bool Present(PciConfigSource& config, PciFunction at) {
  const uint16_t vendor = static_cast<uint16_t>(config.ReadConfig32(at, 0x00));
  return vendor != 0xFFFF && vendor != 0x0000;
}

bool IsDisplayFunction(PciConfigSource& config, PciFunction at) {
  return ClassOf(config, at) == kDisplayClass && (HeaderTypeOf(config, at) & 0x7F) == 0;
}

// Adds the window of the BAR at `reg`; gives the register of the next BAR.
uint8_t AddBar(PciConfigSource& config, PciFunction at, uint8_t reg, DeviceWindows& windows) {
  const uint32_t bar = config.ReadConfig32(at, reg);
  if (bar & 1) {
    // I/O: the upper 16 bits of the size mask may be wired to 0.
    const uint32_t base = bar & 0xFFFFFFFCu;
    const uint32_t mask = (config.BarSizeMask(at, reg) & 0xFFFCu) | 0xFFFF0000u;
    const uint32_t size = LowestSetBit(mask);
    if (base != 0 && size < kPortSpaceEnd && base < kPortSpaceEnd) windows.AddPorts({base, size});
    return static_cast<uint8_t>(reg + 4);
  }
  const bool wide = ((bar >> 1) & 3) == 2;
  const uint8_t next = static_cast<uint8_t>(reg + (wide ? 8 : 4));
  if (wide && (reg + 4 >= kLastBarEnd || config.ReadConfig32(at, static_cast<uint8_t>(reg + 4)) != 0)) return next;
  const uint32_t base = bar & 0xFFFFFFF0u;
  const uint32_t size = LowestSetBit(config.BarSizeMask(at, reg) & 0xFFFFFFF0u);
  if (base != 0 && size != 0 && uint64_t{base} + size <= kFourGigabytes) windows.AddMemory({base, size});
  return next;
}

void AddFunction(PciConfigSource& config, PciFunction at, DeviceWindows& windows) {
  if (!Present(config, at) || !IsDisplayFunction(config, at)) return;
  for (uint8_t reg = kFirstBar; reg < kLastBarEnd;) reg = AddBar(config, at, reg, windows);
}

bool IsConfigPort(uint32_t port) { return port >= kConfigAddressPort && port < kConfigPortsEnd; }

bool ConfigPortAllowed(uint32_t port, unsigned width) {
  // 0xCF8-0xCFB as anything but one dword is another chipset register (0xCF9 resets
  // the machine on many boards).
  if (port < kConfigDataPort) return port == kConfigAddressPort && width == 4;
  return port + width <= kConfigPortsEnd;
}

}  // namespace

void DeviceWindows::AddMemory(AddressRange range) {
  if (memoryCount_ < kCapacity) memory_[memoryCount_++] = range;
}

void DeviceWindows::AddPorts(AddressRange range) {
  if (portCount_ < kCapacity) ports_[portCount_++] = range;
}

void FindDisplayWindows(PciConfigSource& config, DeviceWindows& windows) {
  windows.Clear();
  for (unsigned bus = 0; bus < 256; ++bus) {
    for (uint8_t device = 0; device < 32; ++device) {
      const PciFunction first{static_cast<uint8_t>(bus), device, 0};
      if (!Present(config, first)) continue;
      const uint8_t functions = (HeaderTypeOf(config, first) & 0x80) ? 8 : 1;
      for (uint8_t function = 0; function < functions; ++function)
        AddFunction(config, {static_cast<uint8_t>(bus), device, function}, windows);
    }
  }
}

AddressRange ViewRange(uint32_t physical, uint32_t length) {
  const uint64_t first = physical & ~(kViewGranularity - 1);
  const uint64_t end = (uint64_t{physical} + length + kPageSize - 1) & ~(kPageSize - 1);
  return {first, end - first};
}

bool MappingAllowed(const DeviceWindows& windows, const AddressRange* ram, unsigned ramCount, uint32_t physicalLow,
                    uint32_t physicalHigh, uint32_t length) {
  if (physicalHigh != 0 || length == 0) return false;
  const uint64_t base = physicalLow;
  if (base + length > kFourGigabytes) return false;
  if (Inside(kVideoBiosWindow, base, length)) return true;
  for (unsigned i = 0; i < ramCount; ++i)
    if (Overlaps(ram[i], base, length)) return false;
  for (unsigned i = 0; i < windows.MemoryCount(); ++i)
    if (Inside(windows.Memory(i), base, length)) return true;
  return false;
}

bool PortAllowed(const DeviceWindows& windows, uint32_t port, unsigned width) {
  if (width != 1 && width != 2 && width != 4) return false;
  if (port >= kPortSpaceEnd || port % width != 0) return false;
  if (IsConfigPort(port)) return ConfigPortAllowed(port, width);
  for (unsigned i = 0; i < windows.PortCount(); ++i)
    if (Inside(windows.Ports(i), port, width)) return true;
  return false;
}

bool ConfigDataWriteAllowed(PciConfigSource& config, uint32_t configAddress, uint32_t port, unsigned width) {
  if (!(configAddress & kConfigEnable)) return true;  // the write reaches no function
  const uint32_t first = (configAddress & 0xFC) + (port - kConfigDataPort);
  if (!Overlaps({kFirstBar, kLastBarEnd - kFirstBar}, first, width)) return true;
  const PciFunction at{static_cast<uint8_t>(configAddress >> 16), static_cast<uint8_t>((configAddress >> 11) & 0x1F),
                       static_cast<uint8_t>((configAddress >> 8) & 0x07)};
  return !(Present(config, at) && IsDisplayFunction(config, at));
}

Refusal CheckRequest(const IoRequest& request, const MachineState& machine, DeviceWindows& scratch) {
  switch (request.kind) {
    case RequestKind::Unmap:
      return Refusal::None;
    case RequestKind::Map:
      // Cheap refusals first: a scan reads the whole bus.
      if (request.physicalHigh != 0 || request.length == 0 ||
          uint64_t{request.physicalLow} + request.length > kFourGigabytes)
        return Refusal::OutOfBounds;
    {
      FindDisplayWindows(machine.config, scratch);
      // The view holds the asked-for range, so an allowed view allows the request.
      const AddressRange view = ViewRange(request.physicalLow, request.length);
      return view.length <= 0xFFFFFFFFu &&
                     MappingAllowed(scratch, machine.ram, machine.ramCount, static_cast<uint32_t>(view.base), 0,
                                    static_cast<uint32_t>(view.length))
                 ? Refusal::None
                 : Refusal::OutOfBounds;
    }
    case RequestKind::PortRead:
    case RequestKind::PortWrite:
      break;
  }
  if (request.port < kPortSpaceEnd && IsConfigPort(request.port)) {
    scratch.Clear();
    if (!PortAllowed(scratch, request.port, request.width)) return Refusal::OutOfBounds;
    if (request.kind == RequestKind::PortWrite && request.port >= kConfigDataPort &&
        !ConfigDataWriteAllowed(machine.config, machine.configAddress, request.port, request.width))
      return Refusal::OutOfBounds;
    return Refusal::None;
  }
  if (request.port >= kPortSpaceEnd || request.port % request.width != 0) return Refusal::OutOfBounds;
  FindDisplayWindows(machine.config, scratch);
  return PortAllowed(scratch, request.port, request.width) ? Refusal::None : Refusal::OutOfBounds;
}

}  // namespace corvane::io_bounds
