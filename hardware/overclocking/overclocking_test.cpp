// Timing registers, the profile store and applying profiles, without the
// dialog.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "hardware/overclocking/overclocking_test_support.h"
#include "hardware/overclocking/timings.h"

namespace corvane::overclocking {
namespace {

using testing::OverRig;
using P = TimingPage;
using V = std::vector<int>;

TEST(Timings, FieldsComeFromAndGoIntoTheirBits) {
  EXPECT_EQ(UnpackTiming(P::Timing, 0x24B46A35), (V{5, 3, 2, 13, 0, 1, 3, 4, 0, 2}));
  // Bits 23, 30 and 31 belong to no field.
  EXPECT_EQ(PackTiming(P::Timing, UnpackTiming(P::Timing, 0x24B46A35)), 0x24346A35u);
  EXPECT_EQ(UnpackTiming(P::SdramMode, 0x01B50000), (V{5, 3, 1, 1}));
  EXPECT_EQ(PackTiming(P::SdramMode, V{5, 3, 1, 1}), 0x01B50000u);
  EXPECT_EQ(UnpackTiming(P::Refresh, 0x0000F0A8), (V{168, 15}));
  EXPECT_EQ(PackTiming(P::Refresh, V{100, 3}), 0x3064u);
  EXPECT_EQ(PackTiming(P::Refresh, V{0x1FF, 0}), 0xFFu) << "a position is cut to its field";
}

TEST(Timings, SetAndRestoreWritesKeepTheOtherBits) {
  EXPECT_EQ(TimingToWrite(P::SdramMode, 0x35000132, 0x00B50000), 0xB4B50132u);
  EXPECT_EQ(TimingToWrite(P::Timing, 0xFFFFFFFF, 0x24346A35), 0x24346A35u);
  EXPECT_EQ(TimingToWrite(P::Refresh, 0x1234F0A8, 0x3064), 0x12343064u);
  EXPECT_EQ(TimingToRestore(P::SdramMode, 0x35000132), 0xB5000132u);
  EXPECT_EQ(TimingToRestore(P::Timing, 0x24B46A35), 0x24B46A35u);
  EXPECT_EQ(TimingToRestore(P::Refresh, 0x0000F0A8), 0x0000F0A8u);
}

TEST(Timings, ShownValues) {
  auto texts = [](P page, const V& positions) {
    std::vector<std::wstring> out;
    for (size_t i = 0; i < positions.size(); ++i) out.push_back(TimingValueText(page, i, positions));
    return out;
  };
  using T = std::vector<std::wstring>;
  EXPECT_EQ(texts(P::SdramMode, {15, 3, 1, 1}), (T{L"7.5", L"3", L"1/2 时钟", L"=WR 延迟+1/2 时钟"}));
  EXPECT_EQ(texts(P::SdramMode, {2, 1, 0, 0}), (T{L"1.0", L"1", L"0 时钟", L"=WR 延迟"}));
  // Same-bank TW2R shows the TWR value when set, else the TW2R value.
  EXPECT_EQ(texts(P::Timing, {0, 0, 0, 0, 0, 2, 6, 2, 1, 0}),
            (T{L"3", L"1", L"3", L"6", L"1", L"CL+3", L"7", L"2", L"7", L"1"}));
  EXPECT_EQ(TimingValueText(P::Timing, 8, V{0, 0, 0, 0, 0, 2, 6, 2, 0, 0}), L"2");
  EXPECT_EQ(texts(P::Refresh, {168, 15}), (T{L"168", L"28"}));
}

TEST(OverProfiles, NamesEntriesAndBadValues) {
  EXPECT_EQ(CleanProfileName(L"a/b"), L"a_b");
  EXPECT_EQ(CleanProfileName(L"/\\?|\"*<>:超频 1"), L"_________超频 1");
  EXPECT_EQ(OverProfileEntry(L"Fast", 400.5, 300.4, 2, true, false, true), L"Fast * 400:601 T1  T3");
  EXPECT_EQ(OverProfileEntry(L"Slow", 401.5, 250.5, 1, false, false, false), L"Slow * 402:250   ");
  EXPECT_EQ(ProfileNameFromEntry(L"My * one * 400:300   "), L"My");
  EXPECT_EQ(ProfileNameFromEntry(L"*"), L"");

  OverRig rig;
  EXPECT_FALSE(ReadOverProfile(rig.registry, L"None").has_value());
  auto key = rig.registry.OpenKey(platform::RegistryRoot::CurrentUser, OverProfileKey(L"Bad"), true);
  platform::WriteRegDword(*key, L"vpu", 400);
  platform::WriteRegDouble(*key, L"mem", std::numeric_limits<double>::quiet_NaN());
  platform::WriteRegDouble(*key, L"t1", -5);
  platform::WriteRegDouble(*key, L"t2", 1e12);
  platform::WriteRegDouble(*key, L"t3", 4259.9);
  const std::optional<StoredOverProfile> bad = ReadOverProfile(rig.registry, L"Bad");
  ASSERT_TRUE(bad.has_value());
  EXPECT_FALSE(bad->vpu || bad->mem);
  EXPECT_EQ(std::tie(bad->t1, bad->t2, bad->t3), std::make_tuple(0u, 0u, 4259u));
}

// The PLL register a twin card ends with after SetClocks with these arguments.
uint32_t DividersFor(bool fixed, double core, double mem) {
  OverRig twin;
  twin.rvx->SetClocks(fixed, core, mem);
  return twin.Card().Pll(hardware::Pll::X_MPLL_REF_FB_DIV);
}

size_t TimingStores(OverRig& rig) {
  return rig.Card().StoreCount(0x158) + rig.Card().StoreCount(0x144) + rig.Card().StoreCount(0x178);
}

TEST(ApplyOverProfile, RoundedClocksInTheStoredModeThenTheTip) {
  OverRig rig;
  auto ctx = rig.Context();
  rig.AddProfile(L"Fast", 400.4, 350.6);
  rig.Card().ClearCounters();
  EXPECT_TRUE(ApplyOverProfile(ctx, L"Fast"));
  EXPECT_EQ(rig.Card().Pll(hardware::Pll::X_MPLL_REF_FB_DIV), DividersFor(false, 400, 351));
  EXPECT_EQ(rig.Card().TotalPllWrites(), 1u);
  EXPECT_EQ(TimingStores(rig), 0u) << "no timing in the profile";
  EXPECT_EQ(rig.tipUpdates, 1);

  rig.reg1->SetValue(L"ClockMode", int32_t{1});
  ApplyOverProfile(ctx, L"Fast");
  EXPECT_EQ(rig.Card().Pll(hardware::Pll::X_MPLL_REF_FB_DIV), DividersFor(true, 400, 351));

  // Missing clocks are the BIOS's (380 and 340 MHz).
  rig.reg1->SetValue(L"ClockMode", int32_t{0});
  rig.AddProfile(L"Bare", std::nullopt, std::nullopt);
  ApplyOverProfile(ctx, L"Bare");
  EXPECT_EQ(rig.Card().Pll(hardware::Pll::X_MPLL_REF_FB_DIV), DividersFor(false, 380, 340));

  // Neither a deleted profile nor an empty name (the kind's own key) applies anything.
  rig.Card().ClearCounters();
  EXPECT_FALSE(ApplyOverProfile(ctx, L"Gone"));
  EXPECT_FALSE(ApplyOverProfile(ctx, L""));
  EXPECT_FALSE(WriteOverProfile(rig.registry, L"", 400, 300, 0, 0, 0));
  EXPECT_EQ(rig.Card().TotalStores(), 0u);
  EXPECT_EQ(rig.tipUpdates, 3);
}

TEST(ApplyOverProfile, TimingsGoFirstAndOnlyThoseStored) {
  OverRig rig;
  auto ctx = rig.Context();
  rig.AddProfile(L"Tight", 380, 340, 0, 0x24346A35, 0x3064);
  rig.Card().ClearCounters();
  ApplyOverProfile(ctx, L"Tight");
  EXPECT_EQ(rig.Card().StoreCount(0x158), 0u);
  EXPECT_EQ(rig.Card().Register(0x144), 0x24346A35u);
  EXPECT_EQ(rig.Card().Register(0x178), 0x00003064u);
  const auto& stores = rig.Card().Stores();
  ASSERT_FALSE(stores.empty());
  EXPECT_EQ(stores.front().offset, 0x144u);
}

struct AutoLoadCase : ::testing::Test {
  OverRig rig;
  OverclockingContext ctx = rig.Context();
  void SetUp() override {
    rig.AddProfile(L"Auto", 400, 350);
    rig.reg1->SetValue(L"AutoLoad", true);
    rig.reg1->SetValue(L"AutoOverProfile", std::wstring(L"Auto"));
    rig.Card().ClearCounters();
  }
  size_t Applied() { return rig.Card().TotalPllWrites(); }
};

TEST_F(AutoLoadCase, ANewCardIsWarnedAboutAndGetsNothingThisOnce) {
  rig.reg1->SetValue(L"LastDeviceID", int32_t{0x5D4D});
  LoadAutoOverProfile(ctx);
  ASSERT_EQ(rig.user.History().size(), 1u);
  const platform::MessageBoxRequest& box = rig.user.History()[0].request;
  EXPECT_EQ(box.caption, L"警告!");
  EXPECT_EQ(box.text, L"发现新设备! 启动时超频将不会被应用!");
  EXPECT_EQ(box.icon, platform::MessageIcon::Warning);
  EXPECT_EQ(Applied(), 0u);
  EXPECT_EQ(rig.reg1->GetInteger(L"LastDeviceID"), 0x4E48);

  LoadAutoOverProfile(ctx);  // the next start, same card
  EXPECT_EQ(rig.user.History().size(), 1u);
  EXPECT_EQ(Applied(), 1u);
}

TEST_F(AutoLoadCase, FirstRunAppliesAndTheSwitchesKeepItOff) {
  LoadAutoOverProfile(ctx);  // "LastDeviceID" 0: nothing to compare with
  EXPECT_EQ(Applied(), 1u);
  EXPECT_TRUE(rig.user.History().empty());
  rig.reg1->LoadAll();  // what a "/loadgame" forward makes the running instance do
  EXPECT_EQ(rig.reg1->GetInteger(L"LastDeviceID"), 0x4E48) << "in the registry as soon as it is set";

  OverclockingContext disabled = rig.Context(/*optDisableOvr=*/1);
  rig.reg1->SetValue(L"LastDeviceID", int32_t{0});
  LoadAutoOverProfile(disabled);
  rig.reg1->SetValue(L"AutoLoad", false);
  LoadAutoOverProfile(ctx);
  EXPECT_EQ(Applied(), 1u);
  EXPECT_EQ(rig.reg1->GetInteger(L"LastDeviceID"), 0x4E48) << "remembered even with nothing applied";

  rig.reg1->SetValue(L"AutoLoad", true);
  rig.reg1->SetValue(L"AutoOverProfile", std::wstring(L"Deleted since"));
  LoadAutoOverProfile(ctx);
  EXPECT_EQ(Applied(), 1u);
  EXPECT_TRUE(rig.user.History().empty());
}

TEST_F(AutoLoadCase, ResumeAppliesOnlyWithSuspendRestore) {
  RestoreOverProfileAfterResume(ctx);
  EXPECT_EQ(Applied(), 0u);
  rig.reg1->SetValue(L"SuspendRestore", true);
  OverclockingContext disabled = rig.Context(/*optDisableOvr=*/1);
  RestoreOverProfileAfterResume(disabled);
  EXPECT_EQ(Applied(), 0u);
  RestoreOverProfileAfterResume(ctx);
  EXPECT_EQ(Applied(), 1u);
  EXPECT_EQ(rig.tipUpdates, 1);
}

}  // namespace
}  // namespace corvane::overclocking
