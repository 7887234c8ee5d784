#pragma once
// TRVX: the program's one way to the graphics card. It installs and opens the kernel I/O
// driver, does port I/O and PCI configuration access through it, finds the Radeon, maps
// its registers, a frame-buffer window and the video BIOS, and reads and programs the
// clocks, memory timings and palette. Hardware reads give 0 when the driver or the card
// is missing; nothing here throws. Main thread only: the PCI address/data and PLL
// index/data pairs must not interleave.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "hardware/mapped_window.h"
#include "platform/card_registers.h"
#include "platform/kernel_io.h"

namespace corvane::hardware {

// The Windows CTL_CODE layout.
constexpr uint32_t MakeIoctlCode(uint32_t deviceType, uint32_t function, uint32_t access, uint32_t method) {
  return deviceType << 16 | access << 14 | function << 2 | method;
}

// The driver's service name, device name and file name all derive from this.
inline constexpr wchar_t kDriverServiceName[] = L"corvane";

// Slots of TRVX::IoctlCodes: function 0x800 + slot of device type 0x8000.
enum IoctlSlot : size_t {
  kIoctlMapPhysical = 0,
  kIoctlUnmapPhysical = 1,
  kIoctlReadPort8 = 2,
  kIoctlReadPort16 = 3,
  kIoctlReadPort32 = 4,
  kIoctlWritePort8 = 5,
  kIoctlWritePort16 = 6,
  kIoctlWritePort32 = 7,
};

// Register offsets in the aperture and PLL register indices.
namespace Reg {
inline constexpr uint16_t PllIndex = 0x08;
inline constexpr uint16_t PllData = 0x0C;
inline constexpr uint16_t PaletteIndex = 0xB0;
inline constexpr uint16_t PaletteData = 0xB4;
inline constexpr uint16_t MC_TIMING_CNTL = 0x144;
inline constexpr uint16_t MC_SDRAM_MODE_REG = 0x158;
inline constexpr uint16_t MC_REFRESH_CNTL = 0x178;
}  // namespace Reg
namespace Pll {
inline constexpr uint8_t X_MPLL_REF_FB_DIV = 0x0A;
inline constexpr uint8_t XPLL_CNTL = 0x0B;
inline constexpr uint8_t XDLL_CNTL = 0x0C;
inline constexpr uint8_t XCLK_CNTL = 0x0D;
inline constexpr uint8_t MCLK_CNTL = 0x12;
inline constexpr uint8_t WriteEnable = 0x80;
}  // namespace Pll

// What the mappings ask for.
inline constexpr uint32_t kRegisterWindowLength = 0xFFFF;
inline constexpr uint32_t kBiosAddress = 0xC0000;
inline constexpr uint32_t kBiosWindowLength = 0xFFFF;
inline constexpr uint32_t kFrameBufferWindowOffset = 0x1E2000;
inline constexpr uint32_t kFrameBufferWindowLength = 0x1D4C00;

// PllInfo: the BIOS's 48-byte PLL information block; byte offsets of the fields used.
inline constexpr size_t kPllInfoSize = 48;
namespace PllInfoField {
inline constexpr size_t DefaultMemClock = 8;
inline constexpr size_t DefaultCoreClock = 10;
inline constexpr size_t RefClock = 14;
inline constexpr size_t RefDiv = 16;
}  // namespace PllInfoField

struct ClockPreview {
  double coreMhz = 0;
  double memMhz = 0;
  int32_t refDiv = 0;  // M
};

using Palette = std::array<uint32_t, 256>;

class TRVX {
 public:
  // `programFolder` is where corvane.sys lies (the program's own folder). A vendor id of
  // 0 takes the first ATI display controller on the bus.
  TRVX(platform::KernelIo& io, platform::CardRegisters& memory, std::wstring programFolder, bool ignored,
       uint16_t vendorId, uint16_t deviceId);
  // Releases the three mappings (frame buffer, registers, BIOS) and closes the device;
  // the driver's service stays installed and running for the next start.
  ~TRVX();
  TRVX(const TRVX&) = delete;
  TRVX& operator=(const TRVX&) = delete;

  // --- The kernel driver ---
  bool InstallDriver();
  void CloseDriver();

  uint8_t PortRead8(uint16_t port);
  uint16_t PortRead16(uint16_t port);
  uint32_t PortRead32(uint16_t port);
  // The driver's reply word; only the plug-in service looks at it.
  uint8_t PortWrite8(uint16_t port, uint8_t value);
  uint16_t PortWrite16(uint16_t port, uint16_t value);
  uint32_t PortWrite32(uint16_t port, uint32_t value);

  // The user-mode address of the mapping, 0 on failure.
  uintptr_t MapPhysical(uint32_t address, uint32_t length);
  bool UnmapPhysical(uintptr_t address);

