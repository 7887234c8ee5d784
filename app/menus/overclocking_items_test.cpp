#include "app/menus/overclocking_items.h"

#include <gtest/gtest.h>

#include "app/menus/menus_test_support.h"
#include "hardware/overclocking/clock_rounding.h"

namespace corvane::menus {
namespace {

using testing::MenuRig;

void AddOver(MenuRig& rig, const std::wstring& name, double vpu, double mem, std::vector<double> timings = {0, 0, 0}) {
  auto key = rig.Profile(L"over", name);
  platform::WriteRegDouble(*key, L"vpu", vpu);
  platform::WriteRegDouble(*key, L"mem", mem);
  for (size_t i = 0; i < timings.size(); ++i) platform::WriteRegDouble(*key, L"t" + std::to_wstring(i + 1), timings[i]);
}

TEST(OverclockingItems, FirstProfileWithTheCardClocksIsTheOnlyOneChecked) {
  MenuRig rig;
  ASSERT_TRUE(rig.rvx->DriverOpen);
  rig.rvx->ReadClocks();
  const double core = rig.rvx->CoreClock;
  const double mem = rig.rvx->MemClock;
  AddOver(rig, L"Other", core + 20, mem, {1, 0, 0});
  AddOver(rig, L"Stock A", core, mem);
  AddOver(rig, L"Stock B", core, mem);

  std::vector<std::wstring> applied;
  rig.Menus().plugged.applyOverProfile = [&](const std::wstring& name) { applied.push_back(name); };
  rig.Menus().RefreshMenuState();

  ui::TMenuItem& menu = rig.Item(L"Overclocking1");
  ASSERT_EQ(menu.Count(), 4u + 3u);
  // Registry order, not sorted.
  EXPECT_EQ(menu[4].Caption.substr(0, 8), L"Other * ");
  EXPECT_EQ(menu[4].Caption.substr(menu[4].Caption.size() - 5), L" T1  ");
  EXPECT_FALSE(menu[4].Checked);
  EXPECT_TRUE(menu[5].Checked);
  EXPECT_FALSE(menu[6].Checked);
  EXPECT_TRUE(menu[5].RadioItem);
  EXPECT_EQ(rig.Item(L"Overcloking1").Caption, L"超频设置...");

  menu[6].Click();
  EXPECT_EQ(applied, std::vector<std::wstring>{L"Stock B"});

  // DDR doubles the shown memory clock but the match still uses the real one.
  rig.reg1->SetValue(L"ShowDDR", true);
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(menu.Count(), 4u + 3u);
  EXPECT_TRUE(menu[5].Checked);
  EXPECT_NE(menu[5].Caption.find(L":" + std::to_wstring(overclocking::RoundHalfEven(2 * mem)) + L" "), std::wstring::npos);
}

TEST(OverclockingItems, MissingValuesAreWrittenBackAsZeroAndPresentOnesLeftAlone) {
  MenuRig rig;
  {
    auto key = rig.Profile(L"over", L"Bare");
    platform::WriteRegDouble(*key, L"vpu", 380.0);
    platform::WriteRegString(*key, L"t2", L"1");  // by hand, of another type
  }
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Item(L"Overclocking1")[4].Caption, L"Bare * 380:0   ");
  auto key = rig.Profile(L"over", L"Bare");
  EXPECT_EQ(platform::ReadRegString(*key, L"t2"), L"1");
  for (const wchar_t* name : {L"mem", L"t1", L"t3"}) {
    EXPECT_EQ(platform::ReadRegDouble(*key, name), 0.0) << name;
    EXPECT_EQ(key->ReadValue(name)->type, platform::RegType::Binary);
  }
  EXPECT_EQ(platform::ReadRegDouble(*key, L"vpu"), 380.0);
}

TEST(OverclockingItems, WithoutTheKernelDriverOnlyTheErrorCaptionChanges) {
  MenuRig rig(/*withCard=*/false);
  AddOver(rig, L"Any", 400, 300);
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Item(L"Overcloking1").Caption, L"加载设备驱动出错!");
  EXPECT_EQ(rig.Item(L"Overclocking1").Count(), 4u);
  EXPECT_TRUE(rig.Item(L"Overclocking1").Visible);

  // The overclocking dialog is not offered then either, and nothing is marked open.
  int shown = 0;
  rig.Menus().Context().dialogs.overclocking = [&] { return ++shown, false; };
  rig.Item(L"Overcloking1").Click();
  EXPECT_EQ(shown, 0);
  EXPECT_FALSE(rig.dialogOpen);
}

TEST(OverclockingItems, DisabledByTheIniSwitchHidesTheHardwareMenu) {
  MenuRig rig;
  rig.ini.optDisableOvr = 1;
  AddOver(rig, L"Any", 400, 300);
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"Overclocking1").Visible);
  EXPECT_EQ(rig.Item(L"Overclocking1").Count(), 4u);
}

}  // namespace
}  // namespace corvane::menus
