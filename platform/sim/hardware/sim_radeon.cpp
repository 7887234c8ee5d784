#include "platform/sim/hardware/sim_radeon.h"

#include "platform/sim/hardware/sim_bios_image.h"

namespace corvane::platform::sim {
namespace {

constexpr uint32_t kMinimumAperture = 128u << 20;

std::vector<uint8_t> SixtyFourKilobytes(std::vector<uint8_t> image) {
  image.resize(kBiosImageSize, 0);
  return image;
}

// The clock one PLL output gives, in MHz; 0 where the source select has no divider.
double PllClockMhz(uint32_t feedback, uint32_t refDivider, uint32_t sourceSelect, uint32_t refClock) {
  static constexpr uint32_t kPostDivider[8] = {0, 1, 2, 4, 8, 0, 0, 0};
  const uint32_t post = kPostDivider[sourceSelect & 7];
  if (post == 0 || refDivider == 0) return 0.0;
  return static_cast<double>(feedback) * 2.0 * refClock / (refDivider * post) / 100.0;
}

}  // namespace

SimRadeon::SimRadeon(const CardSetup& setup) : setup_(setup), bios_(SixtyFourKilobytes(setup.biosImage)) {
  using namespace radeon_reg;
  using namespace radeon_pll;
  registers_.SetPll(kMpllRefFbDiv, uint32_t{setup.refDivider} | uint32_t{setup.memFeedbackDivider} << 8 |
                                       uint32_t{setup.coreFeedbackDivider} << 16);
  registers_.SetPll(kXclkCntl, (setup.xclkCntlOtherBits & ~7u) | (setup.coreSourceSelect & 7u));
  registers_.SetPll(kMclkCntl, (setup.mclkCntlOtherBits & ~7u) | (setup.memSourceSelect & 7u));
  registers_.SetPll(kXpllCntl, setup.xpllCntl);
  registers_.SetPll(kXdllCntl, setup.xdllCntl);

  registers_.SetRegister(kBiosScratch0, setup.biosScratch0);
  registers_.SetRegister(kBiosScratch1, setup.biosScratch1);
  registers_.SetRegister(kConfigMemSize, setup.memorySize);
  registers_.SetRegister(kMemCntl, setup.memCntl);
  registers_.SetRegister(kMcTimingCntl, setup.mcTimingCntl);
  registers_.SetRegister(kMcSdramModeReg, setup.mcSdramModeReg);
  registers_.SetRegister(kMcRefreshCntl, setup.mcRefreshCntl);
  registers_.SetRegister(kGbTileConfig, setup.gbTileConfig);
}

uint32_t SimRadeon::VideoMemorySize() const {
  uint32_t size = kMinimumAperture;
  while (size < setup_.memorySize && size < 0x80000000u) size <<= 1;
  return size;
}

PciConfigSpace SimRadeon::PrimaryFunction() const {
  const uint8_t headerType = setup_.secondaryDeviceId ? 0x80 : 0x00;
  PciConfigSpace f = PciConfigSpace::Make(kAtiVendorId, setup_.deviceId, 0x030000, setup_.revision, headerType);
  f.Set16(0x04, 0x0007);  // I/O, memory, bus master: the BIOS enabled it
  f.Set16(0x06, 0x02B0);  // capabilities list, 66 MHz, fast back-to-back
  f.Set8(0x0C, 0x08);
  f.Set8(0x0D, setup_.latencyTimer);
  f.SetWritable8(0x0D, 0xFF);
  // BARs hold their base; the size shows in the bits that stay 0 when all ones are written.
  f.Set32(0x10, setup_.frameBufferBar);
  f.SetWritable32(0x10, ~(VideoMemorySize() - 1));
  f.Set32(0x14, setup_.ioBar);
  f.SetWritable32(0x14, 0xFFFFFF00);
  f.Set32(0x18, setup_.registerBar);
  f.SetWritable32(0x18, ~(RadeonRegisters::kApertureSize - 1));
  f.Set16(0x2C, setup_.subsystemVendorId);
  f.Set16(0x2E, setup_.subsystemId);
  f.Set32(0x30, 0x000C0000);  // expansion ROM (shadowed at 0xC0000, decoding off)
  f.Set8(0x34, 0x58);         // capabilities: AGP at 0x58, power management at 0x50
  f.Set8(0x3C, setup_.interruptLine);
  f.SetWritable8(0x3C, 0xFF);
  f.Set8(0x3D, 0x01);
  f.Set8(0x3E, 0x08);
  f.Set8(0x50, 0x01);
  f.Set8(0x51, 0x00);
  f.Set16(0x52, 0x0602);
  f.Set8(0x58, 0x02);
  f.Set8(0x59, 0x50);
  f.Set8(0x5A, 0x30);  // AGP 3.0
  f.Set32(0x5C, 0x1F000A1B);
  return f;
}

PciConfigSpace SimRadeon::SecondaryFunction() const {
  PciConfigSpace f = PciConfigSpace::Make(kAtiVendorId, setup_.secondaryDeviceId, 0x038000, setup_.revision);
  f.Set16(0x06, 0x02B0);
  f.Set32(0x10, (setup_.frameBufferBar & 0xF0000000u) | 0x08000008);
  f.SetWritable32(0x10, 0xF8000000);  // 128 MB
  f.Set32(0x14, (setup_.registerBar & 0xFFFF0000u) + 0x00010000);
  f.SetWritable32(0x14, ~(RadeonRegisters::kApertureSize - 1));
  f.Set16(0x2C, setup_.subsystemVendorId);
  f.Set16(0x2E, static_cast<uint16_t>(setup_.subsystemId + 1));
  f.Set8(0x34, 0x50);
  f.Set8(0x50, 0x01);
  f.Set16(0x52, 0x0602);
  return f;
}

double SimRadeon::CoreClockMhz() const {
  const uint32_t div = registers_.Pll(radeon_pll::kMpllRefFbDiv);
  return PllClockMhz((div >> 16) & 0xFF, div & 0xFF, registers_.Pll(radeon_pll::kXclkCntl), setup_.refClock);
}

double SimRadeon::MemClockMhz() const {
  const uint32_t div = registers_.Pll(radeon_pll::kMpllRefFbDiv);
  return PllClockMhz((div >> 8) & 0xFF, div & 0xFF, registers_.Pll(radeon_pll::kMclkCntl), setup_.refClock);
}

}  // namespace corvane::platform::sim