  // PCI configuration mechanism 1 (address port 0xCF8, data ports 0xCFC..0xCFF).
  uint8_t PciRead8(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg);
  uint16_t PciRead16(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg);
  uint32_t PciRead32(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg);
  void PciWrite8(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg, uint8_t value);
  void PciWrite16(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg, uint16_t value);
  void PciWrite32(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg, uint32_t value);
  // The address word written to port 0xCF8: device and function share one byte.
  static uint32_t PciAddress(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg);

  // Configuration reads of the card FindCard found.
  uint8_t CardConfigRead8(uint16_t reg);
  uint16_t CardConfigRead16(uint16_t reg);
  uint32_t CardConfigRead32(uint16_t reg);

  // --- The card ---
  void FindCard();
  void MapCardMemory();
  void ReadClocks();

  // Accesses inside the register aperture; 0 or nothing outside it or without it.
  uint8_t RegRead8(uint16_t offset);
  uint16_t RegRead16(uint16_t offset);
  uint32_t RegRead32(uint16_t offset);
  void RegWrite8(uint16_t offset, uint8_t value);
  void RegWrite16(uint16_t offset, uint16_t value);
  void RegWrite32(uint16_t offset, uint32_t value);

  uint16_t PllRead16(uint8_t index);
  uint32_t PllRead32(uint8_t index);
  void PllWrite(uint8_t index, uint32_t value);

  // The reference divider M the PLL runs with; 0 without a card.
  uint16_t ReadRefDiv();
  static bool IsAtomBiosChip(uint16_t deviceId);

  // Programs the PLL for the two clocks: with `fixed` on the BIOS's reference divider,
  // else on the best of M = 2..16. Then reads the clocks back.
  void SetClocks(bool fixed, double coreMhz, double memMhz);
  // What SetClocks would choose, without writing (M = 2..18 here).
  ClockPreview PreviewClocks(double coreMhz, double memMhz, bool fixed);
  int32_t CalcFeedbackDivider(uint32_t refDiv, double targetMhz, uint32_t postDiv) const;

  // Zero arguments leave their register alone.
  void SetMemTimings(uint32_t sdramMode, uint32_t timing, uint32_t refresh);

  Palette ReadPalette();
  void WritePalette(const Palette& entries);

  // Fields of PllInfo, clocks in 10 kHz units.
  uint16_t DefaultMemClock() const { return PllInfoWord(PllInfoField::DefaultMemClock); }
  uint16_t DefaultCoreClock() const { return PllInfoWord(PllInfoField::DefaultCoreClock); }
  uint16_t RefClock() const { return PllInfoWord(PllInfoField::RefClock); }
  uint16_t RefDiv() const { return PllInfoWord(PllInfoField::RefDiv); }

  // The mapped addresses (0 when not mapped); other code only tests them.
  uintptr_t RegisterWindow() const { return regs_.Address(); }
  uintptr_t BiosWindow() const { return bios_.Address(); }
  uintptr_t FrameBufferWindow() const { return frameBuffer_.Address(); }

  // --- Fields other code reads ---
  std::array<uint32_t, 8> IoctlCodes{};
  // 0 on platforms outside the NT family, kInvalidDevice after a failed open.
  platform::KernelHandle DeviceHandle = platform::kNoHandle;
  // The constructor's filter; after FindCard, the card's ids.
  uint16_t VendorId = 0;
  uint16_t DeviceId = 0;
  bool DriverOpen = false;
  // The reference divider found before any clock change; -1: none recorded.
  int32_t InitialRefDiv = -1;

  std::array<uint8_t, kPllInfoSize> PllInfo{};
  uint16_t Bus = 0;
  uint16_t Device = 0;
  uint16_t Function = 0;
  double CoreClock = 0;  // MHz
  double MemClock = 0;   // MHz
  bool CardFound = false;
  // The core clock's source select reads 7: the memory clock runs with the core clock.
  bool SyncClocks = false;

 private:
  bool DeviceIsOpen() const;
  bool Control(IoctlSlot slot, std::span<const uint8_t> input, std::span<uint8_t> output);
  uint32_t PortRead(IoctlSlot slot, uint16_t port);
  uint32_t PortWrite(IoctlSlot slot, uint16_t port, uint32_t value);
  uint16_t PciDataPort(uint8_t bus, uint8_t device, uint8_t function, uint16_t reg);
  void ReadBiosPllInfo();
  void UnmapWindow(MappedWindow& window);

  uint16_t PllInfoWord(size_t offset) const;
  void SetPllInfoWord(size_t offset, uint16_t value);

  platform::KernelIo& io_;
  platform::CardRegisters& memory_;
  std::wstring programFolder_;
  MappedWindow regs_;
  MappedWindow bios_;
  MappedWindow frameBuffer_;
};

}  // namespace corvane::hardware
