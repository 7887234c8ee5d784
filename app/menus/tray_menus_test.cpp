#include "app/menus/tray_menus.h"

#include <gtest/gtest.h>

#include <set>

#include "app/menus/menu_tree.h"
#include "app/menus/menus_test_support.h"

namespace corvane::menus {
namespace {

using testing::MenuRig;

void CollectNames(const ui::TMenuItem& item, std::vector<std::wstring>& names) {
  for (size_t i = 0; i < item.Count(); ++i) {
    names.push_back(item[i].Name);
    CollectNames(item[i], names);
  }
}

TEST(MenuTree, NamesAreUniqueAndTheDynamicPartsFollowTheirDeclaredItems) {
  MenuRig rig;
  std::vector<std::wstring> names;
  CollectNames(rig.pm1().Items, names);
  std::set<std::wstring> unique(names.begin(), names.end());
  EXPECT_EQ(unique.size(), names.size()) << "items are found by name";
  EXPECT_GT(names.size(), 200u);

  // The refresh deletes from these positions on: the declared items must stay before them.
  EXPECT_EQ(rig.Item(L"GameProfiles1").Count(), 2u);
  EXPECT_EQ(rig.Item(L"Overclocking1").Count(), 4u);
  EXPECT_EQ(rig.Item(L"Display1").Count(), 9u);
  EXPECT_EQ(rig.Item(L"Display1")[8].Name, L"DefaultSingleDisplay1");

  for (const wchar_t* name : {L"N8bpp1", L"N16bpp1", L"N32bpp1"}) EXPECT_NO_THROW(rig.Menus().pm2.Item(name));
  EXPECT_EQ(rig.Menus().pm2.Item(L"N16bpp1").Caption, L"16 bpp");
}

TEST(DriverModeCheck, AChangedStorageModeWarnsAtEveryPopupAndNeverRefreshes) {
  struct Case {
    bool startedInAce;
    const wchar_t* aceNow;
    const wchar_t* message;
  };
  for (const Case& c : {Case{false, L"1", L"已检测到新版催化剂控制中心.QRX 必须重新启动!"},
                        Case{true, L"0", L"已检测到控制面板的更改. QRX 必须重新启动!"}}) {
    MenuRig rig;
    rig.aceMode = c.startedInAce;
    rig.SetDriverValue(L"ACE", c.aceNow);
    rig.Profile(L"Games", L"Game");

    rig.pm1().OnPopup();
    rig.pm1().OnPopup();
    const auto& shown = rig.sim.user.History();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].request.text, c.message);
    EXPECT_EQ(shown[0].request.caption, L"警告!");
    EXPECT_EQ(shown[0].request.icon, platform::MessageIcon::Warning);
    EXPECT_EQ(rig.tipUpdates, 0);
    EXPECT_EQ(rig.Item(L"GameProfiles1").Count(), 2u);
  }
}

TEST(DriverModeCheck, AnUnchangedModeRefreshesSilently) {
  MenuRig rig;
  rig.quality = {4, 8, 2, 16};
  rig.Profile(L"Games", L"Game");
  rig.pm1().OnPopup();  // no driver key at all reads as the older mode
  rig.SetDriverValue(L"ACE", L"0");
  rig.pm1().OnPopup();
  EXPECT_TRUE(rig.sim.user.History().empty());
  EXPECT_EQ(rig.tipUpdates, 2);
  EXPECT_EQ(rig.quality.d3dAA + rig.quality.d3dAF + rig.quality.oglAA + rig.quality.oglAF, 0);
  EXPECT_EQ(rig.Item(L"GameProfiles1").Count(), 3u);
}

TEST(StartUpAdaptation, IniHidesApplyOutsideAceModeOnlyExceptTweaks) {
  MenuRig rig;
  rig.ini.hideOgl = rig.ini.hideD3d = rig.ini.hideTweaks = 1;
  rig.Menus().AdaptToStartUp();
  for (const wchar_t* name : {L"OpenGL1", L"OpenGLP1", L"N1", L"Direct3D1", L"Direct3DP1", L"N6", L"Tweaks1"})
    EXPECT_FALSE(rig.Item(name).Visible) << name;

  MenuRig ace;
  ace.aceMode = true;
  ace.ini.hideD3d = ace.ini.hideTweaks = 1;
  ace.Menus().AdaptToStartUp();
  EXPECT_TRUE(ace.Item(L"Direct3D1").Visible);
  EXPECT_TRUE(ace.Item(L"N6").Visible);
  EXPECT_FALSE(ace.Item(L"Tweaks1").Visible);
  EXPECT_FALSE(ace.Item(L"OpenGL1").Visible);
  EXPECT_EQ(ace.Item(L"Direct3D1").Caption, L"3D");
  EXPECT_EQ(ace.Item(L"Direct3DP1").Caption, L"3D Profiles");
  EXPECT_EQ(ace.Item(L"Direct3DP1").ImageIndex, 6);
  EXPECT_TRUE(ace.Item(L"ForceZBufferdepth1").Visible);

  MenuRig plain;  // only the value 1 counts
  plain.ini.hideOgl = 2;
  plain.Menus().AdaptToStartUp();
  EXPECT_TRUE(plain.Item(L"OpenGL1").Visible);
  EXPECT_FALSE(plain.Item(L"ForceZBufferdepth1").Visible);
}

