#include "platform/sim/hardware/sim_display_devices.h"

#include <gtest/gtest.h>

#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_card_presets.h"
#include "platform/sim/registry_sim.h"

namespace corvane::platform::sim {
namespace {

DisplayMode Resolution(uint32_t width, uint32_t height, uint32_t depth, uint32_t rate) {
  DisplayMode mode;
  mode.fields = DisplayModeField::Resolution;
  mode.width = width;
  mode.height = height;
  mode.bitsPerPel = depth;
  mode.frequency = rate;
  return mode;
}

// What start-up does: the primary device, its driver key with the 18-character
// "\Registry\Machine\" prefix dropped, and the vendor and device from fixed columns.
TEST(SimDisplayDevices, PrimaryDeviceLeadsToItsDriverKey) {
  SimRegistry registry;
  SimDisplayOptions options = DisplayOptionsForCard(*FindCardPreset("X800 XT PE"));
  options.ace = L"1";
  SimDisplayDevices displays(registry, options);

  auto primary = FindPrimaryDisplayDevice(displays);
  ASSERT_TRUE(primary);
  EXPECT_EQ(primary->index, 0u);
  EXPECT_EQ(primary->device.name, L"\\\\.\\DISPLAY1");
  EXPECT_EQ(primary->device.description, L"RADEON X800 XT PE");
  EXPECT_EQ(primary->device.stateFlags, DisplayDeviceState::Primary | DisplayDeviceState::AttachedToDesktop);
  EXPECT_EQ(primary->device.deviceId.substr(0, 29), L"PCI\\VEN_1002&DEV_4A50&SUBSYS_");
  EXPECT_EQ(primary->device.deviceId.substr(8, 4), L"1002");
  EXPECT_EQ(primary->device.deviceId.substr(17, 4), L"4A50");

  auto key = registry.OpenKey(RegistryRoot::LocalMachine, primary->device.deviceKey.substr(18), false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(ReadRegString(*key, L"DriverDesc"), L"RADEON X800 XT PE");
  EXPECT_EQ(ReadRegString(*key, L"ACE"), L"1");

  auto second = displays.Device(1);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->stateFlags, DisplayDeviceState::AttachedToDesktop);
  EXPECT_FALSE(displays.Device(2));
}

TEST(SimDisplayDevices, DefaultsToA9800ProWithoutAce) {
  SimRegistry registry;
  SimDisplayDevices displays(registry);
  auto key = registry.OpenKey(RegistryRoot::LocalMachine, displays.Device(0)->deviceKey.substr(18), false);
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(key->QueryValue(L"ACE"));
  EXPECT_EQ(displays.Device(0)->deviceId, L"PCI\\VEN_1002&DEV_4E48&SUBSYS_00021002&REV_00");
}

TEST(SimDisplayDevices, ModeListCurrentAndRegistryModes) {
  SimRegistry registry;
  SimDisplayDevices displays(registry);
  int count = 0;
  while (displays.Mode(L"\\\\.\\DISPLAY1", count)) ++count;
  EXPECT_EQ(count, 4 * 6 * 3);
  EXPECT_EQ(displays.Mode(L"", 0)->bitsPerPel, 8u);
  EXPECT_EQ(displays.Mode(L"", count - 1)->width, 1600u);
  EXPECT_FALSE(displays.Mode(L"", -3));
  EXPECT_FALSE(displays.Mode(L"\\\\.\\DISPLAY9", 0));

  auto current = displays.Mode(L"", kCurrentDisplayMode);
  ASSERT_TRUE(current);
  EXPECT_EQ(*current, *displays.Mode(L"\\\\.\\display1", kRegistryDisplayMode));  // names compare without case
  EXPECT_EQ(current->width, 1024u);
  EXPECT_EQ(current->bitsPerPel, 32u);
  EXPECT_EQ(displays.Mode(L"\\\\.\\DISPLAY2", kCurrentDisplayMode)->positionX, 1024);
}

TEST(SimDisplayDevices, ChangesMoveTheCurrentAndRegistryModes) {
  SimRegistry registry;
  SimDisplayDevices displays(registry);
  const DisplayMode before = *displays.Mode(L"", kCurrentDisplayMode);

  // Testing and unlisted modes change nothing.
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(800, 600, 16, 75), DisplayChangeFlag::Test), 0);
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(800, 600, 16, 72), 0), DisplayChangeResult::BadMode);
  EXPECT_EQ(*displays.Mode(L"", kCurrentDisplayMode), before);

  // Update the registry only, then apply what is pending with the null record.
  const uint32_t later = DisplayChangeFlag::UpdateRegistry | DisplayChangeFlag::NoReset;
  EXPECT_EQ(displays.ChangeSettings(L"\\\\.\\DISPLAY1", Resolution(800, 600, 16, 75), later), 0);
  EXPECT_EQ(*displays.Mode(L"", kCurrentDisplayMode), before);
  EXPECT_EQ(displays.Mode(L"", kRegistryDisplayMode)->width, 800u);
  auto driverKey = registry.OpenKey(RegistryRoot::LocalMachine, std::wstring(kSimVideoKey) + L"\\0000", false);
  ASSERT_NE(driverKey, nullptr);
  EXPECT_EQ(ReadRegDword(*driverKey, L"DefaultSettings.XResolution"), 800u);
  EXPECT_EQ(ReadRegDword(*driverKey, L"DefaultSettings.VRefresh"), 75u);
  EXPECT_EQ(displays.ChangeSettings(L"", std::nullopt, 0), 0);
  EXPECT_EQ(displays.Mode(L"", kCurrentDisplayMode)->height, 600u);

  // Fields the record does not name keep their values; a rate of 0 takes any listed one.
  DisplayMode depthOnly;
  depthOnly.fields = DisplayModeField::BitsPerPel;
  depthOnly.bitsPerPel = 32;
  EXPECT_EQ(displays.ChangeSettings(L"", depthOnly, 0), 0);
  EXPECT_EQ(displays.Mode(L"", kCurrentDisplayMode)->width, 800u);
  EXPECT_EQ(displays.Mode(L"", kCurrentDisplayMode)->bitsPerPel, 32u);
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(1280, 1024, 32, 0), 0), 0);
  EXPECT_EQ(displays.Mode(L"", kCurrentDisplayMode)->frequency, 60u);
  EXPECT_EQ(displays.Mode(L"", kRegistryDisplayMode)->width, 800u);  // no UpdateRegistry

  EXPECT_EQ(displays.ChangeSettings(L"\\\\.\\DISPLAY7", Resolution(800, 600, 16, 75), 0),
            DisplayChangeResult::BadParam);
  displays.FailNextChange(DisplayChangeResult::Failed);
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(800, 600, 16, 75), 0), DisplayChangeResult::Failed);
  EXPECT_EQ(displays.Mode(L"", kCurrentDisplayMode)->width, 1280u);
  EXPECT_EQ(displays.Changes().size(), 8u);
}

