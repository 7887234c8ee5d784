#pragma once
// The motherboard's PCI functions around the card: an Intel 865PE / ICH5 chipset of the
// AGP years, with the AGP bridge to bus 1 where the card sits and a network card on the
// PCI slot bus 2.

#include "platform/sim/hardware/sim_pci_bus.h"

namespace corvane::platform::sim {

namespace chipset {
inline constexpr PciLocation kHostBridge{0, 0x00, 0};      // 8086:2570
inline constexpr PciLocation kAgpBridge{0, 0x01, 0};       // 8086:2571, secondary bus 1
inline constexpr PciLocation kUsbController{0, 0x1D, 0};   // 8086:24D2, UHCI
inline constexpr PciLocation kUsb2Controller{0, 0x1D, 7};  // 8086:24DD, EHCI
inline constexpr PciLocation kPciBridge{0, 0x1E, 0};       // 8086:244E, secondary bus 2
inline constexpr PciLocation kIsaBridge{0, 0x1F, 0};       // 8086:24D0, LPC
inline constexpr PciLocation kIdeController{0, 0x1F, 1};   // 8086:24DB
inline constexpr PciLocation kSmbusController{0, 0x1F, 3}; // 8086:24D3
inline constexpr PciLocation kAudioController{0, 0x1F, 5}; // 8086:24D5, AC'97
inline constexpr PciLocation kNetworkCard{2, 0x05, 0};     // 10EC:8139
}  // namespace chipset

void AddChipset(SimPciBus& bus);

}  // namespace corvane::platform::sim
