// The game profile editor played through its component model, and its place in the tray.
#include "games/gp_form.h"

#include "games/games_test_support.h"
#include "platform/sim/clock_sim.h"
#include "platform/sim/hardware/sim_display_devices.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/shell_sim.h"
#include "platform/sim/user_interaction_sim.h"
#include "settings/program_settings.h"

namespace corvane::games {
namespace {

using platform::ReadRegDword;
using platform::ReadRegString;
using platform::RegistryRoot;
using ui::TForm;

const std::wstring kRoot = L"\\P\\";

class GameEditorTest : public ::testing::Test {
 protected:
  GameEditorTest() {
    for (const wchar_t* name : {L"Quality", L"$$"}) Key(L"d3d\\" + std::wstring(name));
    for (const wchar_t* name : {L"Fast GL", L"$$"}) Key(L"ogl\\" + std::wstring(name));
    overclocking::WriteOverProfile(registry, L"Fast", 420.4, 360, 0x1234, 0, 0);
    overclocking::WriteOverProfile(registry, L"Slow", 300, 250, 0, 5, 0);
    platform::WriteRegBinary(*Key(L"colors"), L"Bright", std::vector<uint8_t>(36, 0));
  }
  std::unique_ptr<platform::RegistryKey> Key(const std::wstring& path) {
    return registry.OpenKey(RegistryRoot::CurrentUser, kRoot + path, true);
  }
  std::unique_ptr<platform::RegistryKey> Game(const std::wstring& name) {
    return registry.OpenKey(RegistryRoot::CurrentUser, kRoot + L"Games\\" + name, false);
  }
  void Run(std::function<void(TForm&)> script) {
    forms.OnModal(std::move(script));
    TfrmGP dialog({ui::FormContext{forms, clock}, registry, user, shell, *reg1, kRoot, &catalogue, aceMode,
                   L"C:\\Corvane\\support.dll"});
    dialog.ShowModal();
  }
  std::vector<std::wstring> Errors() const {
    std::vector<std::wstring> texts;
    for (const auto& shown : user.History())
      if (shown.request.caption == L"错误") texts.push_back(shown.request.text);
    return texts;
  }
  static void Settings(TForm& form) { form[L"pcGP"].UserSelect(1); }
  static void General(TForm& form) { form[L"pcGP"].UserSelect(0); }