TEST(CardCaption, ModelAndLowerCaseHexId) {
  EXPECT_EQ(CardCaption(0x4E48), L"Radeon 9800 (4e48)");
  EXPECT_EQ(CardCaption(0x1234), L"");
  MenuRig rig;
  rig.Menus().SetCardCaption(0x4E48);
  EXPECT_EQ(rig.Item(L"miCard").Caption, L"Radeon 9800 (4e48)");
  EXPECT_FALSE(rig.Item(L"miCard").Enabled);
}

TEST(DialogCommands, OneDialogAtATimeWithTheDriverWhereNeeded) {
  MenuRig rig;
  bool openWhileShown = false;
  int aboutShown = 0;
  rig.dialogs.about = [&] {
    openWhileShown = rig.dialogOpen;
    ++aboutShown;
    rig.Item(L"About1").Click();  // a second command while it shows does nothing
    rig.Item(L"Exit1").Click();
    return true;
  };
  rig.Item(L"About1").Click();
  EXPECT_EQ(aboutShown, 1);
  EXPECT_TRUE(openWhileShown);
  EXPECT_FALSE(rig.dialogOpen);
  EXPECT_EQ(rig.closed, 0);
  EXPECT_EQ(rig.trayMenuDone, 1);
  EXPECT_EQ(rig.hidden, 1);

  rig.Item(L"Exit1").Click();
  EXPECT_EQ(rig.closed, 1);

  // A dialog that throws still lets the next one open.
  rig.Menus().Context().dialogs.colors = [] () -> bool { throw std::runtime_error("gone"); };
  EXPECT_THROW(rig.Item(L"Settings5").Click(), std::runtime_error);
  EXPECT_FALSE(rig.dialogOpen);

  // Dialogs not built yet keep the pattern and do nothing else.
  rig.Item(L"Settings1").Click();
  EXPECT_FALSE(rig.dialogOpen);
  EXPECT_EQ(rig.trayMenuDone, 2);
}

TEST(DialogCommands, HardwareDialogsNeedTheDriverAndSaveSettings) {
  MenuRig noCard(/*withCard=*/false);
  int shown = 0;
  noCard.dialogs.displays = noCard.dialogs.hardwareSettings = [&] { return ++shown, true; };
  noCard.Item(L"Settings7").Click();
  noCard.Item(L"Settings6").Click();
  EXPECT_EQ(shown, 0);

  MenuRig rig;
  rig.dialogs.hardwareSettings = [&] { return ++shown, true; };
  rig.dialogs.overclocking = [&] {
    rig.reg1->SetValue(L"AutoOverProfile", std::wstring(L"Fast"));
    return true;  // asks for the main window to be hidden
  };
  rig.Item(L"Settings6").Click();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(rig.trayMenuDone, 0);  // the hardware settings dialog leaves the focus alone
  rig.Item(L"Overcloking1").Click();
  EXPECT_EQ(rig.hidden, 1);
  auto saved = rig.sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, L"\\" + global::ProgramKey, false);
  EXPECT_EQ(platform::ReadRegString(*saved, L"AutoOverProfile"), L"Fast");
}

TEST(HookCommands, TogglesFlipTheSettingSaveAndCallTheHook) {
  MenuRig rig;
  std::vector<std::string> calls;
  rig.hooks.installRefreshRateHook = [&] { calls.push_back("rov+"); };
  rig.hooks.uninstallRefreshRateHook = [&] { calls.push_back("rov-"); };
  rig.hooks.installKeyboardHook = [&] { calls.push_back("kbd+"); };
  rig.hooks.uninstallKeyboardHook = [&] { calls.push_back("kbd-"); };
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"mROVEnabled").Checked);

  rig.Item(L"mROVEnabled").Click();
  rig.Menus().RefreshMenuState();
  EXPECT_TRUE(rig.Item(L"mROVEnabled").Checked);
  rig.Item(L"mROVEnabled").Click();
  rig.Item(L"mEHT").Click();
  EXPECT_EQ(calls, (std::vector<std::string>{"rov+", "rov-", "kbd+"}));
  auto saved = rig.sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, L"\\" + global::ProgramKey, false);
  EXPECT_EQ(platform::ReadRegDword(*saved, L"ROVEnabled"), 0u);
  EXPECT_EQ(platform::ReadRegDword(*saved, L"EnableHotKeys"), 1u);

  // The hotkey editor: the hook follows a changed setting after OK only.
  calls.clear();
  bool editorFlag = false;
  int reloads = 0;
  rig.Menus().Context().calls.ReloadHotkeys = [&] { ++reloads; };
  rig.Menus().Context().dialogs.hotkeyEditor = [&] {
    editorFlag = rig.hotkeyEditorOpen;
    rig.reg1->SetValue(L"EnableHotKeys", false);
    return true;
  };
  rig.Item(L"Settings4").Click();
  EXPECT_TRUE(editorFlag);
  EXPECT_FALSE(rig.hotkeyEditorOpen);
  EXPECT_EQ(reloads, 1);
  rig.Item(L"Settings4").Click();  // unchanged this time
  EXPECT_EQ(calls, std::vector<std::string>{"kbd-"});
}

}  // namespace
}  // namespace corvane::menus
