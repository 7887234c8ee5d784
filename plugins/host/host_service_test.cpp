#include "plugins/host/host_service.h"

#include <gtest/gtest.h>

#include <cstring>

#include "hardware/rvx_test_support.h"
#include "platform/sim/registry_sim.h"
#include "plugins/sdk/corvane_plugin.h"
#include "settings/program_settings.h"

namespace corvane::plugins {
namespace {

namespace sim = platform::sim;

// A plug-in's view: the service called with raw buffers, as through the exported pointer.
struct PluginSide {
  sim::SimMachine machine;
  std::unique_ptr<hardware::TRVX> rvx = hardware::testing::MakeRvx(machine);
  platform::SimRegistry registry;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  HostServiceContext ctx{rvx.get(), reg1.get(), 0x00020005, "System\\CurrentControlSet\\Video\\{X}\\0000"};

  uint32_t Call32(uint32_t code, const void* in = nullptr) {
    uint8_t out[8];
    std::memset(out, 0xEE, sizeof out);
    ServeHostCall(ctx, code, in, out);
    uint32_t value = 0;
    std::memcpy(&value, out, sizeof value);
    return value;
  }
};

TEST(HostService, ClocksAreSetAndReadAsMemoryHighCoreLow) {
  PluginSide plugin;
  const uint32_t wanted = 350u << 16 | 400u;
  ServeHostCall(plugin.ctx, CORVANE_HS_SET_CLOCKS, &wanted, nullptr);
  // The dividers a twin card gets for 400 MHz core and 350 MHz memory, and the clocks they
  // give (the memory PLL lands on 349.x MHz).
  PluginSide twin;
  twin.rvx->SetClocks(false, 400, 350);
  EXPECT_EQ(plugin.machine.Card().Registers().Pll(hardware::Pll::X_MPLL_REF_FB_DIV),
            twin.machine.Card().Registers().Pll(hardware::Pll::X_MPLL_REF_FB_DIV));
  EXPECT_EQ(plugin.Call32(CORVANE_HS_CLOCKS), 349u << 16 | 400u);
  EXPECT_EQ(plugin.Call32(CORVANE_HS_BIOS_CLOCKS), 340u << 16 | 380u);
  EXPECT_EQ(plugin.Call32(CORVANE_HS_DRIVER_AVAILABLE), 1u);
  EXPECT_EQ(plugin.Call32(CORVANE_HS_HOST_VERSION), 0x00020005u);
}

TEST(HostService, PciAndCardRegistersWithTheirWidths) {
  PluginSide plugin;
  const CorvanePciAddress classByte{1, 0, 0, 0x0B};
  EXPECT_EQ(plugin.Call32(CORVANE_HS_PCI_READ8, &classByte), 0x03u) << "a display controller";

  // A byte output writes one byte and leaves the rest of the buffer alone.
  const uint16_t deviceIdRegister = 2;
  uint8_t out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  ServeHostCall(plugin.ctx, CORVANE_HS_CARD_CONFIG_READ8, &deviceIdRegister, out);
  EXPECT_EQ(out[0], 0x48);
  EXPECT_EQ(out[1], 0xEE);

  // A register write takes its value from the output buffer, not from the input.
  const uint8_t in[4] = {0x10, 0x00, 0x77, 0x77};
  uint8_t value = 0x5A;
  plugin.machine.Card().Registers().ClearCounters();
  ServeHostCall(plugin.ctx, CORVANE_HS_REG_WRITE8, in, &value);
  const auto& stores = plugin.machine.Card().Registers().Stores();
  ASSERT_EQ(stores.size(), 1u);
  EXPECT_EQ(stores[0].offset, 0x10u);
  EXPECT_EQ(stores[0].value, 0x5Au);

  // 1 byte at 4 after the address: PCI latency of the card.
  uint8_t latency[5] = {1, 0, 0, 0x0D, 0x40};
  ServeHostCall(plugin.ctx, CORVANE_HS_PCI_WRITE8, latency, nullptr);
  EXPECT_EQ(plugin.rvx->CardConfigRead8(0x0D), 0x40);
}

TEST(HostService, TheDriverKeyStaysTerminatedAndNothingHappensWithoutBuffersOrCard) {
  PluginSide plugin;
  plugin.ctx.driverKeyPath = std::string(300, 'k');
  char key[128] = {};
  ServeHostCall(plugin.ctx, CORVANE_HS_DRIVER_KEY, nullptr, key);
  EXPECT_EQ(std::strlen(key), 127u);

  // Null buffers and unknown codes are ignored; so is everything without the card object.
  for (uint32_t code = 0; code < 40; ++code) ServeHostCall(plugin.ctx, code, nullptr, nullptr);
  HostServiceContext noCard;
  uint32_t out = 0xEEEEEEEE;
  const uint32_t in[2] = {0xC0000, 0x1000};
  for (uint32_t code = 4; code < 40; ++code) ServeHostCall(noCard, code, in, &out);
  EXPECT_EQ(out, 0xEEEEEEEEu);
  ServeHostCall(noCard, CORVANE_HS_DRIVER_AVAILABLE, nullptr, &out);
  EXPECT_EQ(out, 0u);
}

}  // namespace
}  // namespace corvane::plugins
