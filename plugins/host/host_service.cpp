#include "plugins/host/host_service.h"

#include <algorithm>
#include <cstring>

#include "hardware/overclocking/clock_rounding.h"
#include "plugins/sdk/corvane_plugin.h"

namespace corvane::plugins {
namespace {

using overclocking::RoundHalfEven;

constexpr size_t kDriverKeyLimit = 127;

template <class T>
T Get(const void* in, size_t at = 0) {
  T value{};
  std::memcpy(&value, static_cast<const uint8_t*>(in) + at, sizeof value);
  return value;
}

template <class T>
void Put(void* out, T value) {
  std::memcpy(out, &value, sizeof value);
}

// Memory MHz in the high word, core MHz in the low word.
uint32_t ClockPair(double coreMhz, double memMhz) {
  const auto word = [](double mhz) { return static_cast<uint32_t>(RoundHalfEven(mhz)) & 0xFFFFu; };
  return word(memMhz) << 16 | word(coreMhz);
}

bool NeedsInput(uint32_t code) {
  return (code >= CORVANE_HS_PORT_READ8 && code <= CORVANE_HS_PCI_READ32) || code == CORVANE_HS_SET_CLOCKS ||
         (code >= CORVANE_HS_MAP_PHYSICAL && code <= CORVANE_HS_CARD_CONFIG_READ32);
}

bool NeedsOutput(uint32_t code) {
  switch (code) {
    case CORVANE_HS_NOTHING:
    case CORVANE_HS_SET_CLOCKS:
    case CORVANE_HS_UNMAP_PHYSICAL:
    case CORVANE_HS_PCI_WRITE8:
    case CORVANE_HS_PCI_WRITE16:
    case CORVANE_HS_PCI_WRITE32:
      return false;
    default:
      return code <= CORVANE_HS_CARD_CONFIG_READ32;
  }
}

void ServeHardware(hardware::TRVX& rvx, const settings::TRegValues* reg1, uint32_t code, const void* in,
                   void* out) {
  const bool addressed = (code >= CORVANE_HS_PCI_READ8 && code <= CORVANE_HS_PCI_READ32) ||
                         (code >= CORVANE_HS_PCI_WRITE8 && code <= CORVANE_HS_PCI_WRITE32);
  const CorvanePciAddress a = addressed ? Get<CorvanePciAddress>(in) : CorvanePciAddress{};
  switch (code) {
    case CORVANE_HS_PORT_READ8: Put<uint32_t>(out, rvx.PortRead8(Get<uint16_t>(in))); break;
    case CORVANE_HS_PORT_READ16: Put<uint32_t>(out, rvx.PortRead16(Get<uint16_t>(in))); break;
    case CORVANE_HS_PORT_READ32: Put<uint32_t>(out, rvx.PortRead32(Get<uint16_t>(in))); break;
    case CORVANE_HS_PORT_WRITE8: Put<uint32_t>(out, rvx.PortWrite8(Get<uint16_t>(in), Get<uint8_t>(in, 2))); break;
    case CORVANE_HS_PORT_WRITE32: Put<uint32_t>(out, rvx.PortWrite32(Get<uint16_t>(in), Get<uint32_t>(in, 2))); break;
    case CORVANE_HS_PORT_WRITE16: Put<uint32_t>(out, rvx.PortWrite16(Get<uint16_t>(in), Get<uint16_t>(in, 2))); break;
    case CORVANE_HS_PCI_READ8: Put<uint32_t>(out, rvx.PciRead8(a.bus, a.device, a.function, a.reg)); break;
    case CORVANE_HS_PCI_READ16: Put<uint32_t>(out, rvx.PciRead16(a.bus, a.device, a.function, a.reg)); break;
    case CORVANE_HS_PCI_READ32: Put<uint32_t>(out, rvx.PciRead32(a.bus, a.device, a.function, a.reg)); break;
    case CORVANE_HS_CLOCKS:
      rvx.ReadClocks();
      Put<uint32_t>(out, ClockPair(rvx.CoreClock, rvx.MemClock));
      break;
    case CORVANE_HS_SET_CLOCKS: {
      const uint32_t pair = Get<uint32_t>(in);
      const bool fixed = reg1 && reg1->GetInteger(L"ClockMode") == 1;
      rvx.SetClocks(fixed, pair & 0xFFFFu, pair >> 16);
      break;
    }
    case CORVANE_HS_BIOS_CLOCKS:
      Put<uint32_t>(out, ClockPair(rvx.DefaultCoreClock() / 100.0, rvx.DefaultMemClock() / 100.0));
      break;
    case CORVANE_HS_MAP_PHYSICAL: Put<uintptr_t>(out, rvx.MapPhysical(Get<uint32_t>(in), Get<uint32_t>(in, 4))); break;
    case CORVANE_HS_UNMAP_PHYSICAL: rvx.UnmapPhysical(Get<uintptr_t>(in)); break;
    case CORVANE_HS_REG_READ8: Put<uint8_t>(out, rvx.RegRead8(Get<uint16_t>(in))); break;
    case CORVANE_HS_REG_READ16: Put<uint16_t>(out, rvx.RegRead16(Get<uint16_t>(in))); break;
    case CORVANE_HS_REG_READ32: Put<uint32_t>(out, rvx.RegRead32(Get<uint16_t>(in))); break;
    // The value a register write puts comes from the output buffer.
    case CORVANE_HS_REG_WRITE8: rvx.RegWrite8(Get<uint16_t>(in), Get<uint8_t>(out)); break;
    case CORVANE_HS_REG_WRITE16: rvx.RegWrite16(Get<uint16_t>(in), Get<uint16_t>(out)); break;
    case CORVANE_HS_REG_WRITE32: rvx.RegWrite32(Get<uint16_t>(in), Get<uint32_t>(out)); break;
    case CORVANE_HS_PCI_WRITE8: rvx.PciWrite8(a.bus, a.device, a.function, a.reg, Get<uint8_t>(in, 4)); break;
    case CORVANE_HS_PCI_WRITE16: rvx.PciWrite16(a.bus, a.device, a.function, a.reg, Get<uint16_t>(in, 4)); break;
    case CORVANE_HS_PCI_WRITE32: rvx.PciWrite32(a.bus, a.device, a.function, a.reg, Get<uint32_t>(in, 4)); break;
    case CORVANE_HS_CARD_CONFIG_READ8: Put<uint8_t>(out, rvx.CardConfigRead8(Get<uint16_t>(in))); break;
    case CORVANE_HS_CARD_CONFIG_READ16: Put<uint16_t>(out, rvx.CardConfigRead16(Get<uint16_t>(in))); break;
    case CORVANE_HS_CARD_CONFIG_READ32: Put<uint32_t>(out, rvx.CardConfigRead32(Get<uint16_t>(in))); break;
    default: break;
  }
}

}  // namespace

void ServeHostCall(const HostServiceContext& ctx, uint32_t code, const void* in, void* out) {
  if ((NeedsInput(code) && !in) || (NeedsOutput(code) && !out)) return;
  switch (code) {
    case CORVANE_HS_NOTHING:
      return;
    case CORVANE_HS_HOST_VERSION:
      Put<uint32_t>(out, ctx.hostVersion);
      return;
    case CORVANE_HS_DRIVER_KEY: {
      const size_t length = std::min(ctx.driverKeyPath.size(), kDriverKeyLimit);
      std::memcpy(out, ctx.driverKeyPath.data(), length);
      return;
    }
    case CORVANE_HS_DRIVER_AVAILABLE:
      Put<uint32_t>(out, ctx.rvx && ctx.rvx->DriverOpen ? 1u : 0u);
      return;
    default:
      // Without the driver the card's operations give 0 by themselves; without the card
      // object there is nothing to ask and the outputs stay as the plug-in left them.
      if (ctx.rvx) ServeHardware(*ctx.rvx, ctx.reg1, code, in, out);
      return;
  }
}

}  // namespace corvane::plugins