// Windows tells every window of a new desktop mode; a refused or unchanged one says nothing.
TEST(SimDisplayDevices, ADesktopChangeIsAnnounced) {
  SimRegistry registry;
  SimDisplayDevices displays(registry);
  std::vector<DisplayMode> announced;
  displays.OnDisplayChange = [&](const DisplayMode& mode) { announced.push_back(mode); };
  const uint32_t now = DisplayChangeFlag::UpdateRegistry | DisplayChangeFlag::Global;
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(800, 600, 16, 72), now), DisplayChangeResult::BadMode);
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(1024, 768, 32, 85), now), 0);  // already so
  EXPECT_EQ(displays.ChangeSettings(L"\\\\.\\DISPLAY2", Resolution(800, 600, 16, 75), now), 0);
  EXPECT_TRUE(announced.empty());
  EXPECT_EQ(displays.ChangeSettings(L"", Resolution(800, 600, 16, 75), now), 0);
  ASSERT_EQ(announced.size(), 1u);
  EXPECT_EQ(announced[0], *displays.Mode(L"", kCurrentDisplayMode));
  EXPECT_EQ(announced[0].width, 800u);
}

// The rotation request: the rotation code in the low half of the orientation member
// (dmScale) and the width and height swapped for a quarter turn.
TEST(SimDisplayDevices, QuarterTurnTakesSwappedSizes) {
  SimRegistry registry;
  SimDisplayDevices displays(registry);
  DisplayMode rotated = Resolution(768, 1024, 32, 85);
  rotated.fields |= DisplayModeField::Scale;
  rotated.orientation = 1;
  EXPECT_EQ(displays.ChangeSettings(L"", rotated, DisplayChangeFlag::Test), 0);
  EXPECT_EQ(displays.ChangeSettings(L"", rotated, DisplayChangeFlag::UpdateRegistry | DisplayChangeFlag::Reset), 0);
  EXPECT_EQ(displays.Mode(L"", kCurrentDisplayMode)->orientation, 1u);
  rotated.orientation = 2;  // upside down keeps the sizes
  EXPECT_EQ(displays.ChangeSettings(L"", rotated, DisplayChangeFlag::Test), DisplayChangeResult::BadMode);
}

}  // namespace
}  // namespace corvane::platform::sim