  platform::SimRegistry registry;
  platform::sim::SimDisplayDevices displays{registry};
  display::TResClass catalogue{displays, L"\\\\.\\DISPLAY1"};
  platform::SimUserInteraction user;
  platform::SimShell shell;
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  bool aceMode = false;
};

TEST_F(GameEditorTest, SaveChecksEachChoiceInTurnThenStoresTheProfileUnderItsCleanName) {
  Run([&](TForm& form) {
    EXPECT_EQ(form.Caption(), L"游戏配置管理");
    EXPECT_EQ(form[L"pcGP"].ActivePage()->Caption(), L"常规");
    EXPECT_EQ(form[L"cbFS"].Items().front(), L"不更改");
    EXPECT_EQ(form[L"cbFS"].Text(), L"不更改");
    EXPECT_EQ(form[L"cbD3D"].Items(), std::vector<std::wstring>{L"Quality"}) << "no backup profile";
    EXPECT_EQ(form[L"cbOvers"].Items(), (std::vector<std::wstring>{L"Fast (420:360) T1 ", L"Slow (300:250)  T2"}));
    EXPECT_FALSE(form[L"btDelete"].Enabled());

    // Each missing piece is reported in turn; nothing is saved meanwhile.
    form[L"btSave"].Click();
    form[L"edName"].UserSetText(L"Half-Life: Who?");
    form[L"btSave"].Click();
    form[L"edFile"].UserSetText(L"C:\\HL\\hl.exe");
    Settings(form);
    form[L"cbUseD3D"].Click();
    form[L"btSave"].Click();
    form[L"cbD3D"].UserSelect(0);
    form[L"cbUseOGL"].Click();
    form[L"btSave"].Click();
    form[L"cbOGL"].UserSelect(0);
    form[L"cbAfterAction"].UserSelect(kOverChoiceProfile);
    form[L"btSave"].Click();
    form[L"cbAfter"].UserSelect(1);
    form[L"cbUseColor"].Click();
    form[L"btSave"].Click();
    EXPECT_TRUE(registry.OpenKey(RegistryRoot::CurrentUser, kRoot + L"Games", false) == nullptr ||
                registry.OpenKey(RegistryRoot::CurrentUser, kRoot + L"Games", false)->SubKeyNames().empty());

    form[L"cbColors"].UserSelect(0);
    form[L"cbBefore"].UserSelect(kOverChoiceAuto);
    form[L"cbRestoreD3D"].Click();
    General(form);
    form[L"cbFS"].UserSelect(catalogue.Find(1024, 768, 32) + 1);
    form[L"btSave"].Click();
    EXPECT_EQ(form[L"StatusBar1"].Caption(), L"Saved...");
    EXPECT_EQ(form[L"cbGames"].Text(), L"Half-Life_ Who_");
    EXPECT_TRUE(form[L"btDelete"].Enabled());
  });
  const std::vector<std::wstring> inOrder{L"输入配置文件名!",     L"请选择一个游戏应用程序!", L"请选择 Direct3D 配置",
                                         L"请选择 OpenGL 配置", L"请选择超频配置",          L"请选择颜色配置"};
  EXPECT_EQ(Errors(), inOrder);

  auto key = Game(L"Half-Life_ Who_");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ValueNames().size(), 15u);
  EXPECT_EQ(ReadRegString(*key, L"File"), L"C:\\HL\\hl.exe");
  EXPECT_EQ(ReadRegDword(*key, L"UseD3D"), 1u);
  EXPECT_EQ(ReadRegString(*key, L"D3DName"), L"Quality");
  EXPECT_EQ(ReadRegDword(*key, L"RestoreD3D"), 1u);
  EXPECT_EQ(ReadRegString(*key, L"OGLName"), L"Fast GL");
  EXPECT_EQ(ReadRegDword(*key, L"RestoreOGL"), 0u);
  EXPECT_EQ(ReadRegDword(*key, L"UseOver"), 2u);
  EXPECT_EQ(ReadRegString(*key, L"OverName"), L"") << "no profile for the automatic choice";
  EXPECT_EQ(ReadRegDword(*key, L"UseAfter"), 1u);
  EXPECT_EQ(ReadRegString(*key, L"AfterName"), L"Slow") << "the plain name, not the list entry";
  EXPECT_EQ(ReadRegString(*key, L"ColorProfile"), L"Bright");
  EXPECT_EQ(ReadRegString(*key, L"SwitchResolution"), L"1024x768x32");
}

TEST_F(GameEditorTest, ChoosingAProfileFillsTheEditorAndNewClearsItButTheColourAndExit) {
  GameProfile stored;
  stored.File = L"D:\\UT\\ut.exe";
  stored.File_Params = L"-log";
  stored.UseD3D = 1;
  stored.D3DName = L"Quality";
  stored.UseOver = OverAction::Profile;
  stored.OverName = L"Slow";
  stored.ColorProfile = L"Bright";
  stored.ExitAfterGame = 1;
  stored.SwitchResolution = L"800x600x16";
  WriteGameProfile(registry, kRoot, L"UT", stored);
  Key(L"Games\\Older");  // written by hand: no restore flags yet

  Run([&](TForm& form) {
    EXPECT_EQ(form[L"cbGames"].Items(), (std::vector<std::wstring>{L"Older", L"UT"}));
    form[L"cbGames"].UserSelect(1);
    EXPECT_EQ(form[L"StatusBar1"].Caption(), L"加载 UT");
    EXPECT_EQ(form[L"edName"].Text(), L"UT");
    EXPECT_EQ(form[L"edParams"].Text(), L"-log");
    EXPECT_EQ(form[L"cbFS"].Text(), L"800x600x16");
    EXPECT_TRUE(form[L"cbExit"].Checked());
    EXPECT_EQ(form[L"cbD3D"].Text(), L"Quality");
    EXPECT_TRUE(form[L"cbD3D"].Enabled());
    EXPECT_FALSE(form[L"cbOGL"].Enabled());
    EXPECT_EQ(form[L"cbOvers"].ItemIndex(), 1);
    EXPECT_TRUE(form[L"cbOvers"].Enabled());
    EXPECT_FALSE(form[L"cbAfter"].Enabled());
    EXPECT_EQ(form[L"cbColors"].Text(), L"Bright");

    form[L"btNew"].Click();
    EXPECT_EQ(form[L"edName"].Text(), L"");
    EXPECT_EQ(form[L"edFile"].Text(), L"");
    EXPECT_FALSE(form[L"cbUseD3D"].Checked());
    EXPECT_EQ(form[L"cbBefore"].Text(), L"无操作");
    EXPECT_EQ(form[L"cbOvers"].ItemIndex(), -1);
    EXPECT_EQ(form[L"cbGames"].ItemIndex(), -1);
    EXPECT_FALSE(form[L"btDelete"].Enabled());
    EXPECT_EQ(form[L"cbFS"].Text(), L"不更改");
    EXPECT_TRUE(form[L"cbUseColor"].Checked());
    EXPECT_TRUE(form[L"cbExit"].Checked());

    form[L"cbGames"].UserSelect(0);
    EXPECT_EQ(form[L"cbFS"].Text(), L"不更改");
  });
  EXPECT_EQ(ReadRegDword(*Game(L"Older"), L"RestoreD3D"), 0u) << "created by the reader";
}

TEST_F(GameEditorTest, InAceModeOpenGLIsHiddenAndNeverStored) {
  aceMode = true;
  GameProfile stored;
  stored.File = L"C:\\g.exe";
  stored.UseOGL = 1;
  stored.OGLName = L"Fast GL";
  stored.RestoreOGL = 1;
  WriteGameProfile(registry, kRoot, L"GL game", stored);
  Run([&](TForm& form) {
    EXPECT_FALSE(form[L"cbUseOGL"].Visible());
    EXPECT_FALSE(form[L"cbOGL"].Visible());
    EXPECT_FALSE(form[L"cbRestoreOGL"].Visible());
    EXPECT_EQ(form[L"cbUseD3D"].Caption(), L"3D");
    form[L"cbGames"].UserSelect(0);
    form[L"btSave"].Click();
  });
  EXPECT_TRUE(Errors().empty());
  EXPECT_EQ(ReadRegDword(*Game(L"GL game"), L"UseOGL"), 0u);
  EXPECT_EQ(ReadRegString(*Game(L"GL game"), L"OGLName"), L"");
  EXPECT_EQ(ReadRegDword(*Game(L"GL game"), L"RestoreOGL"), 0u);
}

TEST_F(GameEditorTest, BrowsingShortcutAndDelete) {
  reg1->SetValue(L"LastDir", std::wstring(L"E:\\Old\\"));
  shell.SetFileDescription(L"E:\\Games\\Doom 3\\doom3.exe", L"Doom 3");
  user.ChooseFile(L"E:\\Games\\Doom 3\\doom3.exe");
  Run([&](TForm& form) {
    form[L"SpeedButton1"].Click();
    EXPECT_EQ(form[L"edFile"].Text(), L"E:\\Games\\Doom 3\\doom3.exe");
    EXPECT_EQ(form[L"edName"].Text(), L"Doom 3") << "from the version information";
    form[L"btShortcut"].Click();
    EXPECT_EQ(form[L"StatusBar1"].Caption(), L"快捷方式 Doom 3, 已创建.");

    // Delete asks first; Cancel is the default.
    form[L"btDelete"].Click();
    EXPECT_TRUE(Game(L"Doom 3"));
    user.Answer(platform::MessageAnswer::Ok);
    form[L"btDelete"].Click();
    EXPECT_TRUE(form[L"cbGames"].Items().empty());
    EXPECT_FALSE(form[L"btDelete"].Enabled());

    // Saving fails without a file: no shortcut.
    form[L"edFile"].UserSetText(L"");
    form[L"btShortcut"].Click();
  });
  ASSERT_EQ(user.FileChoices().size(), 1u);
  EXPECT_EQ(user.FileChoices()[0].request.filter, L"可执行文件 (*.exe)|*.exe");
  EXPECT_EQ(user.FileChoices()[0].request.initialFolder, L"E:\\Old\\");
  EXPECT_EQ(reg1->GetString(L"LastDir"), L"E:\\Games\\Doom 3\\");
  const auto& confirm = user.History()[0].request;
  EXPECT_EQ(confirm.caption, L"确认");
  EXPECT_EQ(confirm.text, L"删除选择的配置吗?");
  EXPECT_EQ(confirm.defaultButton, 1);
  EXPECT_FALSE(Game(L"Doom 3"));

  auto shortcuts = shell.Shortcuts();
  ASSERT_EQ(shortcuts.size(), 1u);
  EXPECT_EQ(shortcuts[0].library, L"C:\\Corvane\\support.dll");
  EXPECT_EQ(shortcuts[0].request,
            (platform::ShortcutRequest{L"Doom 3", L"C:\\Program Files\\Corvane\\corvane.exe",
                                       L" /loadgame \"Doom 3\"", L"E:\\Games\\Doom 3\\doom3.exe",
                                       L"E:\\Games\\Doom 3"}));
}

// The tray item opens the editor, and what was saved there is in the tray menu afterwards.
class GameTrayTest : public testing::ProgramRig {};

TEST_F(GameTrayTest, AProfileMadeInTheEditorIsInTheTrayMenu) {
  Start();
  window.forms.OnModal([](TForm& form) {
    form[L"edName"].UserSetText(L"Rock&Roll");
    form[L"edFile"].UserSetText(L"C:\\Rock\\rock.exe");
    form[L"btSave"].Click();
    form[L"btClose"].Click();
  });
  ui::TMenuItem& games = form->TrayMenus()->pm1.Item(L"GameProfiles1");
  form->TrayMenus()->pm1.Item(L"MPG1").Click();
  EXPECT_EQ(window.forms.UnusedScripts(), 0u);
  ASSERT_EQ(games.Count(), 3u);
  EXPECT_EQ(games[2].Caption, L"Rock&Roll");
  ASSERT_EQ(form->ProfileLookupList.size(), 1u);
  EXPECT_EQ(form->ProfileLookupList[0], std::wstring(L"C:\\ROCK\\ROCK.EXE\x13") + L"Rock&Roll");
  EXPECT_FALSE(form->DialogOpen);
}

}  // namespace
}  // namespace corvane::games
