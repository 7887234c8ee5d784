#include "app/tray_icon.h"

#include <gtest/gtest.h>

#include <limits>

#include "settings/program_settings.h"
#include "platform/sim/notify_icon_sim.h"
#include "platform/sim/registry_sim.h"

namespace corvane {
namespace {

TEST(TrayTip, ClocksRoundToNearestWithTiesToEven) {
  EXPECT_EQ(RoundClock(300.4), 300);
  EXPECT_EQ(RoundClock(300.6), 301);
  EXPECT_EQ(RoundClock(300.5), 300);
  EXPECT_EQ(RoundClock(301.5), 302);
  // Infinite clocks come from dividers of 0; they must not be undefined behaviour.
  EXPECT_EQ(RoundClock(std::numeric_limits<double>::infinity()), std::numeric_limits<int32_t>::min());
}

TEST(TrayTip, DdrDoublesTheMemoryClockBeforeRounding) {
  TrayTipInputs inputs;
  inputs.coreClockMhz = 380.2;
  inputs.memClockMhz = 300.4;
  inputs.showDdr = true;
  EXPECT_EQ(TrayTipText(inputs), L"Corvane\r时钟 - 380:601\rD3D AA:0 AF:0\rOGL  AA:0 AF:0");
  inputs.showDdr = false;
  EXPECT_EQ(TrayTipText(inputs), L"Corvane\r时钟 - 380:300\rD3D AA:0 AF:0\rOGL  AA:0 AF:0");
}

TEST(TrayTip, AceModeShowsOneThreeDPairAndSimulationIsNamed) {
  TrayTipInputs inputs;
  inputs.coreClockMhz = 378;
  inputs.memClockMhz = 338;
  inputs.aceMode = true;
  inputs.quality = {4, 8, 2, 16};
  EXPECT_EQ(TrayTipText(inputs), L"Corvane\r时钟 - 378:338\r3D AA:4 AF:8");
  inputs.aceMode = false;
  inputs.simulated = true;
  EXPECT_EQ(TrayTipText(inputs), L"Corvane (simulated)\r时钟 - 378:338\rD3D AA:4 AF:8\rOGL  AA:2 AF:16");
}

class TrayIconTest : public ::testing::Test {
 protected:
  platform::SimRegistry registry;
  platform::SimNotifyIcon shell;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  TrayIcon icon{shell, *reg1, L"C:\\Corvane\\"};
  static constexpr platform::WindowHandle kWindow = 0x5150;

  void SetUp() override { icon.SetWindow(kWindow); }
};

TEST_F(TrayIconTest, AddsWithLoadingTipThenTheTipAloneChangesAndIsCutTo63Bytes) {
  icon.AddTrayIcon();
  ASSERT_EQ(shell.Calls().size(), 1u);
  const platform::NotifyIconData& added = shell.Calls()[0].data;
  EXPECT_EQ(added.flags, 7u);
  EXPECT_EQ(added.id, 6655u);
  EXPECT_EQ(added.callbackMessage, 1599u);
  EXPECT_NE(added.icon, 0u);
  EXPECT_EQ(added.tip, L"Loading...");

  TrayTipInputs inputs;
  inputs.coreClockMhz = 1234;
  inputs.memClockMhz = 2345;
  inputs.simulated = true;
  inputs.quality = {16, 16, 16, 16};
  icon.UpdateTrayTip(inputs);
  const platform::NotifyIconData& modified = shell.Calls().back().data;
  EXPECT_EQ(modified.flags, 4u);
  EXPECT_EQ(modified.window, kWindow);
  // 69 bytes in a double-byte code page ("时钟" takes four); the last six go.
  const platform::SimTrayIcon* shown = shell.Find(kWindow, kTrayIconId);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->tip, L"Corvane (simulated)\r时钟 - 1234:2345\rD3D AA:16 AF:16\rOGL  AA:16");
  EXPECT_EQ(shown->callbackMessage, 1599u);
}

}  // namespace
}  // namespace corvane
