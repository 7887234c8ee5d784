#include "app/menus/desktop_icon_positions.h"

#include <gtest/gtest.h>

#include "app/menus/menus_test_support.h"

namespace corvane::menus {
namespace {

using platform::IconPosition;
using platform::RegistryRoot;
using testing::MenuRig;

TEST(DesktopIcons, SaveThenRestorePutsMovedIconsBackByText) {
  MenuRig rig;
  auto& desktop = rig.sim.desktopIcons;
  desktop.AddIcon(L"我的电脑", {10, 20});
  desktop.AddIcon(L"Recycle Bin", {-5, 700});
  const std::wstring key = L"SOFTWARE\\Test\\icons";
  {  // a stale entry from an earlier save must not survive the new one
    auto stale = rig.Key(RegistryRoot::CurrentUser, key);
    platform::WriteRegBinary(*stale, L"Gone", std::vector<uint8_t>(8, 0));
  }
  rig.Menus().SaveIconPositions(key);

  auto saved = rig.sim.registry.OpenKey(RegistryRoot::CurrentUser, key, false);
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->ValueNames(), (std::vector<std::wstring>{L"我的电脑", L"Recycle Bin"}));
  EXPECT_EQ(platform::ReadRegBinary(*saved, L"Recycle Bin"),
            (std::vector<uint8_t>{0xFB, 0xFF, 0xFF, 0xFF, 0xBC, 0x02, 0x00, 0x00}));

  desktop.MoveIcon(L"我的电脑", {300, 300});
  desktop.MoveIcon(L"Recycle Bin", {1, 1});
  desktop.SetStyle(platform::kDesktopAutoArrangeStyle | 0x4);
  rig.Menus().RestoreIconPositions(key);
  EXPECT_EQ(desktop.PositionOf(L"我的电脑"), (IconPosition{10, 20}));
  EXPECT_EQ(desktop.PositionOf(L"Recycle Bin"), (IconPosition{-5, 700}));
  // Auto-arrange was off for the moves and is back on afterwards.
  EXPECT_EQ(desktop.StyleChanges().back(), platform::kDesktopAutoArrangeStyle | 0x4);
  EXPECT_EQ(desktop.Style(), platform::kDesktopAutoArrangeStyle | 0x4);
  EXPECT_EQ(desktop.OpenViews(), 0);
}

TEST(DesktopIcons, RestoreSkipsValuesThatAreNotEightBinaryBytes) {
  MenuRig rig;
  auto& desktop = rig.sim.desktopIcons;
  for (const wchar_t* name : {L"Text", L"Short", L"Long", L"Good"}) desktop.AddIcon(name, {1, 2});
  const std::wstring key = L"SOFTWARE\\Test\\icons";
  {
    auto saved = rig.Key(RegistryRoot::CurrentUser, key);
    platform::WriteRegString(*saved, L"Text", L"12345678");
    platform::WriteRegBinary(*saved, L"Short", std::vector<uint8_t>(7, 9));
    platform::WriteRegBinary(*saved, L"Long", std::vector<uint8_t>(9, 9));
    platform::WriteRegBinary(*saved, L"Good", std::vector<uint8_t>{5, 0, 0, 0, 6, 0, 0, 0});
    platform::WriteRegBinary(*saved, L"No such icon", std::vector<uint8_t>(8, 1));
  }
  rig.Menus().RestoreIconPositions(key);
  for (const wchar_t* name : {L"Text", L"Short", L"Long"}) EXPECT_EQ(desktop.PositionOf(name), (IconPosition{1, 2}));
  EXPECT_EQ(desktop.PositionOf(L"Good"), (IconPosition{5, 6}));
  EXPECT_TRUE(desktop.StyleChanges().empty());  // not arranging: the style is left alone
}

TEST(DesktopIcons, WithoutTheDesktopViewNothingIsTouched) {
  MenuRig rig;
  rig.sim.desktopIcons.AddIcon(L"A", {1, 2});
  rig.sim.desktopIcons.SetAvailable(false);
  const std::wstring key = L"SOFTWARE\\Test\\icons";
  platform::WriteRegBinary(*rig.Key(RegistryRoot::CurrentUser, key), L"A", std::vector<uint8_t>(8, 0));
  rig.Menus().SaveIconPositions(key);
  rig.Menus().RestoreIconPositions(key);
  EXPECT_EQ(rig.sim.registry.OpenKey(RegistryRoot::CurrentUser, key, false)->ValueNames().size(), 1u);
}

TEST(DesktopIconItems, SaveDateDrivesTheRestoreAndForgetItems) {
  MenuRig rig;
  rig.sim.desktopIcons.AddIcon(L"A", {1, 2});
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"LDIP1").Enabled);
  EXPECT_FALSE(rig.Item(L"DSP1").Visible);

  // Just after midnight in China: the user's own date, as a whole day.
  rig.sim.clock.SetToday({2026, 12, 8});
  rig.Item(L"SaveDIP1").Click();
  rig.Menus().RefreshMenuState();
  EXPECT_TRUE(rig.Item(L"LDIP1").Enabled);
  EXPECT_TRUE(rig.Item(L"DSP1").Visible);
  EXPECT_EQ(rig.Item(L"DSP1").Caption, L"删除保存的位置 (保存日期 2026-12-08)");
  EXPECT_EQ(platform::ReadRegDouble(*rig.Key(RegistryRoot::CurrentUser, global::ProfilesRoot), L"IconsSaveDate"),
            46364.0);
  EXPECT_TRUE(rig.sim.registry.Exists(RegistryRoot::CurrentUser, global::IconsKey));

  rig.sim.desktopIcons.MoveIcon(L"A", {9, 9});
  rig.Item(L"LDIP1").Click();
  EXPECT_EQ(rig.sim.desktopIcons.PositionOf(L"A"), (IconPosition{1, 2}));
  const auto& shown = rig.sim.user.History();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].request.text, L"保存");
  EXPECT_EQ(shown[1].request.text, L"所有图标位置恢复");
  EXPECT_EQ(shown[1].request.caption, L"信息");
  EXPECT_EQ(shown[1].request.icon, platform::MessageIcon::Information);

  rig.Item(L"DSP1").Click();
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"DSP1").Visible);
  EXPECT_FALSE(rig.Item(L"LDIP1").Enabled);
  EXPECT_FALSE(rig.sim.registry.Exists(RegistryRoot::CurrentUser, global::IconsKey));

  // A damaged date reads as none.
  platform::WriteRegString(*rig.Key(RegistryRoot::CurrentUser, global::ProfilesRoot), L"IconsSaveDate", L"x");
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"DSP1").Visible);
}

}  // namespace
}  // namespace corvane::menus
