// Saving, applying and matching 3D profiles against a simulated driver, in both storage
// modes.
#include "driver3d/profiles/profile_store.h"

#include <cstring>

#include "driver3d/profiles/profile_test_support.h"

namespace corvane::driver3d::testing {
namespace {

using platform::ReadRegDword;
using platform::ReadRegString;
using platform::WriteRegDword;
using platform::WriteRegString;

TEST_F(ProfileTest, D3DProfileRoundTripsInBothModes) {
  for (bool ace : {false, true}) {
    SCOPED_TRACE(ace ? "AceMode" : "REG_SZ mode");
    Reset();
    Start(ace);
    const Profile3DContext ctx = Context();
    SetText(L"AntiAliasSamples", L"4");
    SetText(L"AnisoDegree", L"8");
    SetText(L"VSync", L"2");
    SetText(L"VSyncControl", L"3");
    SetText(L"EnableTripleBuffering", L"1");
    SetText(L"TemporalAAMultiplier", L"3");
    SetText(L"TemporalAAFrameThreshold", L"40");
    SetDword(L"ForceRefreshRate", 85, kDirectDraw);
    SaveD3DProfile(ctx, L"Mine");

    auto profile = Profile(L"d3d", L"Mine");
    EXPECT_EQ(ReadRegString(*profile, L"VSync"), ace ? L"3" : L"2");  // VSyncControl in AceMode
    EXPECT_EQ(ReadRegString(*profile, L"EnableTripleBuffering"), ace ? std::optional<std::wstring>(L"1") : std::nullopt);
    EXPECT_EQ(ReadRegDword(*profile, L"ForceRefreshRate"), 85u);
    EXPECT_EQ(Text(L"TrilinearOptimise"), ace ? "bin:0" : "sz:0");  // created in the driver
    EXPECT_TRUE(D3DProfileMatches(ctx, L"Mine"));

    SetText(L"AntiAliasSamples", L"0");
    SetText(L"VSync", L"0");
    SetText(L"VSyncControl", L"0");
    Remove(L"TemporalAAFrameThreshold");
    Remove(L"ForceRefreshRate", kDirectDraw);
    EXPECT_FALSE(D3DProfileMatches(ctx, L"Mine"));

    ApplyD3DProfile(ctx, L"Mine");
    const std::string mode = ace ? "bin:" : "sz:";
    EXPECT_EQ(Text(L"AntiAliasSamples"), mode + "4");
    EXPECT_EQ(Text(ace ? L"VSyncControl" : L"VSync"), mode + (ace ? "3" : "2"));
    EXPECT_EQ(Text(ace ? L"VSync" : L"VSyncControl"), "sz:0") << "the other mode's value stays";
    EXPECT_EQ(Text(L"TemporalAAFrameThreshold"), "sz:40");
    EXPECT_EQ(Dword(L"ForceRefreshRate", kDirectDraw), 85u);
    EXPECT_TRUE(D3DProfileMatches(ctx, L"Mine"));
    EXPECT_EQ(quality, (QualityCounters{.d3dAA = 4, .d3dAF = 8}));
    EXPECT_EQ(tips, 1);
    EXPECT_EQ(reloads, 1);
  }
}

TEST_F(ProfileTest, ApplyingD3DReturnsSwitchedOffValuesToTheDriverDefault) {
  Start(true);
  const Profile3DContext ctx = Context();
  SetText(L"AnisotropyOptimise", L"1");
  SetText(L"ExportBumpMappedTex", L"0");
  SetText(L"ForceZBufferDepth", L"24");
  SetDword(L"ForceRefreshRate", 100, kDirectDraw);
  // As saved outside AceMode, so without triple buffering or depth.
  auto profile = Profile(L"d3d", L"Plain");
  WriteRegString(*profile, L"AnisotropyOptimise", L"0");
  WriteRegString(*profile, L"TrilinearOptimise", L"yes");

  ApplyD3DProfile(ctx, L"Plain");
  EXPECT_EQ(Text(L"AnisotropyOptimise"), "");
  EXPECT_EQ(Text(L"ExportBumpMappedTex"), "");
  EXPECT_EQ(Dword(L"ForceRefreshRate", kDirectDraw), std::nullopt);
  EXPECT_EQ(Text(L"TrilinearOptimise"), "bin:0");
  EXPECT_EQ(Text(L"ForceZBufferDepth"), "sz:24");

  // Temporal AA: the multiplier by its first character; a threshold only while it is on.
  const char* cases[][4] = {
      {"2x", "30", "sz:2", "sz:30"}, {"5", "30", "sz:0", ""}, {"3", "0", "sz:3", ""}, {nullptr, "30", "sz:0", ""}};
  for (auto& c : cases) {
    SetText(L"TemporalAAFrameThreshold", L"99");
    profile->DeleteValue(L"TemporalAAMultiplier");
    if (c[0]) WriteRegString(*profile, L"TemporalAAMultiplier", std::wstring(c[0], c[0] + strlen(c[0])));
    WriteRegString(*profile, L"TemporalAAFrameThreshold", std::wstring(c[1], c[1] + strlen(c[1])));
    ApplyD3DProfile(ctx, L"Plain");
    EXPECT_EQ(Text(L"TemporalAAMultiplier"), c[2]) << (c[0] ? c[0] : "absent");
    EXPECT_EQ(Text(L"TemporalAAFrameThreshold"), c[3]) << (c[0] ? c[0] : "absent");
  }

  // A missing profile changes nothing.
  const int reloadsBefore = reloads;
  ApplyD3DProfile(ctx, L"Missing");
  EXPECT_EQ(reloads, reloadsBefore);
  EXPECT_EQ(Text(L"TemporalAAMultiplier"), "sz:0");
}

TEST_F(ProfileTest, OpenGLProfileRoundTripOutsideAceMode) {
  Start(false);
  const Profile3DContext ctx = Context();
  SetDword(L"OGLFullSceneAAScale", 4, kOpenGLKey);
  SetDword(L"OGLMaxAnisotropy", 16, kOpenGLKey);
  SetDword(L"OGLWaitVerticalSync", 3, kOpenGLKey);
  SetText(L"CatalystAI", L"2");
  SetDword(L"OGLForceRate", 75);
  SaveOpenGLProfile(ctx, L"GL");
  auto profile = Profile(L"ogl", L"GL");
  EXPECT_EQ(ReadRegDword(*profile, L"OGLWaitVerticalSync"), 3u);
  EXPECT_EQ(ReadRegDword(*profile, L"OGLTextureOpt"), 3u);
  EXPECT_EQ(Dword(L"OGLTextureOpt", kOpenGLKey), 3u);  // created
  EXPECT_EQ(ReadRegString(*profile, L"CatalystAI"), L"2");
  EXPECT_TRUE(OpenGLProfileMatches(ctx, L"GL"));

  SetDword(L"OGLMaxAnisotropy", 0, kOpenGLKey);
  Remove(L"OGLForceRate");
  SetText(L"TemporalAAMultiplier", L"2");
  EXPECT_FALSE(OpenGLProfileMatches(ctx, L"GL"));

  ApplyOpenGLProfile(ctx, L"GL");
  EXPECT_EQ(Dword(L"OGLMaxAnisotropy", kOpenGLKey), 16u);
  EXPECT_EQ(Dword(L"OGLForceRate"), 75u);
  EXPECT_EQ(Text(L"TemporalAAMultiplier"), "sz:0");
  EXPECT_EQ(Dword(L"OGLMaxAnisotropy"), std::nullopt) << "nothing of OpenGL in the driver key";
  EXPECT_TRUE(OpenGLProfileMatches(ctx, L"GL"));
  EXPECT_EQ(quality, (QualityCounters{.oglAA = 4, .oglAF = 16}));
  EXPECT_EQ(tips, 1);
  EXPECT_EQ(reloads, 0);
}

TEST_F(ProfileTest, InAceModeOpenGLProfilesBecomeTheSharedDriverValues) {
  Start(true);
  const Profile3DContext ctx = Context();
  SaveOpenGLProfile(ctx, L"New");
  EXPECT_FALSE(ProfileExists(L"ogl", L"New"));

  auto profile = Profile(L"ogl", L"Old");
  for (auto [name, value] : {std::pair{L"OGLFullSceneAAScale", 6}, {L"OGLMaxAnisotropy", 8}, {L"OGLLODBias", 1},
                             {L"OGLWaitVerticalSync", 2}, {L"OGLEnableTripleBuffering", 1}})
    WriteRegDword(*profile, name, value);
  WriteRegString(*profile, L"TemporalAAMultiplier", L"3");

  ApplyOpenGLProfile(ctx, L"Old");
  EXPECT_EQ(Text(L"AntiAlias"), "bin:2");
  EXPECT_EQ(Text(L"AntiAliasSamples"), "bin:6");
  EXPECT_EQ(Text(L"TextureLod"), "bin:1");
  EXPECT_EQ(Text(L"VSyncControl"), "bin:2");
  EXPECT_EQ(Text(L"EnableTripleBuffering"), "bin:1");
  EXPECT_EQ(Text(L"TemporalAAMultiplier"), "sz:3");
  EXPECT_EQ(quality.oglAA, 6);

  WriteRegDword(*profile, L"OGLFullSceneAAScale", 0);
  ApplyOpenGLProfile(ctx, L"Old");
  EXPECT_EQ(Text(L"AntiAlias"), "bin:1");
}

TEST_F(ProfileTest, RefreshRateOverridesMatchOnlyWhenBothSidesAgreeOnPresence) {
  Start(false);
  const Profile3DContext ctx = Context();
  SaveD3DProfile(ctx, L"NoRate");
  SetDword(L"ForceRefreshRate", 85, kDirectDraw);
  SaveD3DProfile(ctx, L"Rate85");
  SetDword(L"OGLForceRate", 72);
  SaveOpenGLProfile(ctx, L"Rate72");

  EXPECT_FALSE(D3DProfileMatches(ctx, L"NoRate"));
  EXPECT_TRUE(D3DProfileMatches(ctx, L"Rate85"));
  SetDword(L"ForceRefreshRate", 100, kDirectDraw);
  EXPECT_FALSE(D3DProfileMatches(ctx, L"Rate85"));
  Remove(L"ForceRefreshRate", kDirectDraw);
  EXPECT_TRUE(D3DProfileMatches(ctx, L"NoRate"));

  EXPECT_TRUE(OpenGLProfileMatches(ctx, L"Rate72"));
  Remove(L"OGLForceRate");
  EXPECT_FALSE(OpenGLProfileMatches(ctx, L"Rate72"));
}

TEST_F(ProfileTest, SavingReplacesTheWholeProfileAndTakesOnlyKeyNames) {
  Start(false);
  const Profile3DContext ctx = Context();
  WriteRegString(*Profile(L"d3d", L"Mine"), L"Leftover", L"1");
  SaveD3DProfile(ctx, L"Mine");
  SaveD3DProfile(ctx, L"");  // must not reach the kind's own key
  SaveD3DProfile(ctx, L"Mine\\Nested");
  EXPECT_FALSE(Profile(L"d3d", L"Mine")->QueryValue(L"Leftover"));
  EXPECT_TRUE(Profile(L"d3d", L"Mine")->SubKeyNames().empty());
  EXPECT_EQ(Profile(L"d3d", L"Mine")->ValueNames().size(), 16u);
}

}  // namespace
}  // namespace corvane::driver3d::testing
