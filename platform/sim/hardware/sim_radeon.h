#pragma once
// One simulated Radeon card: its two PCI functions (the display controller and the
// secondary head), its register aperture, its video memory and its video BIOS. The
// machine places the aperture and the video memory at the addresses of the BARs and
// the BIOS at 0xC0000; moving a BAR afterwards does not move them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/hardware/sim_memory_regions.h"
#include "platform/sim/hardware/sim_pci_bus.h"
#include "platform/sim/hardware/sim_radeon_registers.h"

namespace corvane::platform::sim {

inline constexpr uint16_t kAtiVendorId = 0x1002;
inline constexpr PciLocation kCardLocation{1, 0, 0};
inline constexpr PciLocation kCardSecondaryLocation{1, 0, 1};

// Everything that makes one card. Presets fill it in; a test may change any field
// (a hand-made BIOS image, other dividers) before building a machine from it.
struct CardSetup {
  std::string name;
  uint16_t deviceId = 0;
  uint16_t secondaryDeviceId = 0;  // the second head's function; 0: none
  uint8_t revision = 0;
  uint16_t subsystemVendorId = kAtiVendorId;
  uint16_t subsystemId = 0;

  // Configuration space. The frame-buffer BAR is prefetchable memory; its size (and that
  // of the simulated video memory) is the memory size rounded up to 128 MB.
  uint32_t frameBufferBar = 0xD0000008;
  uint32_t ioBar = 0x0000C001;
  uint32_t registerBar = 0xFF8F0000;
  uint8_t latencyTimer = 0x20;
  uint8_t interruptLine = 0x0B;

  // PLL: X_MPLL_REF_FB_DIV is built from the dividers; XCLK_CNTL and MCLK_CNTL hold the
  // source selects in bits 0-2 over the other bits given.
  uint8_t refDivider = 12;  // M
  uint8_t memFeedbackDivider = 0;  // Nm
  uint8_t coreFeedbackDivider = 0;  // Ns
  uint8_t coreSourceSelect = 1;  // 1..4: post divider 1, 2, 4, 8; 7: synchronous clocks
  uint8_t memSourceSelect = 1;
  uint32_t xclkCntlOtherBits = 0;
  uint32_t mclkCntlOtherBits = 0;
  uint32_t xpllCntl = 0;
  uint32_t xdllCntl = 0;
  uint16_t refClock = 2700;  // 10 kHz; must match the BIOS for the clocks to be right

  // Registers.
  uint32_t memorySize = 128u << 20;  // CONFIG_MEMSIZE, bytes
  uint32_t memCntl = 0;              // 0x140; bits 0-1 bus width
  uint32_t mcTimingCntl = 0;         // 0x144
  uint32_t mcSdramModeReg = 0;       // 0x158; bits 0-2 memory type
  uint32_t mcRefreshCntl = 0;        // 0x178
  uint32_t gbTileConfig = 0;         // 0x4018; bits 1-3 pipe configuration
  uint32_t biosScratch0 = 0;         // 0x10
  uint32_t biosScratch1 = 0;         // 0x14

  // The image at 0xC0000; shorter images are padded with zeros to 64 KB, longer ones cut.
  std::vector<uint8_t> biosImage;
};

class SimRadeon {
 public:
  explicit SimRadeon(const CardSetup& setup);
  SimRadeon(const SimRadeon&) = delete;
  SimRadeon& operator=(const SimRadeon&) = delete;

  const CardSetup& Setup() const { return setup_; }
  PciConfigSpace PrimaryFunction() const;
  PciConfigSpace SecondaryFunction() const;  // only meaningful with a secondary device ID

  uint32_t RegisterAperturePhysical() const { return setup_.registerBar & 0xFFFFFFF0; }
  uint32_t VideoMemoryPhysical() const { return setup_.frameBufferBar & 0xFFFFFFF0; }
  uint32_t VideoMemorySize() const;

  RadeonRegisters& Registers() { return registers_; }
  const RadeonRegisters& Registers() const { return registers_; }
  SparseMemory& VideoMemory() { return videoMemory_; }
  RomImage& Bios() { return bios_; }

  // The clocks the PLL now produces, in MHz: feedback × 2 × reference / (M × post
  // divider); 0 when the source select has no post divider (0, 5, 6, 7) or M is 0.
  double CoreClockMhz() const;
  double MemClockMhz() const;

 private:
  CardSetup setup_;
  RadeonRegisters registers_;
  SparseMemory videoMemory_;
  RomImage bios_;
};

}  // namespace corvane::platform::sim
