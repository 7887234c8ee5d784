// The tray's quick 3D items on the real pm1 and a simulated driver key: what each click
// leaves in the registry, and what the refresh makes of odd stored values.
#include "driver3d/quick_items/quick_3d_items.h"

#include <functional>

#include "app/menus/menu_tree.h"
#include "driver3d/test_driver_key.h"
#include "platform/counting_registry.h"
#include "platform/sim/clock_sim.h"
#include "platform/text_encoding.h"
#include "ui/form_renderer_sim.h"

namespace corvane::driver3d::testing {
namespace {

const std::wstring kOpenGLKey = kDriverKey + L"\\OpenGL";
const std::wstring kDirectDrawKey = L"SOFTWARE\\Microsoft\\DirectDraw";

class QuickItemsTest : public DriverKeyTest {
 protected:
  QuickItemsTest() : counting(sim), pm1(L"pm1", menus::DeclarePm1()) {
    Key(kOpenGLKey);
    Key(kDirectDrawKey);
  }

  // Start-up with whatever "ACE" the test stored.
  Quick3DItems& Items() {
    if (!items) {
      driver = std::make_unique<DriverRegistry>(counting, kDriverKey);
      driver->ReadStorageMode();
      items = std::make_unique<Quick3DItems>(
          pm1, Quick3DContext{.driver = *driver,
                              .quality = quality,
                              .forms = {renderer, clock},
                              .UpdateTrayTip = [this] { ++tips; },
                              .ReloadDriverSettings = [this] { ++reloads; },
                              .DesktopRefreshRate = [this] { return desktopRate; }});
    }
    return *items;
  }
  void Refresh() { Items().Refresh(); }
  // A click as the renderer delivers it, counting what reaches the registry.
  void Click(const wchar_t* name) {
    Items();
    counting.Reset();
    pm1.Item(name).Click();
  }
  uint64_t Writes() const { return counting.Counts().writeValue + counting.Counts().deleteValue; }
  bool Checked(const wchar_t* name) { return pm1.Item(name).Checked; }
  std::vector<std::wstring> CheckedAmong(std::initializer_list<const wchar_t*> names) {
    std::vector<std::wstring> checked;
    for (const wchar_t* name : names)
      if (Checked(name)) checked.push_back(name);
    return checked;
  }
  void PutText(const std::wstring& name, const std::wstring& text, const std::wstring& path = kDriverKey) {
    Put(name, RegType::String, platform::ToUtf16LeBytes(text), path);
  }
  void PutDword(const std::wstring& name, uint32_t value, const std::wstring& path = kDriverKey) {
    Put(name, RegType::Dword, {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)},
        path);
  }
  std::optional<std::wstring> Text(const std::wstring& name, const std::wstring& path = kDriverKey) {
    return platform::ReadRegString(*Key(path), name);
  }
  std::optional<uint32_t> Dword(const std::wstring& name, const std::wstring& path = kDriverKey) {
    return platform::ReadRegDword(*Key(path), name);
  }

