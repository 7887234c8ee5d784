#include "settings/program_settings.h"

#include <gtest/gtest.h>

#include "settings/global.h"
#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"

namespace corvane::settings {
namespace {

TEST(ProgramSettings, DeclaresTheFiftyValuesInOrderWithTheirDefaults) {
  platform::SimRegistry registry;
  auto reg1 = CreateProgramSettings(registry);
  ASSERT_EQ(reg1->Items.Count(), 51u);
  EXPECT_EQ(reg1->Items[0].ValueName(), L"ShowDDR");
  EXPECT_EQ(reg1->Items[15].ValueName(), L"ApplyHardware");
  EXPECT_EQ(reg1->Items[31].ValueName(), L"deft3");
  EXPECT_EQ(reg1->Items[49].ValueName(), L"UseNew3DApply");
  EXPECT_EQ(reg1->Key, L"\\SOFTWARE\\Quillon\\Corvane");

  EXPECT_TRUE(reg1->GetBool(L"use_limits"));
  EXPECT_TRUE(reg1->GetBool(L"use_skinned_menu"));
  EXPECT_FALSE(reg1->GetBool(L"ShowDDR"));
  EXPECT_EQ(reg1->GetInteger(L"up_limit"), 50);
  EXPECT_EQ(reg1->GetInteger(L"down_limit"), 20);
  EXPECT_EQ(reg1->GetInteger(L"AudioSeconds"), 60);
  EXPECT_EQ(reg1->GetString(L"IntVTR"), L"1.0");
  EXPECT_EQ(reg1->GetString(L"SSFolder"), L"c:\\");
  EXPECT_EQ(reg1->GetFloat(L"deft1"), 0.0);
  // The tray asks with another spelling; lookups ignore case.
  EXPECT_EQ(reg1->GetInteger(L"OemVersion"), 0);
  EXPECT_EQ(reg1->GetString(L"OemIcon"), L"");

  int inSubKey = 0;
  for (size_t i = 0; i < reg1->Items.Count(); ++i) {
    EXPECT_TRUE(reg1->Items[i].AutoStore());
    if (!reg1->Items[i].SubKey().empty()) {
      ++inSubKey;
      EXPECT_EQ(reg1->Items[i].SubKey(), L"\\Profiles\\Hardware");
    }
  }
  EXPECT_EQ(inSubKey, 3);
}

TEST(ProgramSettings, DestroyingWritesEveryValueWhereItBelongs) {
  platform::SimRegistry registry;
  {
    auto reg1 = CreateProgramSettings(registry);
    reg1->SetValue(L"PCILatency", int32_t{64});
  }
  auto main = registry.OpenKey(platform::RegistryRoot::CurrentUser, L"SOFTWARE\\Quillon\\Corvane", false);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->ValueNames().size(), 48u);
  EXPECT_EQ(main->ValueNames().front(), L"ShowDDR");
  auto hardware = registry.OpenKey(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"Hardware", false);
  ASSERT_NE(hardware, nullptr);
  EXPECT_EQ(platform::ReadRegDword(*hardware, L"PCILatency"), 64u);
  EXPECT_EQ(global::IconsKey, L"SOFTWARE\\Quillon\\Corvane\\Profiles\\icons");
}

}  // namespace
}  // namespace corvane::settings
