#pragma once
// What busview lists: every PCI function on buses 0-7 that answers with a vendor, read
// through the host service, and the text for its class.

#include <cstdint>
#include <string>
#include <vector>

#include "plugins/sdk/corvane_plugin.h"

namespace corvane::busview {

struct PciFunction {
  uint8_t bus = 0;
  uint8_t device = 0;
  uint8_t function = 0;
  uint16_t vendorId = 0;
  uint16_t deviceId = 0;
  uint16_t classWord = 0;  // register 0x0A: subclass in the low byte, class in the high byte
};

// "VGA Adapter", "Host Bridge Device" ...; "Unknown %4x" for a class the table lacks.
std::wstring ClassDescription(uint16_t classWord);

// Devices 0-30 of buses 0-7, every function; device 31 is not probed. Without the host's
// driver every read gives 0 and the list is empty.
std::vector<PciFunction> ScanPciBus(HostService service);

// The cells of a row: bus, device, function ("%02X"), vendor and device id ("%04X"), class.
std::vector<std::wstring> RowCells(const PciFunction& function);

}  // namespace corvane::busview