  platform::CountingRegistry counting;
  ui::TPopupMenu pm1;
  QualityCounters quality;
  ui::SimFormRenderer renderer;
  platform::SimClock clock;
  int tips = 0;
  int reloads = 0;
  uint32_t desktopRate = 85;
  std::unique_ptr<DriverRegistry> driver;
  std::unique_ptr<Quick3DItems> items;
};

TEST_F(QuickItemsTest, Direct3DAntiAliasingRewritesOnlyAChangedChoiceButOpenGLAlwaysWrites) {
  Refresh();
  ASSERT_TRUE(Checked(L"dxAAapp"));
  Click(L"dxAAapp");
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(reloads, 0);

  Click(L"dxAA4x");
  EXPECT_EQ(Text(L"AntiAlias"), L"2");
  EXPECT_EQ(Text(L"AntiAliasSamples"), L"4");
  EXPECT_EQ(quality.d3dAA, 4);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(tips, 1);

  Refresh();
  EXPECT_EQ(CheckedAmong({L"dxAAapp", L"dxAA2x", L"dxAA4x", L"dxAA6x"}), std::vector<std::wstring>{L"dxAA4x"});
  Click(L"dxAA4x");
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(reloads, 1);

  // The OpenGL choice is written again, and never makes the driver reload.
  ASSERT_TRUE(Checked(L"ApplicationControlled1"));
  Click(L"ApplicationControlled1");
  EXPECT_EQ(Writes(), 1u);
  EXPECT_EQ(Dword(L"OGLFullSceneAAScale", kOpenGLKey), 0u);
  Click(L"glAA6x");
  EXPECT_EQ(Dword(L"OGLFullSceneAAScale", kOpenGLKey), 6u);
  EXPECT_EQ(quality.oglAA, 6);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(tips, 3);
}

TEST_F(QuickItemsTest, ForcedAnisotropyNeedsARealFilterType) {
  PutText(L"AnisoType", L"0");
  Refresh();
  EXPECT_FALSE(pm1.Item(L"dxAFQ2x").Enabled) << "type items are off while the application picks the degree";
  Click(L"dxAF8x");
  EXPECT_EQ(Text(L"AnisoDegree"), L"8");
  EXPECT_EQ(Text(L"AnisoType"), L"2");
  EXPECT_EQ(quality.d3dAF, 8);

  PutText(L"AnisoType", L"1");
  Click(L"dxAF16x");
  EXPECT_EQ(Text(L"AnisoType"), L"1") << "a real type is kept";
  Refresh();
  EXPECT_TRUE(Checked(L"dxAFQ1x"));
  EXPECT_TRUE(pm1.Item(L"dxAFQ1x").Enabled);
  Click(L"dxAFApp");
  EXPECT_EQ(Text(L"AnisoType"), L"0");
  EXPECT_EQ(Text(L"AnisoDegree"), L"0");

  // An absent type is created as quality before the check.
  Key(kDriverKey)->DeleteValue(L"AnisoType");
  Refresh();
  Click(L"dxAF2x");
  EXPECT_EQ(Text(L"AnisoType"), L"2");

  // OpenGL: the type follows the fast-AA choice, and is 0 with the application's degree.
  Click(L"glAFPerf");
  Click(L"glAF4x");
  EXPECT_EQ(Dword(L"OGLAnisoType", kOpenGLKey), 1u);
  Click(L"glAFQuality");
  EXPECT_EQ(Dword(L"OGLEnableFastFullSceneAA", kOpenGLKey), 0u);
  Click(L"glAF16x");
  EXPECT_EQ(Dword(L"OGLAnisoType", kOpenGLKey), 2u);
  EXPECT_EQ(quality.oglAF, 16);
  Click(L"glAFApp");
  EXPECT_EQ(Dword(L"OGLAnisoType", kOpenGLKey), 0u);
  Refresh();
  EXPECT_TRUE(Checked(L"glAFApp"));
  EXPECT_FALSE(pm1.Item(L"glAFQuality").Enabled);
  EXPECT_EQ(CheckedAmong({L"glAFPerf", L"glAFQuality"}), std::vector<std::wstring>{});
}

TEST_F(QuickItemsTest, RefreshShowsOnlyOfferedChoicesButCountsWhatIsStored) {
  Refresh();
  Click(L"dxAA2x");
  Refresh();
  ASSERT_TRUE(Checked(L"dxAA2x"));
  PutText(L"AntiAliasSamples", L"5");
  PutText(L"TextureOpt", L"2");  // the item is spelt "dxtp2x"
  PutDword(L"OGLMaxAnisotropy", 8, kOpenGLKey);
  PutDword(L"OGLFullSceneAAScale", 3, kOpenGLKey);
  quality.oglAF = 99;
  Refresh();
  EXPECT_EQ(CheckedAmong({L"dxAAapp", L"dxAA2x", L"dxAA4x", L"dxAA6x"}), std::vector<std::wstring>{});
  EXPECT_EQ(quality, (QualityCounters{.d3dAA = 5, .d3dAF = 0, .oglAA = 3, .oglAF = 8}));
  EXPECT_EQ(CheckedAmong({L"dxTP3x", L"dxtp2x", L"dxTp1x", L"dxTp0x"}), std::vector<std::wstring>{L"dxtp2x"});
  EXPECT_EQ(CheckedAmong({L"ApplicationControlled1", L"glAA2x", L"glAA4x", L"glAA6x"}),
            std::vector<std::wstring>{});
  EXPECT_TRUE(Checked(L"glAF8x"));

  // Values the refresh creates when they are missing.
  EXPECT_EQ(Dword(L"OGLTextureOpt", kOpenGLKey), 3u);
  EXPECT_TRUE(Checked(L"glTP3x"));
  EXPECT_EQ(Text(L"VSync"), L"0");
  EXPECT_EQ(Text(L"ExportCompressedTex"), L"1");
  EXPECT_TRUE(Checked(L"dxDXT"));

  // A degree of "Q1" must not reach the type group, whose items it would spell.
  PutText(L"AnisoDegree", L"Q1");
  PutText(L"AnisoType", L"2");
  Refresh();
  EXPECT_EQ(CheckedAmong({L"dxAFQ1x", L"dxAFQ2x", L"dxAFQ0x"}), std::vector<std::wstring>{L"dxAFQ2x"});
  EXPECT_EQ(quality.d3dAF, 0);
}

TEST_F(QuickItemsTest, ShaderVersionsAreReadWithOrWithoutThePointAndUnofferedOnesRemoved) {
  PutText(L"PixelShaderVersion", L"2.0");
  PutText(L"VertexShaderVersion", L"11");
  Refresh();
  EXPECT_TRUE(Checked(L"ps20"));
  EXPECT_FALSE(Checked(L"psDis"));
  EXPECT_TRUE(Checked(L"vs11"));
  EXPECT_EQ(Text(L"PixelShaderVersion"), L"2.0") << "an offered version stays as the driver wrote it";

  for (const wchar_t* stored : {L"3.0", L"0", L""}) {
    PutText(L"PixelShaderVersion", stored);
    Refresh();
    EXPECT_FALSE(Stored(L"PixelShaderVersion")) << "\"" << platform::ToUtf8(stored) << "\"";
    EXPECT_TRUE(Checked(L"psDis"));
    EXPECT_FALSE(Checked(L"ps20"));
  }

  Click(L"ps14");
  EXPECT_EQ(Text(L"PixelShaderVersion"), L"14");
  Click(L"vsDis");
  EXPECT_FALSE(Stored(L"VertexShaderVersion"));
  EXPECT_EQ(reloads, 2);
}

TEST_F(QuickItemsTest, AForcedRateEqualToTheDesktopsShowsAsSameAsDesktopUntilTheDesktopChanges) {
  desktopRate = 75;
  Click(L"dxRRDesk");
  EXPECT_EQ(Dword(L"ForceRefreshRate", kDirectDrawKey), 75u);
  Click(L"glROVDesk");
  EXPECT_EQ(Dword(L"OGLForceRate"), 75u) << "the OpenGL rate lives in the driver key";
  EXPECT_EQ(reloads, 0);
  Refresh();
  EXPECT_TRUE(Checked(L"dxRRDesk"));
  EXPECT_TRUE(Checked(L"glROVDesk"));
  EXPECT_EQ(pm1.Item(L"dxRRCust").Caption, L"自定义");

  desktopRate = 60;
  Refresh();
  EXPECT_EQ(CheckedAmong({L"dxRRdis", L"dxRRDesk", L"dxRRCust"}), std::vector<std::wstring>{L"dxRRCust"});
  EXPECT_EQ(pm1.Item(L"dxRRCust").Caption, L"自定义 75Hz (点击设置新值)");
  EXPECT_EQ(pm1.Item(L"glROVCust").Caption, L"自定义 75Hz (点击设置新值)");

  Click(L"dxRRdis");
  EXPECT_FALSE(Stored(L"ForceRefreshRate", kDirectDrawKey));
  // Anything but a dword is no override.
  Put(L"OGLForceRate", RegType::String, platform::ToUtf16LeBytes(L"75"));
  Refresh();
  EXPECT_TRUE(Checked(L"dxRRdis"));
  EXPECT_TRUE(Checked(L"glROVdis"));
  EXPECT_EQ(pm1.Item(L"dxRRCust").Caption, L"自定义");
}

TEST_F(QuickItemsTest, HyperZAndTemporalAAShowNothingForUnofferedModes) {
  PutText(L"ZCompressionMode", L"1");
  Refresh();
  EXPECT_EQ(CheckedAmong({L"ZCMDef", L"ZCM0", L"ZCM2"}), std::vector<std::wstring>{});
  EXPECT_TRUE(Checked(L"ZMaskEnable1")) << "on by default";
  EXPECT_TRUE(Checked(L"TAADis"));
  EXPECT_FALSE(pm1.Item(L"TAAFrameCustom").Enabled);

  Click(L"ZCM2");
  EXPECT_EQ(Text(L"ZCompressionMode"), L"2");
  Click(L"ZMaskEnable1");
  EXPECT_EQ(Text(L"ZMaskEnable"), L"0");
  Click(L"TAA3x");
  PutText(L"TemporalAAFrameThreshold", L"40");
  Refresh();
  EXPECT_TRUE(Checked(L"ZCM2"));
  EXPECT_FALSE(Checked(L"ZMaskEnable1"));
  EXPECT_TRUE(Checked(L"TAA3x"));
  EXPECT_TRUE(Checked(L"TAAFrameCustom"));
  EXPECT_TRUE(pm1.Item(L"TAAFrameDef").Enabled);
  EXPECT_EQ(pm1.Item(L"TAAFrameCustom").Caption, L"自定义 40");

  Click(L"rvmall");
  Click(L"TAAFrameDef");
  EXPECT_FALSE(Stored(L"ZMaskEnable"));
  EXPECT_FALSE(Stored(L"ZCompressionMode"));
  Refresh();
  EXPECT_TRUE(Checked(L"ZCMDef"));
  EXPECT_TRUE(Checked(L"TAAFrameDef"));
  EXPECT_EQ(pm1.Item(L"TAAFrameCustom").Caption, L"自定义");
}

TEST_F(QuickItemsTest, VpuRecoverIsTheInverseOfDisableSmartSaveInEitherStorage) {
  Refresh();
  EXPECT_EQ(Stored(L"DisableSmartSave")->data, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(Stored(L"DisableSmartSave")->type, RegType::Binary);
  ASSERT_TRUE(Checked(L"VPURecover1"));
  Click(L"VPURecover1");
  EXPECT_EQ(Stored(L"DisableSmartSave")->data, (Bytes{1, 0, 0, 0}));
  Refresh();
  EXPECT_FALSE(Checked(L"VPURecover1"));
  Click(L"VPURecover1");
  EXPECT_EQ(Stored(L"DisableSmartSave")->data, (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(reloads, 2);

  PutDword(L"DisableSmartSave", 1);
  Refresh();
  EXPECT_FALSE(Checked(L"VPURecover1"));
  PutDword(L"DisableSmartSave", 0);
  Refresh();
  EXPECT_TRUE(Checked(L"VPURecover1"));
}

TEST_F(QuickItemsTest, InAceModeTogglesAreUtf16BinaryAndOpenGLItemsWriteTheSharedSettings) {
  Put(L"ACE", RegType::Binary, Utf16(L"1"));
  Refresh();
  EXPECT_TRUE(pm1.Item(L"WaitforVerticalSync1").Visible);
  EXPECT_FALSE(pm1.Item(L"D3DVaitV").Visible);
  EXPECT_TRUE(Checked(L"dxnVS0"));
  EXPECT_TRUE(Checked(L"nglZBDis"));

  Click(L"dxALTpix");
  EXPECT_EQ(Stored(L"PixelCenter")->type, RegType::Binary);
  EXPECT_EQ(Stored(L"PixelCenter")->data, (Bytes{'1', 0}));
  Click(L"mGI");
  EXPECT_EQ(Stored(L"GI")->data, (Bytes{'1', 0}));
  EXPECT_EQ(reloads, 2);
  Refresh();
  EXPECT_TRUE(Checked(L"dxALTpix"));
  Click(L"dxALTpix");
  EXPECT_EQ(Stored(L"PixelCenter")->data, (Bytes{'0', 0}));

  Click(L"glAA4x");
  EXPECT_EQ(Stored(L"AntiAlias")->data, Utf16(L"2"));
  EXPECT_EQ(Stored(L"AntiAliasSamples")->data, Utf16(L"4"));
  EXPECT_EQ(quality.d3dAA, 4);
  Click(L"glAF16x");
  EXPECT_EQ(Stored(L"AnisoDegree")->data, Utf16(L"16"));
  Click(L"glAFPerf");
  EXPECT_EQ(Text(L"AnisoType"), L"1") << "this one is a plain string in both modes";
  Click(L"glTP1x");
  EXPECT_EQ(Stored(L"TextureOpt")->data, Utf16(L"1"));
  Click(L"glVS3x");
  EXPECT_EQ(Stored(L"VSyncControl")->data, Utf16(L"3"));
  Click(L"glTripple");
  EXPECT_EQ(Stored(L"EnableTripleBuffering")->data, Utf16(L"1"));
  EXPECT_EQ(reloads, 3);
  for (const wchar_t* name : {L"OGLFullSceneAAScale", L"OGLMaxAnisotropy", L"OGLAnisoType", L"OGLTextureOpt",
                              L"OGLWaitVerticalSync", L"OGLEnableTripleBuffering"}) {
    EXPECT_FALSE(Stored(name)) << platform::ToUtf8(name);
    EXPECT_FALSE(Stored(name, kOpenGLKey)) << platform::ToUtf8(name);
  }

  Click(L"nglZB24");
  EXPECT_EQ(Stored(L"ForceZBufferDepth")->data, Utf16(L"24"));
  Refresh();
  EXPECT_TRUE(Checked(L"nglZB24"));
  EXPECT_TRUE(Checked(L"nglTripple"));
  EXPECT_TRUE(Checked(L"dxnVS3"));
  EXPECT_TRUE(Checked(L"dxAA4x"));
}

TEST_F(QuickItemsTest, CustomRateDialogsWriteTheChoiceOnOkAndNothingOnCancel) {
  desktopRate = 75;
  std::vector<std::wstring> offered;
  int preselected = -1;
  renderer.OnModal([&](ui::TForm& form) {
    offered = form[L"cbSelect"].Items();
    preselected = form[L"cbSelect"].ItemIndex();
    EXPECT_EQ(form.Caption(), L"设置自定义刷新率");
    EXPECT_EQ(form[L"lbSelect"].Caption(), L"选择刷新率");
    form[L"btCancel"].Click();
  });
  Click(L"dxRRCust");
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(offered.size(), 11u);
  EXPECT_EQ(preselected, 3) << "75 Hz";

  renderer.OnModal([](ui::TForm& form) {
    form[L"cbSelect"].UserSelect(8);
    form[L"btOk"].Click();
  });
  Click(L"glROVCust");
  EXPECT_EQ(Dword(L"OGLForceRate"), 150u);
  EXPECT_EQ(reloads, 0);

  PutText(L"TemporalAAFrameThreshold", L"30");
  renderer.OnModal([&](ui::TForm& form) {
    offered = form[L"cbSelect"].Items();
    EXPECT_EQ(form[L"cbSelect"].Text(), L"30");
    EXPECT_EQ(form.Caption(), L"Value");
    form[L"btCancel"].Click();
  });
  Click(L"TAAFrameCustom");
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(reloads, 0);
  ASSERT_EQ(offered.size(), 16u);
  EXPECT_EQ(offered[4], L"50");
  EXPECT_EQ(offered[5], L"60");

  renderer.OnModal([](ui::TForm& form) {
    form[L"cbSelect"].UserSelect(1);
    form[L"btOk"].Click();
  });
  Click(L"TAAFrameCustom");
  EXPECT_EQ(Text(L"TemporalAAFrameThreshold"), L"20");
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(renderer.UnusedScripts(), 0u);
}

// Between popups the items keep what they showed and make no registry call; a change by
// any program to the driver key, its OpenGL key or the DirectDraw key, or a new desktop
// mode, shows at the next popup.
TEST_F(QuickItemsTest, APopupReadsTheDriverAgainOnlyAfterAChange) {
  PutText(L"AntiAlias", L"2");
  PutText(L"AntiAliasSamples", L"4");
  Refresh();
  Refresh();  // the first refresh creates the values it reads with creation
  ASSERT_TRUE(Checked(L"dxAA4x"));
  ASSERT_TRUE(Checked(L"dxRRdis"));

  struct Case {
    const char* what;
    std::function<void()> change;
    const wchar_t* checkedAfter;
    QualityCounters qualityAfter;
  };
  const Case cases[] = {
      {"driver value", [&] { PutText(L"AntiAliasSamples", L"6"); }, L"dxAA6x", {.d3dAA = 6}},
      {"OpenGL value", [&] { PutDword(L"OGLFullSceneAAScale", 2, kOpenGLKey); }, L"glAA2x", {.d3dAA = 6, .oglAA = 2}},
      {"DirectDraw value", [&] { PutDword(L"ForceRefreshRate", 75, kDirectDrawKey); }, L"dxRRCust",
       {.d3dAA = 6, .oglAA = 2}},
      {"desktop mode", [&] { desktopRate = 75; }, L"dxRRDesk", {.d3dAA = 6, .oglAA = 2}},
  };
  for (const Case& c : cases) {
    const QualityCounters shown = quality;
    // The main form's refresh zeroes the counters before the items' step.
    quality.Clear();
    counting.Reset();
    Refresh();
    EXPECT_EQ(counting.Counts().Total(), 0u) << "nothing changed yet: " << c.what;
    EXPECT_EQ(quality, shown) << "nothing changed yet: " << c.what;

    c.change();
    quality.Clear();
    Refresh();
    EXPECT_TRUE(Checked(c.checkedAfter)) << c.what;
    EXPECT_EQ(quality, c.qualityAfter) << c.what;
  }
}

}  // namespace
}  // namespace corvane::driver3d::testing
