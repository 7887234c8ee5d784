// Finding the card on the PCI bus, mapping it, and the register, PLL, palette and
// memory-timing accesses.

#include "hardware/bios_pll.h"
#include "hardware/rvx.h"

namespace corvane::hardware {
namespace {

constexpr uint16_t kAtiVendorId = 0x1002;
constexpr uint8_t kDisplayControllerClass = 3;
constexpr uint16_t kPciIds = 0x00;  // vendor id, then device id
constexpr uint16_t kPciClass = 0x0B;
constexpr uint16_t kPciFrameBufferBar = 0x10;
constexpr uint16_t kPciRegisterBar = 0x18;

constexpr int kBuses = 8;
constexpr int kDevices = 32;
constexpr int kFunctions = 8;

}  // namespace

void TRVX::FindCard() {
  CardFound = false;
  for (int bus = 0; bus < kBuses; ++bus) {
    for (int device = 0; device < kDevices; ++device) {
      for (int function = 0; function < kFunctions; ++function) {
        const auto b = static_cast<uint8_t>(bus), d = static_cast<uint8_t>(device), f = static_cast<uint8_t>(function);
        // Both ids in one configuration cycle rather than two.
        const uint32_t ids = PciRead32(b, d, f, kPciIds);
        const auto vendor = static_cast<uint16_t>(ids), deviceId = static_cast<uint16_t>(ids >> 16);
        const bool match = VendorId != 0 ? vendor == VendorId && deviceId == DeviceId
                                         : vendor == kAtiVendorId && PciRead8(b, d, f, kPciClass) == kDisplayControllerClass;
        if (match) {
          VendorId = vendor;
          DeviceId = deviceId;
          Bus = b;
          Device = d;
          Function = f;
          CardFound = true;
          return;
        }
      }
    }
  }
}

void TRVX::MapCardMemory() {
  if (!CardFound) return;
  // An unassigned base address (or a failed configuration read) is 0: mapping physical
  // page 0 and writing PLL indices into it would corrupt system memory.
  const uint32_t registerBase = CardConfigRead32(kPciRegisterBar) & 0xFFFFFF00;
  if (registerBase != 0) regs_ = MappedWindow(MapPhysical(registerBase, kRegisterWindowLength), kRegisterWindowLength);
  const uint32_t frameBufferBase = CardConfigRead32(kPciFrameBufferBar) & 0xFC000000;
  if (frameBufferBase != 0) {
    const uint32_t address = frameBufferBase + kFrameBufferWindowOffset;
    frameBuffer_ = MappedWindow(MapPhysical(address, kFrameBufferWindowLength), kFrameBufferWindowLength);
  }
  bios_ = MappedWindow(MapPhysical(kBiosAddress, kBiosWindowLength), kBiosWindowLength);
  ReadBiosPllInfo();
}

void TRVX::ReadBiosPllInfo() {
  PllInfo.fill(0);
  if (IsAtomBiosChip(DeviceId)) {
    const auto clocks = ReadAtomFirmwareClocks(bios_, memory_);
    if (!clocks) return;
    // The ATOM table has no reference divider: take the one the PLL runs with.
    SetPllInfoWord(PllInfoField::DefaultCoreClock, clocks->defaultCoreClockTenKhz);
    SetPllInfoWord(PllInfoField::DefaultMemClock, clocks->defaultMemClockTenKhz);
    SetPllInfoWord(PllInfoField::RefDiv, ReadRefDiv());
    SetPllInfoWord(PllInfoField::RefClock, clocks->refClockTenKhz);
    SetPllInfoWord(0, 0);
  } else if (const auto block = ReadLegacyPllBlock(bios_, memory_)) {
    PllInfo = *block;
  }
}

uint16_t TRVX::PllInfoWord(size_t offset) const {
  return static_cast<uint16_t>(PllInfo[offset] | PllInfo[offset + 1] << 8);
}

void TRVX::SetPllInfoWord(size_t offset, uint16_t value) {
  PllInfo[offset] = static_cast<uint8_t>(value);
  PllInfo[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint8_t TRVX::RegRead8(uint16_t offset) { return regs_.Read8(memory_, offset); }
uint16_t TRVX::RegRead16(uint16_t offset) { return regs_.Read16(memory_, offset); }
uint32_t TRVX::RegRead32(uint16_t offset) { return regs_.Read32(memory_, offset); }
void TRVX::RegWrite8(uint16_t offset, uint8_t value) { regs_.Write8(memory_, offset, value); }
void TRVX::RegWrite16(uint16_t offset, uint16_t value) { regs_.Write16(memory_, offset, value); }
void TRVX::RegWrite32(uint16_t offset, uint32_t value) { regs_.Write32(memory_, offset, value); }

uint16_t TRVX::PllRead16(uint8_t index) {
  RegWrite8(Reg::PllIndex, index & 0x3F);
  return RegRead16(Reg::PllData);
}

uint32_t TRVX::PllRead32(uint8_t index) {
  RegWrite8(Reg::PllIndex, index & 0x3F);
  return RegRead32(Reg::PllData);
}

void TRVX::PllWrite(uint8_t index, uint32_t value) {
  RegWrite8(Reg::PllIndex, (index & 0x3F) | Pll::WriteEnable);
  RegWrite32(Reg::PllData, value);
}

uint16_t TRVX::ReadRefDiv() {
  if (!CardFound) return 0;
  return PllRead32(Pll::X_MPLL_REF_FB_DIV) & 0xFF;
}

void TRVX::SetMemTimings(uint32_t sdramMode, uint32_t timing, uint32_t refresh) {
  if (!CardFound) return;
  if (sdramMode != 0) {
    const uint32_t kept = RegRead32(Reg::MC_SDRAM_MODE_REG) & 0x3FFF;
    RegWrite32(Reg::MC_SDRAM_MODE_REG, kept | sdramMode | 0x10000000 | 0x80000000);
  }
  if (timing != 0) RegWrite32(Reg::MC_TIMING_CNTL, timing);
  if (refresh != 0) {
    const uint32_t kept = RegRead32(Reg::MC_REFRESH_CNTL) & 0xFFFF0F00;
    RegWrite32(Reg::MC_REFRESH_CNTL, kept | (refresh & 0xFF) | (refresh & 0xF000));
  }
}

Palette TRVX::ReadPalette() {
  Palette entries{};
  if (!CardFound) return entries;
  for (uint32_t i = 0; i < entries.size(); ++i) {
    RegWrite32(Reg::PaletteIndex, i);
    entries[i] = RegRead32(Reg::PaletteData);
  }
  return entries;
}

void TRVX::WritePalette(const Palette& entries) {
  if (!CardFound) return;
  // A snapshot, so all 256 writes come from one table.
  const Palette copy = entries;
  for (uint32_t i = 0; i < copy.size(); ++i) {
    RegWrite32(Reg::PaletteIndex, i);
    RegWrite32(Reg::PaletteData, copy[i]);
  }
}

}  // namespace corvane::hardware
