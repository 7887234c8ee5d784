#include "plugins/busview/bus_scan.h"

#include <cwchar>
#include <iterator>

namespace corvane::busview {
namespace {

constexpr uint8_t kBuses = 8;
constexpr uint8_t kProbedDevices = 31;
constexpr uint8_t kFunctions = 8;
constexpr uint8_t kVendorRegister = 0x00;
constexpr uint8_t kDeviceRegister = 0x02;
constexpr uint8_t kClassRegister = 0x0A;

struct ClassText {
  uint16_t key;
  const wchar_t* text;
};

constexpr ClassText kClasses[] = {
    {0x0100, L"SCSI Controller"},
    {0x0101, L"IDE Controller"},
    {0x0102, L"FD Controller"},
    {0x0103, L"IPI Controller"},
    {0x0104, L"RAID Controller"},
    {0x0180, L"Other storage controller"},
    {0x0200, L"Ethernet controller"},
    {0x0201, L"TL Controller"},
    {0x0202, L"DDI Controller"},
    {0x0280, L"DDI Controller"},
    {0x0203, L"ATM Controller"},
    {0x0300, L"VGA Adapter"},
    {0x0380, L"Other VGA Adapter"},
    {0x0400, L"Video controller"},
    {0x0401, L"Sound Controller"},
    {0x0480, L"Other Multimedia"},
    {0x0500, L"Ram"},
    {0x0580, L"Other memory"},
    {0x0600, L"Host Bridge Device"},
    {0x0601, L"ISA Bridge"},
    {0x0602, L"EISA Bridge"},
    {0x0603, L"Micro channel bridge"},
    {0x0604, L"PCI to PCI Bridge"},
    {0x0605, L"PCMCIA bridge"},
    {0x0606, L"NuBus bridge"},
    {0x0607, L"CardBus bridge"},
    {0x0680, L"Other bridge"},
    {0x0700, L"XT compatible"},
    {0x0701, L"Parallel"},
    {0x0980, L"Input Device"},
    {0x0C03, L"USB Controller"},
    {0x0C05, L"i2c/SMBus Serial Bus Controller"},
};

uint16_t ReadWord(HostService service, uint8_t bus, uint8_t device, uint8_t function, uint8_t reg) {
  const CorvanePciAddress address{bus, device, function, reg};
  uint32_t value = 0;
  service(CORVANE_HS_PCI_READ16, &address, &value);
  return static_cast<uint16_t>(value);
}

std::wstring Hex(unsigned value, const wchar_t* format) {
  wchar_t text[16];
  std::swprintf(text, std::size(text), format, value);
  return text;
}

}  // namespace

std::wstring ClassDescription(uint16_t classWord) {
  for (const ClassText& entry : kClasses)
    if (entry.key == classWord) return entry.text;
  return Hex(classWord, L"Unknown %4x");
}

std::vector<PciFunction> ScanPciBus(HostService service) {
  std::vector<PciFunction> found;
  if (!service) return found;
  for (uint8_t bus = 0; bus < kBuses; ++bus)
    for (uint8_t device = 0; device < kProbedDevices; ++device)
      for (uint8_t function = 0; function < kFunctions; ++function) {
        const uint16_t vendor = ReadWord(service, bus, device, function, kVendorRegister);
        if (vendor == 0xFFFF || vendor == 0) continue;
        found.push_back({bus, device, function, vendor, ReadWord(service, bus, device, function, kDeviceRegister),
                         ReadWord(service, bus, device, function, kClassRegister)});
      }
  return found;
}

std::vector<std::wstring> RowCells(const PciFunction& f) {
  return {Hex(f.bus, L"%02X"),      Hex(f.device, L"%02X"),   Hex(f.function, L"%02X"),
          Hex(f.vendorId, L"%04X"), Hex(f.deviceId, L"%04X"), ClassDescription(f.classWord)};
}

}  // namespace corvane::busview
