#include "app/menus/ati_tools.h"

#include <gtest/gtest.h>

#include "app/menus/menus_test_support.h"

namespace corvane::menus {
namespace {

using platform::RegistryRoot;
using testing::MenuRig;

const std::wstring kAti = L"\\SOFTWARE\\ATI Technologies\\";

void AddTool(MenuRig& rig, const std::wstring& key, const std::wstring& caption, const std::wstring& exe) {
  auto tool = rig.Key(RegistryRoot::LocalMachine, kAti + L"Desktop\\IconTA\\Programs\\" + key);
  if (!caption.empty()) platform::WriteRegString(*tool, L"", caption);
  if (!exe.empty()) platform::WriteRegString(*tool, L"Executable", exe);
}

void InstallMultimediaCenter(MenuRig& rig, const std::wstring& folder) {
  platform::WriteRegString(*rig.Key(RegistryRoot::LocalMachine, kAti + L"Install"), L"ATIMMCInstallDir", folder);
}

TEST(AtiTools, RegisteredToolsBecomeItemsWhoseTagIndexesTheirCommand) {
  MenuRig rig;
  AddTool(rig, L"a", L"Tuner", L"C:\\ATI\\tuner.exe");
  AddTool(rig, L"b", L"", L"C:\\ATI\\nocaption.exe");  // incomplete entries are left out
  AddTool(rig, L"c", L"Player", L"C:\\ATI\\player.exe /x");
  InstallMultimediaCenter(rig, L"C:\\MMC");  // the newer registration wins
  rig.sim.shell.AddFile(L"C:\\MMC\\main\\ATIMMC.exe");
  rig.Menus().RefreshMenuState();
  rig.Menus().RefreshMenuState();

  EXPECT_TRUE(rig.Item(L"ATISoftware1").Visible);
  EXPECT_EQ(rig.Captions(L"ATISoftware1"), (std::vector<std::wstring>{L"Tuner", L"Player"}));
  EXPECT_EQ(rig.Menus().AtiToolCommands(), (std::vector<std::wstring>{L"C:\\ATI\\tuner.exe", L"C:\\ATI\\player.exe /x"}));
  ui::TMenuItem& player = rig.Item(L"ATISoftware1")[1];
  EXPECT_EQ(player.Tag, 1);
  player.Click();
  auto starts = rig.sim.shell.Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].kind, platform::StartKind::WinExec);
  EXPECT_EQ(starts[0].file, L"C:\\ATI\\player.exe /x");
  EXPECT_EQ(starts[0].show, platform::ShowCommand::Show);
}

TEST(AtiTools, OlderPackagesOfferTheMultimediaCentreModes) {
  MenuRig rig;
  InstallMultimediaCenter(rig, L"C:\\Program Files\\ATI Multimedia");
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"ATISoftware1").Visible) << "registered, but the program is not there";
  rig.sim.shell.AddFile(L"c:\\program files\\ati multimedia\\MAIN\\atimmc.exe");
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Captions(L"ATISoftware1"),
            (std::vector<std::wstring>{L"CD Audio", L"File Player", L"TV", L"Video CD"}));
  EXPECT_EQ(rig.Menus().AtiToolCommands()[2], L"\"C:\\Program Files\\ATI Multimedia\\main\\ATIMMC.exe\" /TV+");
  EXPECT_EQ(rig.Menus().AtiToolCommands()[3], L"\"C:\\Program Files\\ATI Multimedia\\main\\ATIMMC.exe\" /DSVCD");
  EXPECT_TRUE(rig.Item(L"ATISoftware1").Visible);

  // The program went away: the menu goes too.
  rig.sim.shell.RemoveFile(L"C:\\Program Files\\ATI Multimedia\\main\\ATIMMC.exe");
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"ATISoftware1").Visible);
  EXPECT_EQ(rig.Item(L"ATISoftware1").Count(), 0u);
  EXPECT_TRUE(rig.Menus().AtiToolCommands().empty());
}

TEST(AtiTools, NoAtiSoftwareHidesTheMenu) {
  MenuRig rig;
  rig.Menus().RefreshMenuState();
  EXPECT_FALSE(rig.Item(L"ATISoftware1").Visible);
}

TEST(HydraVision, ShownOnlyWithAllThreeToolsAndCaptionedByTheirWindows) {
  MenuRig partial;
  partial.Key(RegistryRoot::LocalMachine, kAti + L"Desktop\\HydraVision\\HydraCPL");
  partial.Key(RegistryRoot::LocalMachine, kAti + L"Desktop\\HydraVision\\HydraDM");
  partial.Menus().DetectHydraVision();
  EXPECT_FALSE(partial.Item(L"HYDRAVISION1").Visible);

  MenuRig rig;
  const std::wstring root = kAti + L"Desktop\\HydraVision\\";
  platform::WriteRegString(*rig.Key(RegistryRoot::LocalMachine, root + L"HydraCPL"), L"Executable",
                           L"C:\\Hydra\\hydracpl.exe");
  platform::WriteRegString(*rig.Key(RegistryRoot::LocalMachine, root + L"HydraDM"), L"Executable",
                           L"C:\\Hydra\\hydradm.exe");
  platform::WriteRegString(*rig.Key(RegistryRoot::LocalMachine, root + L"HydraMD"), L"Executable",
                           L"C:\\Hydra\\hydramd.exe");
  rig.Menus().DetectHydraVision();
  ASSERT_TRUE(rig.Item(L"HYDRAVISION1").Visible);

  rig.sim.shell.AddWindowClass(L"wcAppianDesktop");
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Item(L"LoadDesktopManager1").Caption, L"Unload Desktop Manager");
  EXPECT_EQ(rig.Item(L"LoadMultiDesc1").Caption, L"Load MultiDesktop");

  for (const wchar_t* item : {L"LoadDesktopManager1", L"LoadMultiDesc1", L"Settings3", L"SetupWizard1"})
    rig.Item(item).Click();
  rig.sim.shell.RemoveWindowClass(L"wcAppianDesktop");
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Item(L"LoadDesktopManager1").Caption, L"Load Desktop Manager");
  rig.Item(L"LoadDesktopManager1").Click();

  std::vector<std::wstring> commands;
  for (const auto& start : rig.sim.shell.Starts()) commands.push_back(start.file);
  EXPECT_EQ(commands, (std::vector<std::wstring>{L"C:\\Hydra\\hydradm.exe /unload", L"C:\\Hydra\\hydramd.exe",
                                                 L"C:\\Hydra\\hydracpl.exe", L"C:\\Hydra\\HydraWizard.exe",
                                                 L"C:\\Hydra\\hydradm.exe"}));
}

}  // namespace
}  // namespace corvane::menus
