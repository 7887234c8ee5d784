#include <gtest/gtest.h>

#include "display/color/color_profiles.h"
#include "display/color/color_state.h"
#include "display/color/color_steps.h"
#include "display/color/color_test_support.h"
#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"

namespace corvane::display {
namespace {

using testing::AllChannels;
using testing::Grey;

TEST(ColorSteps, StopAtTheBoundsAndFollowRed) {
  // Up from 245 clamps every channel at 250; up from 250 does nothing.
  ColorSettings settings = AllChannels(0, 0, 245);
  EXPECT_TRUE(BrightnessUp(settings));
  EXPECT_EQ(settings, AllChannels(0, 0, 250));
  EXPECT_FALSE(BrightnessUp(settings));

  settings = AllChannels(0, 40, 0);
  EXPECT_FALSE(ContrastUp(settings));
  EXPECT_EQ(settings, AllChannels(0, 40, 0));

  // Red at -249 may still go down; every channel stops at -250.
  settings = AllChannels(0, 0, -249);
  EXPECT_TRUE(BrightnessDown(settings));
  EXPECT_EQ(settings, AllChannels(0, 0, -250));
  EXPECT_FALSE(BrightnessDown(settings));

  // Red decides: green and blue at their limit are clamped, not skipped.
  settings = AllChannels(20, -40, 0);
  settings.Gamma(ColorChannel::Red) = 0;
  settings.Contrast(ColorChannel::Red) = 0;
  EXPECT_TRUE(GammaUp(settings));
  EXPECT_TRUE(ContrastDown(settings));
  EXPECT_EQ(settings.Gamma(ColorChannel::Green), 20);
  EXPECT_EQ(settings.Contrast(ColorChannel::Blue), -40);
  EXPECT_EQ(settings.Gamma(ColorChannel::Red), 1);
  EXPECT_EQ(settings.Contrast(ColorChannel::Red), -1);

  settings = AllChannels(-20, 0, 0);
  EXPECT_FALSE(GammaDown(settings));
  ResetColor(settings);
  EXPECT_EQ(settings, ColorSettings{});
}

TEST(ColorProfiles, NamesAreCleanedAndBadDataIsIgnored) {
  EXPECT_EQ(CleanProfileName(L"a/b\\c?d|e\"f*g<h>i:j 夜"), L"a_b_c_d_e_f_g_h_i_j 夜");

  platform::SimRegistry registry;
  ColorProfiles profiles(registry, L"\\Soft\\Profiles\\");
  ColorSettings warm;
  warm.Brightness(ColorChannel::Red) = -250;
  warm.Gamma(ColorChannel::Blue) = 7;
  EXPECT_TRUE(profiles.Save(L"夜/游戏:1", warm));
  EXPECT_EQ(profiles.Names(), std::vector<std::wstring>{L"夜_游戏_1"});
  EXPECT_EQ(profiles.Read(L"夜_游戏_1"), warm);
  EXPECT_EQ(profiles.Read(L"夜/游戏:1"), warm);

  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, L"\\Soft\\Profiles\\colors", false);
  ASSERT_TRUE(key);
  auto stored = platform::ReadRegBinary(*key, L"夜_游戏_1");
  ASSERT_TRUE(stored);
  ASSERT_EQ(stored->size(), 36u);
  EXPECT_EQ((*stored)[2 * 4], 0x06);  // -250, little-endian
  EXPECT_EQ((*stored)[2 * 4 + 3], 0xFF);

  // Wrong size, wrong type: nothing. Values beyond their ranges are brought back.
  const uint8_t shortData[35] = {};
  platform::WriteRegBinary(*key, L"short", shortData);
  platform::WriteRegDword(*key, L"dword", 5);
  uint8_t wild[36] = {};
  wild[0] = 100;                          // red gamma 100
  wild[4] = 0x9C, wild[5] = wild[6] = wild[7] = 0xFF;  // red contrast -100
  platform::WriteRegBinary(*key, L"wild", wild);
  EXPECT_FALSE(profiles.Read(L"short"));
  EXPECT_FALSE(profiles.Read(L"dword"));
  EXPECT_FALSE(profiles.Read(L"missing"));
  platform::WriteRegBinary(*key, L"", *stored);
  EXPECT_FALSE(profiles.Read(L""));  // the key's default value is no profile
  EXPECT_FALSE(profiles.Save(L"", warm));
  ColorSettings clamped;
  clamped.Gamma(ColorChannel::Red) = 20;
  clamped.Contrast(ColorChannel::Red) = -40;
  EXPECT_EQ(profiles.Read(L"wild"), clamped);

  EXPECT_TRUE(profiles.Delete(L"夜_游戏_1"));
  EXPECT_FALSE(profiles.Read(L"夜_游戏_1"));
}

class ColorStateTest : public ::testing::Test {
 protected:
  platform::SimRegistry registry;
  std::array<int32_t, 9> current{};
  std::vector<ColorTable> written;
  ColorState state{current, ColorProfiles(registry, L"\\P\\"), [this](const ColorTable& t) { written.push_back(t); }};
};

TEST_F(ColorStateTest, ProfilesAndStepsReachThePalette) {
  // A missing profile changes nothing and writes nothing.
  EXPECT_FALSE(state.ApplyColorProfile(L"none"));
  EXPECT_TRUE(written.empty());

  state.Profiles().Save(L"bright", AllChannels(0, 0, 250));
  ColorTable table{};
  EXPECT_TRUE(state.LoadColorTable(L"bright", table));
  EXPECT_EQ(table[0], Grey(125));
  EXPECT_EQ(current, (std::array<int32_t, 9>{}));  // untouched
  EXPECT_TRUE(written.empty());

  EXPECT_TRUE(state.ApplyColorProfile(L"bright"));
  EXPECT_EQ(state.CurrentColor(), AllChannels(0, 0, 250));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written.back()[0], Grey(125));

  state.BrightnessUp();  // at the limit: still written again
  EXPECT_EQ(written.size(), 2u);
  state.BrightnessDown();
  EXPECT_EQ(current[2], 240);
  EXPECT_EQ(written.back()[0], ComputeColorTable(AllChannels(0, 0, 240))[0]);

  state.ResetColor();
  EXPECT_EQ(current, (std::array<int32_t, 9>{}));
  EXPECT_EQ(written.size(), 3u);  // reset alone does not apply
  state.ApplyCurrentColor();
  EXPECT_EQ(written.back()[200], Grey(200));
}

}  // namespace
}  // namespace corvane::display
