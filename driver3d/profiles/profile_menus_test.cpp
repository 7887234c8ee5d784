// The tray's profile submenus and "另存为配置文件", with the name dialog played by the test.
#include "driver3d/profiles/profile_menus.h"

#include "driver3d/profiles/profile_test_support.h"
#include "platform/counting_registry.h"
#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::driver3d::testing {
namespace {

using Names = std::vector<std::wstring>;

class ProfileMenuTest : public ProfileTest {
 protected:
  ProfileMenuTest() {
    Start(false);
    menus = std::make_unique<Profile3DMenus>(pm1, Profile3DMenuContext{Context(), {forms, clock}, [this] { ++trayDone; }});
  }
  // The captions of a submenu's items; with `checkedOnly`, of the checked ones.
  Names Captions(const wchar_t* menu, bool checkedOnly = false) {
    Names captions;
    ui::TMenuItem& item = pm1.Item(menu);
    for (size_t i = 0; i < item.Count(); ++i)
      if (!checkedOnly || item[i].Checked) captions.push_back(item[i].Caption);
    return captions;
  }

  ui::TPopupMenu pm1{L"pm1",
                     {{.name = L"Direct3D1", .items = {{.name = L"sap1"}}},
                      {.name = L"Direct3DP1"},
                      {.name = L"OpenGL1", .items = {{.name = L"sap2"}}},
                      {.name = L"OpenGLP1"}}};
  platform::SimClock clock;
  ui::SimFormRenderer forms;
  int trayDone = 0;
  std::unique_ptr<Profile3DMenus> menus;
};

TEST_F(ProfileMenuTest, OnlyTheFirstMatchingProfileInRegistryOrderIsChecked) {
  const Profile3DContext ctx = Context();
  SetText(L"AntiAliasSamples", L"6");
  SaveD3DProfile(ctx, L"Other");
  SetText(L"AntiAliasSamples", L"0");
  for (const wchar_t* name : {L"Zed", L"Alpha", L"$$"}) SaveD3DProfile(ctx, name);
  SaveOpenGLProfile(ctx, L"GL one");
  SaveOpenGLProfile(ctx, L"GL two");

  menus->RebuildProfileMenus();
  EXPECT_EQ(Captions(L"Direct3DP1"), (Names{L"Other", L"Zed", L"Alpha"}));
  EXPECT_EQ(Captions(L"Direct3DP1", true), Names{L"Zed"});
  EXPECT_EQ(menus->CheckedD3DProfile(), L"Zed");
  EXPECT_EQ(menus->CheckedOpenGLProfile(), L"GL one");
  EXPECT_FALSE(pm1.Item(L"Direct3DP1")[0].AutoHotkeys);

  // Choosing a profile applies it; the next popup marks it.
  pm1.Item(L"Direct3DP1")[0].Click();
  EXPECT_EQ(Text(L"AntiAliasSamples"), "sz:6");
  EXPECT_EQ(reloads, 1);
  menus->RebuildProfileMenus();
  EXPECT_EQ(Captions(L"Direct3DP1", true), Names{L"Other"});
  EXPECT_EQ(Captions(L"Direct3DP1").size(), 3u);
}

TEST_F(ProfileMenuTest, AnItemAppliesItsProfileByNameEvenWithAnAmpersandInIt) {
  const Profile3DContext ctx = Context();
  SetText(L"AntiAliasSamples", L"6");
  SaveD3DProfile(ctx, L"R&D");
  SetText(L"AntiAliasSamples", L"0");
  SaveD3DProfile(ctx, L"RD");
  menus->RebuildProfileMenus();
  ASSERT_EQ(Captions(L"Direct3DP1", true), Names{L"RD"});

  pm1.Item(L"Direct3DP1")[0].Click();
  EXPECT_EQ(Text(L"AntiAliasSamples"), "sz:6") << "not the profile named without the '&'";
  menus->RebuildProfileMenus();
  EXPECT_EQ(Captions(L"Direct3DP1", true), Names{L"R&D"});
}

TEST_F(ProfileMenuTest, MenusAreEnabledByAnyStoredProfileEvenTheHiddenBackup) {
  menus->RebuildProfileMenus();
  EXPECT_FALSE(pm1.Item(L"Direct3DP1").Enabled);
  EXPECT_FALSE(pm1.Item(L"OpenGLP1").Enabled);
  EXPECT_TRUE(sim.Exists(platform::RegistryRoot::CurrentUser, kProfilesRoot + L"d3d")) << "created when absent";

  SaveD3DProfile(Context(), kBackupProfileName);
  menus->RebuildProfileMenus();
  EXPECT_TRUE(pm1.Item(L"Direct3DP1").Enabled);
  EXPECT_EQ(pm1.Item(L"Direct3DP1").Count(), 0u);
  EXPECT_FALSE(pm1.Item(L"OpenGLP1").Enabled);
}

TEST_F(ProfileMenuTest, SavingFromTheTrayAsksForANameAndCanReplaceTheHiddenBackup) {
  const Profile3DContext ctx = Context();
  SaveD3DProfile(ctx, L"Old");
  SaveD3DProfile(ctx, kBackupProfileName);
  SetText(L"AnisoDegree", L"16");
  forms.OnModal([](ui::TForm& form) {
    EXPECT_EQ(form.Caption() + form[L"lbSelect"].Caption(), L"创建配置文件新的配置文件名");
    EXPECT_TRUE(form[L"cbSelect"].Editable() && !form[L"edName"].Visible());
    EXPECT_EQ(form[L"cbSelect"].Items(), Names{L"Old"});
    form[L"cbSelect"].UserSetText(L"  ");
    form[L"btOk"].Click();
    EXPECT_EQ(form.ModalResult(), ui::TModalResult::None) << "a blank name is refused";
    form[L"cbSelect"].UserSetText(L"$$");
    form[L"btOk"].Click();
  });
  pm1.Item(L"sap1").Click();
  EXPECT_EQ(trayDone, 1);
  EXPECT_TRUE(D3DProfileMatches(ctx, kBackupProfileName));
  menus->RebuildProfileMenus();
  EXPECT_EQ(Captions(L"Direct3DP1"), Names{L"Old"});

  // OpenGL: an existing name is replaced without asking; Cancel saves nothing.
  SaveOpenGLProfile(ctx, L"GL");
  SetDword(L"OGLFullSceneAAScale", 6, kOpenGLKey);
  forms.OnModal([](ui::TForm& form) {
    form[L"cbSelect"].UserSelect(0);
    form[L"btOk"].Click();
  });
  forms.OnModal([](ui::TForm& form) {
    form[L"cbSelect"].UserSetText(L"New");
    form[L"btCancel"].Click();
  });
  pm1.Item(L"sap2").Click();
  pm1.Item(L"sap2").Click();
  EXPECT_EQ(forms.History().size(), 3u) << "no overwrite question";
  EXPECT_EQ(platform::ReadRegDword(*Profile(L"ogl", L"GL"), L"OGLFullSceneAAScale"), 6u);
  EXPECT_FALSE(ProfileExists(L"ogl", L"New"));
  EXPECT_EQ(trayDone, 3);
}

// Another program (regedit, a restored backup, the driver's own panel) changes the
// profiles or the driver's settings between two popups: the next popup shows it. A
// popup after no change at all makes no registry call.
TEST_F(ProfileMenuTest, APopupReadsAgainOnlyAfterAChangeByAnyone) {
  platform::CountingRegistry counting(sim);
  DriverRegistry countedDriver(counting, kDriverKey);
  countedDriver.ReadStorageMode();
  Profile3DContext ctx = Context();
  Profile3DContext counted{countedDriver, counting, kProfilesRoot, quality, {}, {}};
  Profile3DMenus watched(pm1, {counted, {forms, clock}, {}});
  SetText(L"AntiAliasSamples", L"6");
  SaveD3DProfile(ctx, L"Six");
  SetText(L"AntiAliasSamples", L"0");
  SaveD3DProfile(ctx, L"Zero");
  SaveOpenGLProfile(ctx, L"GL");
  watched.RebuildProfileMenus();
  ASSERT_EQ(Captions(L"Direct3DP1", true), Names{L"Zero"});

  struct Change {
    const char* what;
    std::function<void()> change;
    Names d3dItems;
    Names d3dChecked;
  };
  const Change changes[] = {
      {"driver value changed", [&] { SetText(L"AntiAliasSamples", L"6"); }, {L"Six", L"Zero"}, {L"Six"}},
      {"profile value edited",
       [&] { platform::WriteRegString(*Profile(L"d3d", L"Six"), L"AntiAliasSamples", L"4"); },
       {L"Six", L"Zero"},
       {}},
      {"profile added", [&] { SaveD3DProfile(ctx, L"Now"); }, {L"Six", L"Zero", L"Now"}, {L"Now"}},
      {"profile deleted",
       [&] { sim.DeleteKey(platform::RegistryRoot::CurrentUser, kProfilesRoot + L"d3d\\Now"); },
       {L"Six", L"Zero"},
       {}},
      {"profile renamed",
       [&] {
         SaveD3DProfile(ctx, L"Renamed");
         sim.DeleteKey(platform::RegistryRoot::CurrentUser, kProfilesRoot + L"d3d\\Zero");
       },
       {L"Six", L"Renamed"},
       {L"Renamed"}},
  };
  for (const Change& change : changes) {
    counting.Reset();
    watched.RebuildProfileMenus();
    EXPECT_EQ(counting.Counts().Total(), 0u) << "nothing changed before: " << change.what;
    change.change();
    watched.RebuildProfileMenus();
    EXPECT_EQ(Captions(L"Direct3DP1"), change.d3dItems) << change.what;
    EXPECT_EQ(Captions(L"Direct3DP1", true), change.d3dChecked) << change.what;
    EXPECT_EQ(Captions(L"OpenGLP1"), Names{L"GL"}) << change.what;
  }
}

}  // namespace
}  // namespace corvane::driver3d::testing
