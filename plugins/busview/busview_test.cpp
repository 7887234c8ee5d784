#include <gtest/gtest.h>

#include <vector>

#include "platform/sim/clock_sim.h"
#include "plugins/busview/bus_scan.h"
#include "plugins/busview/bus_view_form.h"
#include "plugins/host/simulated_host_test_support.h"
#include "ui/form_renderer_sim.h"

namespace corvane::busview {
namespace {

TEST(BusView, ClassDescriptions) {
  const struct {
    uint16_t key;
    const wchar_t* text;
  } cases[] = {
      {0x0600, L"Host Bridge Device"}, {0x0300, L"VGA Adapter"},     {0x0202, L"DDI Controller"},
      {0x0280, L"DDI Controller"},     {0x0C05, L"i2c/SMBus Serial Bus Controller"},
      {0x0C80, L"Unknown  c80"},       {0xFF00, L"Unknown ff00"},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassDescription(c.key), c.text) << std::hex << c.key;
}

TEST(BusView, TheDialogListsTheSimulatedBusWithTheHostBridgeFirst) {
  plugins::testing::SimulatedHost host;
  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  std::vector<std::wstring> rows;
  renderer.OnModal([&](ui::TForm& form) {
    rows = form[L"lvDevices"].Items();
    form[L"btOk"].Click();
  });
  TfrmBusView dialog(ui::FormContext{renderer, clock}, host.service);
  EXPECT_EQ(dialog.ShowModal(), ui::TModalResult::Ok);

  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(ui::SplitCells(rows[0]),
            (std::vector<std::wstring>{L"00", L"00", L"00", L"8086", L"2570", L"Host Bridge Device"}));
  bool card = false;
  for (const std::wstring& row : rows) {
    const auto cells = ui::SplitCells(row);
    if (cells[0] == L"01" && cells[1] == L"00" && cells[2] == L"00") card = cells[3] == L"1002" && cells[5] == L"VGA Adapter";
  }
  EXPECT_TRUE(card);
}

std::vector<CorvanePciAddress>& Probed() {
  static std::vector<CorvanePciAddress> probed;
  return probed;
}

// Every function answers, as a bus without the host's driver never does.
void CORVANE_PLUGIN_CALL EverythingAnswers(uint32_t code, const void* in, void* out) {
  ASSERT_EQ(code, uint32_t{CORVANE_HS_PCI_READ16});
  Probed().push_back(*static_cast<const CorvanePciAddress*>(in));
  *static_cast<uint32_t*>(out) = 0x1234;
}

void CORVANE_PLUGIN_CALL NoDriver(uint32_t, const void*, void* out) { *static_cast<uint32_t*>(out) = 0; }

TEST(BusView, DeviceThirtyOneIsNotProbedAndWithoutTheDriverTheListIsEmpty) {
  Probed().clear();
  const std::vector<PciFunction> all = ScanPciBus(&EverythingAnswers);
  EXPECT_EQ(all.size(), 8u * 31u * 8u);
  for (const CorvanePciAddress& address : Probed()) ASSERT_LT(address.device, 31);
  EXPECT_TRUE(ScanPciBus(&NoDriver).empty());
  EXPECT_TRUE(ScanPciBus(nullptr).empty());
}

}  // namespace
}  // namespace corvane::busview
