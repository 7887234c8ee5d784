#include "platform/sim/hardware/sim_chipset.h"

namespace corvane::platform::sim {
namespace {

constexpr uint16_t kIntel = 0x8086;
constexpr uint8_t kMultiFunction = 0x80;
constexpr uint8_t kBridgeHeader = 0x01;

PciConfigSpace Bridge(uint16_t deviceId, uint8_t secondaryBus, uint8_t headerType) {
  PciConfigSpace bridge = PciConfigSpace::Make(kIntel, deviceId, 0x060400, 0x02, headerType | kBridgeHeader);
  bridge.Set8(0x18, 0);  // primary bus
  bridge.Set8(0x19, secondaryBus);
  bridge.Set8(0x1A, secondaryBus);  // subordinate
  return bridge;
}

PciConfigSpace WithIoBar(PciConfigSpace function, uint8_t reg, uint32_t base) {
  function.Set32(reg, base | 1);
  function.Set16(0x04, 0x0005);  // I/O space, bus master
  return function;
}

}  // namespace

void AddChipset(SimPciBus& bus) {
  PciConfigSpace host = PciConfigSpace::Make(kIntel, 0x2570, 0x060000, 0x02);
  host.Set16(0x04, 0x0106);
  host.Set32(0x10, 0xE0000008);  // graphics aperture
  bus.Add(chipset::kHostBridge, host);
  bus.Add(chipset::kAgpBridge, Bridge(0x2571, 1, 0));

  PciConfigSpace uhci = WithIoBar(PciConfigSpace::Make(kIntel, 0x24D2, 0x0C0300, 0x02, kMultiFunction), 0x20, 0xE000);
  bus.Add(chipset::kUsbController, uhci);
  PciConfigSpace ehci = PciConfigSpace::Make(kIntel, 0x24DD, 0x0C0320, 0x02);
  ehci.Set32(0x10, 0xFEBFFC00);
  ehci.Set16(0x04, 0x0106);
  bus.Add(chipset::kUsb2Controller, ehci);
  bus.Add(chipset::kPciBridge, Bridge(0x244E, 2, 0));

  bus.Add(chipset::kIsaBridge, PciConfigSpace::Make(kIntel, 0x24D0, 0x060100, 0x02, kMultiFunction));
  bus.Add(chipset::kIdeController, WithIoBar(PciConfigSpace::Make(kIntel, 0x24DB, 0x01018A, 0x02), 0x20, 0xF000));
  bus.Add(chipset::kSmbusController, WithIoBar(PciConfigSpace::Make(kIntel, 0x24D3, 0x0C0500, 0x02), 0x20, 0x0400));
  PciConfigSpace audio = WithIoBar(PciConfigSpace::Make(kIntel, 0x24D5, 0x040100, 0x02), 0x10, 0xD800);
  audio.Set32(0x14, 0xDC00 | 1);
  bus.Add(chipset::kAudioController, audio);

  PciConfigSpace network = WithIoBar(PciConfigSpace::Make(0x10EC, 0x8139, 0x020000, 0x10), 0x10, 0xB800);
  network.SetWritable8(0x0D, 0xFF);
  bus.Add(chipset::kNetworkCard, network);
}

}  // namespace corvane::platform::sim
