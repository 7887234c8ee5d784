#pragma once
// What the kernel I/O device lets a caller reach, decided the same way by the driver
// and by the simulated machine:
//   - physical memory only inside a memory BAR of a display-class PCI function (and
//     never over system RAM, wherever such a BAR was moved), or inside the video BIOS
//     window 0xC0000-0xDFFFF;
//   - ports only 0xCF8 (the configuration address register, as a dword), 0xCFC-0xCFF
//     (configuration data), and inside an I/O BAR of a display-class function;
//   - no configuration write that would move a display function's BAR, so the memory
//     bound cannot be widened through the configuration ports.
// Every range must lie wholly inside one window; lengths that wrap past 4 GB, empty
// ranges, addresses above 4 GB, ports above 0xFFFF and accesses not aligned to their
// width are refused. The BARs are read afresh for every check, so a BAR that moves
// takes its window with it.
//
// Freestanding like io_request.h: the driver builds this file as it stands.

#include <stdint.h>

#include "platform/io_bounds/io_request.h"

namespace corvane::io_bounds {

struct PciFunction {
  uint8_t bus = 0;
  uint8_t device = 0;    // 0..31
  uint8_t function = 0;  // 0..7
};

// Configuration space as the check reads it.
class PciConfigSource {
 public:
  // The dword at `reg` (a multiple of 4); all ones where no function answers.
  virtual uint32_t ReadConfig32(PciFunction at, uint8_t reg) = 0;
  // What the BAR at `reg` reads back after all ones are written to it (the address
  // bits the function decodes), with the BAR left as it was. A source may remember
  // it: the answer is fixed by the hardware.
  virtual uint32_t BarSizeMask(PciFunction at, uint8_t reg) = 0;

 protected:
  ~PciConfigSource() = default;
};

// [base, base + length)
struct AddressRange {
  uint64_t base = 0;
  uint64_t length = 0;
};

inline constexpr AddressRange kVideoBiosWindow{0xC0000, 0x20000};
inline constexpr uint32_t kConfigAddressPort = 0xCF8;
inline constexpr uint32_t kConfigDataPort = 0xCFC;
inline constexpr uint8_t kDisplayClass = 0x03;

// The windows the display-class functions decode now. Fixed storage: a window that
// does not fit is left out, which only refuses more.
class DeviceWindows {
 public:
  static constexpr unsigned kCapacity = 48;

  void Clear() { memoryCount_ = portCount_ = 0; }
  void AddMemory(AddressRange range);
  void AddPorts(AddressRange range);
  unsigned MemoryCount() const { return memoryCount_; }
  unsigned PortCount() const { return portCount_; }
  const AddressRange& Memory(unsigned i) const { return memory_[i]; }
  const AddressRange& Ports(unsigned i) const { return ports_[i]; }

 private:
  AddressRange memory_[kCapacity];
  AddressRange ports_[kCapacity];
  unsigned memoryCount_ = 0;
  unsigned portCount_ = 0;
};

// Every display-class function on buses 0-255 and the windows its BARs decode. A BAR
// of 0 is unassigned and gives no window; a 64-bit BAR above 4 GB gives none either.
void FindDisplayWindows(PciConfigSource& config, DeviceWindows& windows);

// What the caller knows of the machine for one check.
struct MachineState {
  PciConfigSource& config;
  // The configuration address register (port 0xCF8) as it stands before the request.
  uint32_t configAddress = 0;
  // System RAM; a BAR over it gives no access there.
  const AddressRange* ram = nullptr;
  unsigned ramCount = 0;
};

// The physical range a mapping of [physical, physical + length) really shows: the
// driver maps views of physical memory, which start on the 64 KB allocation granularity
// and end on a page, so the whole view is what must be allowed. `length` is not 0 and
// the range ends at or below 4 GB.
inline constexpr uint64_t kViewGranularity = 0x10000;
inline constexpr uint64_t kPageSize = 0x1000;
AddressRange ViewRange(uint32_t physical, uint32_t length);

bool MappingAllowed(const DeviceWindows& windows, const AddressRange* ram, unsigned ramCount, uint32_t physicalLow,
                    uint32_t physicalHigh, uint32_t length);
bool PortAllowed(const DeviceWindows& windows, uint32_t port, unsigned width);
// A write through the data ports 0xCFC-0xCFF with `configAddress` in the address register.
bool ConfigDataWriteAllowed(PciConfigSource& config, uint32_t configAddress, uint32_t port, unsigned width);

// The whole check of a decoded request. Unmap requests pass here: the caller checks
// that the address is one of the opening's own mappings. `scratch` holds the windows
// found (about 1.5 KB; the driver keeps it off its stack).
Refusal CheckRequest(const IoRequest& request, const MachineState& machine, DeviceWindows& scratch);

}  // namespace corvane::io_bounds
