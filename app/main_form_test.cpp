#include "app/main_form.h"

#include <gtest/gtest.h>

#include "app/main_form_test_support.h"
#include "ui/form_renderer_sim.h"

#include "settings/global.h"
#include "platform/registry_values.h"
#include "platform/sim/hardware/sim_ati_driver.h"
#include "platform/sim/hardware/sim_driver_library.h"
#include "platform/sim/hardware/sim_machine.h"
#include "platform/sim/plugin_modules_sim.h"
#include "platform/sim/sim_platform.h"

namespace corvane {
namespace {

using namespace corvane::main_form_testing;
using platform::NotifyIconCall;
using platform::RegistryRoot;
namespace sim = platform::sim;

TEST_F(MainFormTest, FirstStartHidesAddsTheIconThenFillsTheTipAndSavesItsSettings) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());

  // Hidden before the icon appears; the icon says "Loading..." until the menus are built.
  ASSERT_EQ(window.trayCallsWhenHidden, std::vector<size_t>{0});
  const auto& calls = sim.notifyIcon.Calls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].call, NotifyIconCall::Add);
  EXPECT_EQ(calls[0].data.tip, L"Loading...");
  EXPECT_EQ(calls.back().call, NotifyIconCall::Modify);
  const platform::SimTrayIcon* icon = sim.notifyIcon.Find(kWindow, kTrayIconId);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->tip.rfind(L"Corvane (simulated)\r时钟 - ", 0), 0u) << icon->tip;

  EXPECT_TRUE(form.Display().IsAtiDevice);
  EXPECT_EQ(form.Display().DisplayVendorId, 0x1002);
  EXPECT_EQ(form.Display().DisplayDeviceId, 0x4E48);
  EXPECT_EQ(form.Display().DriverKeyPath, std::wstring(sim::kSimVideoKey) + L"\\0000");
  EXPECT_EQ(form.CurrentDisplayMode().width, 1024u);
  EXPECT_EQ(form.TrayMenus()->pm1.Item(L"miCard").Caption, L"Radeon 9800 (4e48)");
  EXPECT_TRUE(sim.user.History().empty());

  auto key = SettingsKey();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(platform::ReadRegDword(*key, L"Proc_ID"), 4242u);
  // The memory timing defaults are the card's registers as found at start-up.
  hardware::TRVX& rvx = *form.rvx();
  EXPECT_EQ(form.reg1().GetFloat(L"deft1"), rvx.RegRead32(hardware::Reg::MC_SDRAM_MODE_REG));
  EXPECT_EQ(form.reg1().GetFloat(L"deft2"), rvx.RegRead32(hardware::Reg::MC_TIMING_CNTL));
  EXPECT_EQ(form.reg1().GetFloat(L"deft3"), rvx.RegRead32(hardware::Reg::MC_REFRESH_CNTL));
  EXPECT_NE(form.reg1().GetFloat(L"deft2"), 0.0);
}

// The start-up colour profile reaches the card's palette; a desktop change, which resets
// the palette, puts it back unless a 3D program runs.
TEST_F(MainFormTest, TheStartUpColourProfileIsInThePaletteAndSurvivesDisplayChanges) {
  auto colors = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"colors", true);
  uint8_t bright[36] = {};
  for (int channel = 0; channel < 3; ++channel) bright[channel * 12 + 8] = 250;  // brightness 250
  platform::WriteRegBinary(*colors, L"明亮", bright);
  auto settings = SettingsKey(true);
  platform::WriteRegDword(*settings, L"LoadColor", 1);
  platform::WriteRegString(*settings, L"LoadColorProfile", L"明亮");

  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  auto& card = machine.Card().Registers();
  EXPECT_EQ(card.PaletteEntry(0), 0x7D7D7Du);
  EXPECT_EQ(card.PaletteEntry(130), 0xFFFFFFu);
  EXPECT_EQ(form.ColorAdjustment[2], 250);

  card.SetPaletteEntry(0, 0);
  form.App3DRunning = true;
  form.DisplayChange();
  EXPECT_EQ(card.PaletteEntry(0), 0u);
  form.App3DRunning = false;
  form.DisplayChange();
  EXPECT_EQ(card.PaletteEntry(0), 0x7D7D7Du);
  card.SetPaletteEntry(0, 0);
  form.PowerBroadcast(PowerEvent::ResumeSuspend);
  EXPECT_EQ(card.PaletteEntry(0), 0x7D7D7Du);

  // The colour menu lists the profile after "设置"; choosing another applies it.
  platform::WriteRegBinary(*colors, L"中性", std::vector<uint8_t>(36, 0));
  form.RefreshMenuState();
  ui::TMenuItem& colorMenu = form.TrayMenus()->pm1.Item(L"Colors1");
  ASSERT_EQ(colorMenu.Count(), 4u);
  EXPECT_EQ(colorMenu[3].Caption, L"中性");
  colorMenu[3].Click();
  EXPECT_EQ(card.PaletteEntry(0x40), 0x404040u);
  EXPECT_EQ(form.ColorAdjustment, (std::array<int32_t, 9>{}));

  // "设置" opens the colour dialog on the values in force; OK writes the start-up choice.
  window.forms.OnModal([](ui::TForm& dialog) {
    EXPECT_EQ(dialog[L"cbStartup"].Checked(), true);
    dialog[L"tbGamma"].UserSetPosition(-20);
    dialog[L"cbStartup"].Click();
    dialog[L"btOk"].Click();
  });
  form.TrayMenus()->pm1.Item(L"Settings5").Click();
  EXPECT_EQ(form.ColorAdjustment[0], -20);
  EXPECT_FALSE(form.reg1().GetBool(L"LoadColor"));
  EXPECT_EQ(form.reg1().GetString(L"LoadColorProfile"), L"");
  EXPECT_FALSE(form.DialogOpen);
}

// The resolution menu is built at start-up from the displays' modes and switches from there.
TEST_F(MainFormTest, TheResolutionMenuSwitchesTheDesktop) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  ui::TPopupMenu& pm2 = form.TrayMenus()->pm2;
  EXPECT_EQ(pm2.Item(L"N32bpp1").Count(), 6u);
  ASSERT_NE(form.ResClass(), nullptr);
  EXPECT_EQ(form.ResClass()->Count(), 4 * 6);  // 24 bits are in the catalogue, not in the menu

  pm2.OnPopup();
  EXPECT_TRUE(pm2.Item(L"m1024x768x32").Checked);
  form.reg1().SetValue(L"res_dont_ask_rate", true);
  window.forms.OnModal([](ui::TForm& check) { check[L"btOk"].Click(); });
  pm2.Item(L"m800x600x16").Click();
  EXPECT_EQ(form.CurrentDisplayMode().width, 800u);
  EXPECT_EQ(form.CurrentDisplayMode().bitsPerPel, 16u);
  EXPECT_EQ(form.CurrentDisplayMode().frequency, 60u);
  EXPECT_FALSE(form.DialogOpen);

  // "自定义..." edits the lock table; OK turns the lock on, and the switch then takes the
  // highest rate without asking.
  window.forms.OnModal([](ui::TForm& lock) {
    lock[L"cbEnabled"].Click();
    lock[L"btAddAll"].Click();
    lock[L"btOk"].Click();
  });
  form.TrayMenus()->pm1.Item(L"Customize1").Click();
  EXPECT_TRUE(form.reg1().GetBool(L"ROVEnabled"));
  auto lock = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"ROV", false);
  ASSERT_NE(lock, nullptr);
  EXPECT_EQ(platform::ReadRegDword(*lock, L"1024x768x32"), 85u);
  form.reg1().SetValue(L"res_dont_ask_rate", false);
  window.forms.OnModal([](ui::TForm& check) { check[L"btOk"].Click(); });
  pm2.Item(L"m640x480x32").Click();
  EXPECT_EQ(form.CurrentDisplayMode().frequency, 85u);
  EXPECT_EQ(window.forms.UnusedScripts(), 0u);

  EXPECT_TRUE(form.SwitchToResolutionAtMaxRate(L"1280x1024x32"));
  EXPECT_EQ(sim.displayDevices.Mode(L"", platform::kCurrentDisplayMode)->frequency, 85u);
  EXPECT_FALSE(form.SwitchToResolutionAtMaxRate(L"1280x1000x32"));
}

TEST_F(MainFormTest, AboutItemShowsTheAboutBoxSayingTheHardwareIsSimulated) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  bool simulatedShown = false;
  window.forms.OnModal([&](ui::TForm& about) { simulatedShown = about[L"lbSimulated"].Visible(); });
  form.TrayMenus()->pm1.Item(L"About1").Click();
  ASSERT_EQ(window.forms.History().size(), 1u);
  EXPECT_TRUE(simulatedShown);
  EXPECT_FALSE(form.DialogOpen) << "the dialog pattern clears the flag afterwards";
}

TEST_F(MainFormTest, TheTrayMenuReadsAndWritesTheDriverAndTheDisplays) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  ui::TPopupMenu& pm1 = form.TrayMenus()->pm1;
  // The start-up refresh read the driver, the displays and the rotation in force, and
  // created the OpenGL values an installed driver lacks.
  auto openGLKey = sim.registry.OpenKey(RegistryRoot::LocalMachine, form.Display().DriverKeyPath + L"\\OpenGL", false);
  ASSERT_NE(openGLKey, nullptr);
  EXPECT_EQ(platform::ReadRegDword(*openGLKey, L"OGLLODBias"), 3u);
  EXPECT_TRUE(openGLKey->ReadValue(L"OGLTextureOpt"));
  EXPECT_TRUE(pm1.Item(L"dxAAapp").Checked);
  EXPECT_TRUE(pm1.Item(L"rt0").Checked);
  EXPECT_TRUE(pm1.Item(L"miExtDesk").Checked) << "both simulated heads are on the desktop";
  EXPECT_FALSE(form.DisplaySupport().DisplayUnsupported);

  pm1.Item(L"dxAA4x").Click();
  auto driverKey = sim.registry.OpenKey(RegistryRoot::LocalMachine, form.Display().DriverKeyPath, false);
  ASSERT_NE(driverKey, nullptr);
  EXPECT_EQ(platform::ReadRegString(*driverKey, L"AntiAliasSamples"), L"4");
  EXPECT_EQ(form.Quality.d3dAA, 4);
  EXPECT_NE(sim.notifyIcon.Find(kWindow, kTrayIconId)->tip.find(L"D3D AA:4"), std::wstring::npos);
  EXPECT_EQ(displayDriver.State().reloads, 0u) << "UseNew3DApply: a depth flip, not a driver reset";
  EXPECT_GE(sim.displayDevices.Changes().size(), 2u);

  // A rotation kept in the check dialog shows at the next opening.
  window.forms.OnModal([](ui::TForm& check) { check[L"btOk"].Click(); });
  pm1.Item(L"rt1").Click();
  form.TrayMenus()->pm1Popup();
  EXPECT_EQ(displayDriver.State().rotation, 1);
  EXPECT_TRUE(pm1.Item(L"rt1").Checked);
  EXPECT_FALSE(pm1.Item(L"rt0").Checked);
}

TEST_F(MainFormTest, TheSettingsItemsOpenTheDirect3DAndOpenGLDialogsOneAtATime) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  ui::TPopupMenu& pm1 = form.TrayMenus()->pm1;
  const std::wstring driverKeyPath = form.Display().DriverKeyPath;

  bool openWhileShown = false;
  window.forms.OnModal([&](ui::TForm& d3d) {
    openWhileShown = form.DialogOpen;
    d3d[L"cbAA"].UserSelect(2);
    d3d[L"btOk"].Click();
  });
  pm1.Item(L"Settings1").Click();
  ASSERT_EQ(window.forms.History().size(), 1u);
  EXPECT_EQ(window.forms.History()[0].form, L"frmD3D");
  EXPECT_TRUE(openWhileShown);
  EXPECT_FALSE(form.DialogOpen);
  auto driverKey = sim.registry.OpenKey(RegistryRoot::LocalMachine, driverKeyPath, false);
  EXPECT_EQ(platform::ReadRegString(*driverKey, L"AntiAliasSamples"), L"4");
  EXPECT_NE(sim.notifyIcon.Find(kWindow, kTrayIconId)->tip.find(L"D3D AA:4"), std::wstring::npos);
  form.TrayMenus()->pm1Popup();
  EXPECT_TRUE(pm1.Item(L"dxAA4x").Checked);

  window.forms.OnModal([](ui::TForm& ogl) {
    ogl[L"cbAF"].UserSelect(3);
    ogl[L"btOk"].Click();
  });
  pm1.Item(L"Settings2").Click();
  ASSERT_EQ(window.forms.History().size(), 2u);
  EXPECT_EQ(window.forms.History()[1].form, L"frmOGL");
  auto openGLKey = sim.registry.OpenKey(RegistryRoot::LocalMachine, driverKeyPath + L"\\OpenGL", false);
  EXPECT_EQ(platform::ReadRegDword(*openGLKey, L"OGLMaxAnisotropy"), 8u);
  EXPECT_EQ(form.Quality.oglAF, 8);

  // Another dialog is up: the item does nothing.
  form.DialogOpen = true;
  pm1.Item(L"Settings1").Click();
  EXPECT_EQ(window.forms.History().size(), 2u);
}

// The display items of the tray, the start-up profile and the two display dialogs all
// reach the simulated driver's controllers.
TEST_F(MainFormTest, TheDisplayItemsAndTheStartUpProfileReachTheDriver) {
  auto stored = [&](const std::wstring& name, uint32_t p, uint32_t s) {
    auto key = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"Display\\" + name, true);
    platform::WriteRegDword(*key, L"c0_ed", p);
    platform::WriteRegDword(*key, L"c1_ed", s);
  };
  stored(L"双屏", 1, 2);
  stored(L"$$", 2, 0);
  stored(L"电视", 9, 0);
  auto settings = SettingsKey(true);
  platform::WriteRegDword(*settings, L"Use_LoadDisplays", 1);
  platform::WriteRegString(*settings, L"LoadDisplays", L"双屏");

  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  const auto layout = [&] {
    return std::pair(displayDriver.State().controllers[0].displays, displayDriver.State().controllers[1].displays);
  };
  EXPECT_EQ(layout(), std::pair(1u, 2u)) << "the start-up profile";
  EXPECT_EQ(form.DisplayLimitWidth(), 1600u);

  ui::TMenuItem& menu = form.TrayMenus()->pm1.Item(L"Display1");
  ASSERT_EQ(menu.Count(), 11u) << "nine fixed items and the two profiles, without the launcher's";
  EXPECT_EQ(menu[10].Caption, L"电视");
  menu[10].Click();
  EXPECT_EQ(layout(), std::pair(9u, 0u));

  form.TrayMenus()->pm1.Item(L"DefaultSingleDisplay1").Click();
  EXPECT_EQ(layout(), std::pair(1u, 0u));

  // The Displays dialog: the DVI monitor switched on and applied with OK, no start-up profile.
  window.forms.OnModal([](ui::TForm& displays) {
    EXPECT_EQ(displays[L"lbStartup"].Caption(), L"双屏");
    displays[L"cbStartup"].Click();
    displays[L"btPower2"].Click();
    displays[L"btOk"].Click();
  });
  form.TrayMenus()->pm1.Item(L"Settings7").Click();
  EXPECT_EQ(layout(), std::pair(1u, 2u));
  EXPECT_FALSE(form.reg1().GetBool(L"Use_LoadDisplays")) << "OK keeps the dialog's start-up choice";
  EXPECT_EQ(form.reg1().GetString(L"LoadDisplays"), L"");

  window.forms.OnModal([](ui::TForm& overlay) {
    overlay[L"tbBri"].UserSetPosition(30);
    overlay[L"btCancel"].Click();
  });
  form.TrayMenus()->pm1.Item(L"OverlaySettings1").Click();
  ASSERT_EQ(window.forms.History().size(), 2u);
  EXPECT_EQ(window.forms.History()[1].form, L"frmOverlay");
  EXPECT_EQ(displayDriver.State().overlay[1].value, 0) << "Cancel put the brightness back";
  EXPECT_FALSE(form.DialogOpen);
}

TEST_F(MainFormTest, StartEndsWithAnErrorAndNoIconWithoutDriverOrAtiCard) {
  {
    sim::SimMachine noDriver("9800 PRO", {sim::ServiceScenario::NoAdminRights});
    ProgramEnvironment environment{sim.ports, Card(noDriver), L"C:\\Corvane\\",
                                   CommandLine(), 4242, false};
    TfrmMainQRX form(environment, window, false);
    EXPECT_FALSE(form.FormCreate());
  }
  // A card from another vendor as the primary display, with the driver present.
  struct OtherVendorDisplays final : platform::DisplayDevices {
    std::optional<platform::DisplayDevice> Device(uint32_t index) override {
      if (index > 0) return std::nullopt;
      return platform::DisplayDevice{L"\\\\.\\DISPLAY1", L"GeForce", platform::DisplayDeviceState::Primary,
                                     L"PCI\\VEN_10DE&DEV_0322&SUBSYS_00000000&REV_A1",
                                     L"\\Registry\\Machine\\System\\Video\\{X}\\0000"};
    }
    std::optional<platform::DisplayMode> Mode(const std::wstring&, int32_t) override { return std::nullopt; }
    int32_t ChangeSettings(const std::wstring&, const std::optional<platform::DisplayMode>&, uint32_t) override {
      return 0;
    }
  } otherVendor;
  platform::Ports& p = sim.ports;
  platform::Ports ports{p.registry, p.iniFiles, p.namedObjects, p.windowMessages, p.threading,  p.dispatcher,
                        p.clock,    p.user,     otherVendor,    p.shell,          p.notifyIcon, p.desktopIcons};
  ProgramEnvironment environment{ports, Card(machine), L"C:\\Corvane\\", CommandLine(),
                                 4242, false};
  {
    TfrmMainQRX form(environment, window, false);
    EXPECT_FALSE(form.FormCreate());
    EXPECT_FALSE(form.Display().IsAtiDevice);
    EXPECT_EQ(form.Display().DisplayDeviceId, 0);
  }

  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, L"无法加载低级设备驱动. 请重新启动应用程序!");
  EXPECT_EQ(messages[1].text, L"未发现 ATI 设备!");
  for (const auto& message : messages) {
    EXPECT_EQ(message.caption, L"错误");
    EXPECT_EQ(message.icon, platform::MessageIcon::Error);
  }
  EXPECT_TRUE(sim.notifyIcon.Calls().empty());
  EXPECT_TRUE(window.trayCallsWhenHidden.empty());
}

TEST_F(MainFormTest, SecondStartEndsSilentlyOrHasTheRunningInstanceStartTheGame) {
  StoreGameProfile(L"Far Cry", L"C:\\Games\\FarCry\\Bin32\\FarCry.exe", L"-devmode +map training");
  const ProgramEnvironment first = Environment();
  TfrmMainQRX running(first, window, false);
  ASSERT_TRUE(running.FormCreate());
  const size_t trayCalls = sim.notifyIcon.Calls().size();

  const ProgramEnvironment plain = Environment({}, 777);
  EXPECT_FALSE(TfrmMainQRX(plain, window, true).FormCreate());
  EXPECT_EQ(sim.windowMessages.Pending(), 0u);
  EXPECT_EQ(sim.notifyIcon.Calls().size(), trayCalls);
  EXPECT_TRUE(sim.user.History().empty());
  EXPECT_TRUE(sim.shell.ForegroundAllowed().empty());

  // The running instance has the game started by the time the forward ends, looking the
  // profile up without the '&'.
  const ProgramEnvironment loadGame = Environment({L"-LOADGAME", L"Far &Cry"}, 777);
  EXPECT_FALSE(TfrmMainQRX(loadGame, window, true).FormCreate());
  EXPECT_EQ(platform::ReadRegString(*SettingsKey(), L"RunProfile"), L"Far &Cry");
  EXPECT_EQ(platform::ReadRegDword(*SettingsKey(), L"Proc_ID"), 4242u);
  EXPECT_EQ(sim.shell.ForegroundAllowed(), std::vector<uint32_t>{4242});
  auto starts = sim.shell.Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].kind, platform::StartKind::ShellExecute);
  EXPECT_EQ(starts[0].verb, L"open");
  EXPECT_EQ(starts[0].file, L"C:\\Games\\FarCry\\Bin32\\FarCry.exe");
  EXPECT_EQ(starts[0].parameters, L"-devmode +map training");
  EXPECT_EQ(starts[0].directory, L"C:\\Games\\FarCry\\Bin32\\");
  EXPECT_EQ(starts[0].show, platform::ShowCommand::Show);

  // Two forwards in quick succession start both games, each once.
  StoreGameProfile(L"Quake", L"C:\\Games\\Quake\\quake.exe", L"");
  const ProgramEnvironment quake = Environment({L"/loadgame", L"Quake"}, 778);
  EXPECT_FALSE(TfrmMainQRX(quake, window, true).FormCreate());
  EXPECT_FALSE(TfrmMainQRX(loadGame, window, true).FormCreate());
  sim.windowMessages.Pump();
  starts = sim.shell.Starts();
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(starts[1].file, L"C:\\Games\\Quake\\quake.exe");
  EXPECT_EQ(starts[2].file, L"C:\\Games\\FarCry\\Bin32\\FarCry.exe");
}

TEST_F(MainFormTest, FirstStartWithLoadGameStartsTheGameOnceItsLoopRuns) {
  StoreGameProfile(L"UT2004", L"D:\\UT2004\\System\\UT2004.exe", L"");
  const ProgramEnvironment environment = Environment({L"/loadgame", L"UT2004"});
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  EXPECT_TRUE(sim.shell.Starts().empty());
  sim.windowMessages.Pump();
  ASSERT_EQ(sim.shell.Starts().size(), 1u);
  EXPECT_EQ(sim.shell.Starts()[0].directory, L"D:\\UT2004\\System\\");
}

TEST_F(MainFormTest, NewCardWarningOnlyWhenAnEarlierCardWasRecorded) {
  for (int32_t lastDeviceId : {0, 0x4E48, 0x5148}) {
    platform::SimPlatform fresh;
    auto key = fresh.registry.OpenKey(RegistryRoot::CurrentUser, global::ProgramKey, true);
    platform::WriteRegDword(*key, L"AutoLoad", 1);
    platform::WriteRegDword(*key, L"LastDeviceID", static_cast<uint32_t>(lastDeviceId));
    ProgramEnvironment environment{fresh.ports, Card(machine), L"C:\\Corvane\\",
                                   CommandLine(), 4242, false};
    FakeWindow freshWindow(fresh.notifyIcon);
    TfrmMainQRX form(environment, freshWindow, false);
    ASSERT_TRUE(form.FormCreate());
    if (lastDeviceId == 0x5148) {
      ASSERT_EQ(fresh.user.History().size(), 1u);
      EXPECT_EQ(fresh.user.History()[0].request.text, L"发现新设备! 启动时超频将不会被应用!");
      EXPECT_EQ(fresh.user.History()[0].request.caption, L"警告!");
      EXPECT_EQ(fresh.user.History()[0].request.icon, platform::MessageIcon::Warning);
    } else {
      EXPECT_TRUE(fresh.user.History().empty()) << lastDeviceId;
    }
    EXPECT_EQ(form.reg1().GetInteger(L"LastDeviceID"), 0x4E48);
  }
}

TEST_F(MainFormTest, TrayClicksOpenTheirMenusAndGiveTheFocusBack) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  const size_t before = sim.notifyIcon.Calls().size();

  form.TrayCallback(TrayMouse::RightButtonDown);
  form.TrayCallback(TrayMouse::LeftButtonDown);
  form.TrayCallback(0x205);  // release: nothing
  form.reg1().SetValue(L"swap_buttons", true);
  form.TrayCallback(TrayMouse::RightButtonDown);

  EXPECT_EQ(window.shownMenus, (std::vector<std::wstring>{L"pm1", L"pm2", L"pm2"}));
  EXPECT_EQ(window.foregrounds, 3);
  const auto& calls = sim.notifyIcon.Calls();
  ASSERT_EQ(calls.size(), before + 3);
  for (size_t i = before; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].call, NotifyIconCall::SetFocus);
    EXPECT_EQ(calls[i].data.id, kTrayIconId);
  }
}

TEST_F(MainFormTest, ShellRestartBringsTheIconBackWithItsTip) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  const std::wstring tip = sim.notifyIcon.Find(kWindow, kTrayIconId)->tip;

  sim.notifyIcon.RestartShell();
  sim.windowMessages.Broadcast(sim.windowMessages.RegisterMessage(L"TaskbarCreated"), 0, 0);
  sim.windowMessages.Pump();
  const platform::SimTrayIcon* icon = sim.notifyIcon.Find(kWindow, kTrayIconId);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->tip, tip);
}

TEST_F(MainFormTest, ResumeRestoresThePciLatencyWhenAsked) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  form.reg1().SetValue(L"PCILatency", 0x40);
  hardware::TRVX& rvx = *form.rvx();
  const uint8_t atStart = rvx.CardConfigRead8(13);
  ASSERT_NE(atStart, 0x40);

  form.PowerBroadcast(PowerEvent::ResumeSuspend);  // "RestoreHardware" is off
  EXPECT_EQ(rvx.CardConfigRead8(13), atStart);
  form.reg1().SetValue(L"RestoreHardware", true);
  form.PowerBroadcast(PowerEvent::ResumeStandby);  // the latency is not applied at all any more
  EXPECT_EQ(rvx.CardConfigRead8(13), atStart);
  form.reg1().SetValue(L"ApplyHardware", true);
  form.PowerBroadcast(4);  // suspending, not resuming
  EXPECT_EQ(rvx.CardConfigRead8(13), atStart);
  form.PowerBroadcast(PowerEvent::ResumeStandby);
  EXPECT_EQ(rvx.CardConfigRead8(13), 0x40);
}

TEST_F(MainFormTest, PciLatencyGoesOnlyToAFoundCard) {
  sim::SimMachine noCard("9800 PRO", {.cardPresent = false});
  auto key = SettingsKey(true);
  platform::WriteRegDword(*key, L"ApplyHardware", 1);
  platform::WriteRegDword(*key, L"RestoreHardware", 1);
  platform::WriteRegDword(*key, L"PCILatency", 0x40);
  ProgramEnvironment environment{sim.ports, Card(noCard), L"C:\\Corvane\\", CommandLine(), 4242, false};
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  form.PowerBroadcast(PowerEvent::ResumeSuspend);
  for (const sim::ConfigWrite& write : noCard.Bus().ConfigWrites())
    EXPECT_FALSE(write.reg <= 13 && write.reg + write.width > 13) << "latency written to another function";
}

TEST_F(MainFormTest, SessionEndAndCloseKeepTheDriverConfigurationAndLetTheCardGoOnlyAtTheEnd) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  form.DialogOpen = true;
  form.Exit1Click();
  EXPECT_EQ(window.closes, 0);
  form.DialogOpen = false;
  form.Exit1Click();
  EXPECT_EQ(window.closes, 1);

  auto driverKey = [&] {
    return sim.registry.OpenKey(RegistryRoot::LocalMachine, form.Display().DriverKeyPath, false);
  };
  form.reg1().SetValue(L"ShowDDR", true);
  EXPECT_TRUE(form.QueryEndSession());
  EXPECT_EQ(platform::ReadRegDword(*SettingsKey(), L"ShowDDR"), 1u);
  const std::optional<platform::RegistryValue> layout = driverKey()->ReadValue(L"DisplayLayout");
  ASSERT_TRUE(layout) << "the driver's configuration is in its key before the session ends";
  EXPECT_EQ(layout->data, displayDriver.State().settingBlobs[0].data);

  // Another program refused the shut-down: the card stays for an open dialog's next apply.
  form.EndSession(false);
  ASSERT_NE(form.rvx(), nullptr);
  EXPECT_GT(form.rvx()->CardConfigRead16(2), 0);
  form.EndSession(true);
  EXPECT_EQ(form.rvx(), nullptr);
  EXPECT_EQ(machine.Kernel().OpenHandleCount(), 0u);
  form.PowerBroadcast(PowerEvent::ResumeSuspend);  // without the card: nothing to do

  driverKey()->DeleteValue(L"DisplayLayout");
  form.FormClose();
  EXPECT_TRUE(driverKey()->ReadValue(L"DisplayLayout")) << "closing writes the configuration too";
  EXPECT_EQ(sim.notifyIcon.IconCount(), 0u);
  EXPECT_EQ(sim.notifyIcon.Calls().back().call, NotifyIconCall::Delete);
}

TEST_F(MainFormTest, HelpOnADialogComponentOpensItsTopicAsAContextPopup) {
  const ProgramEnvironment environment = Environment();
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  const ui::ComponentDecl table[] = {
      {.kind = ui::ComponentKind::Form, .name = L"frmHelped", .helpContext = 40},
      {.kind = ui::ComponentKind::Panel, .name = L"pnTopic", .parent = L"frmHelped", .helpContext = 12},
      {.kind = ui::ComponentKind::Button, .name = L"btInPanel", .parent = L"pnTopic"},
      {.kind = ui::ComponentKind::Button, .name = L"btOnForm"},
  };
  ui::TForm dialog(ui::FormContext{window.forms, sim.clock}, table);
  EXPECT_TRUE(dialog[L"btInPanel"].UserHelp());
  EXPECT_TRUE(dialog[L"btOnForm"].UserHelp());
  EXPECT_EQ(window.helpRequests, (std::vector<HelpRequest>{{L"C:\\Corvane\\corvane.hlp", 8, 12},
                                                         {L"C:\\Corvane\\corvane.hlp", 8, 40}}));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The plug-ins come to life at start-up with the main form's window and a service that
// reaches the card, hear of every resume, and are told to end when the form closes.
TEST_F(MainFormTest, PluginsStartWithTheFormReachTheCardAndEndWithIt) {
  platform::SimPluginModules plugins;
  HostService kept = nullptr;
  std::vector<uint32_t> classBytes;
  auto readClass = [&] {
    const CorvanePciAddress address{1, 0, 0, 0x0B};
    uint32_t value = 0;
    kept(CORVANE_HS_PCI_READ8, &address, &value);
    classBytes.push_back(value);
  };
  platform::SimPlugin busconf;
  busconf.getPlugInfo = platform::SimPlugin::Record("PCI 设置插件", CORVANE_PLUGIN_RUNTIME);
  busconf.execPlugin = [&](platform::WindowHandle owner, HostService service) {
    EXPECT_EQ(owner, kWindow);
    kept = service;
    readClass();
  };
  busconf.donePlugin = readClass;
  busconf.suspendRestore = readClass;
  plugins.Register(L"C:\\Corvane\\plugins\\busconf.dll", busconf);
  platform::SimPlugin busview;
  busview.getPlugInfo = platform::SimPlugin::Record("PCI 信息", CORVANE_PLUGIN_MENU);
  busview.execPlugin = [&](platform::WindowHandle, HostService service) { EXPECT_EQ(service, kept); };
  plugins.Register(L"C:\\Corvane\\plugins\\busview.dll", busview);
  auto rtpl = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"rtpl\\busconf.dll", true);
  platform::WriteRegDword(*rtpl, L"enabled", 1);

  ProgramEnvironment environment = Environment();
  environment.pluginModules = &plugins;
  TfrmMainQRX form(environment, window, false);
  ASSERT_TRUE(form.FormCreate());
  ASSERT_NE(form.RunTimePlugins(), nullptr);
  EXPECT_TRUE((*form.RunTimePlugins())[0].Running());
  ui::TMenuItem& menu = form.TrayMenus()->pm1.Item(L"Plugins1");
  ASSERT_EQ(menu.Count(), 3u);
  EXPECT_EQ(menu[2].Caption, L"PCI 信息");
  menu[2].Click();
  EXPECT_EQ(plugins.CallCount(L"busview.dll", platform::PluginExport::ExecPlugin), 1u);

  form.PowerBroadcast(4);  // suspending, not resuming
  form.PowerBroadcast(PowerEvent::ResumeStandby);
  form.FormClose();
  // Start, resume and end each read the card's class byte, the last one before the card went.
  EXPECT_EQ(classBytes, (std::vector<uint32_t>{0x03, 0x03, 0x03}));
  EXPECT_EQ(plugins.LoadedNow(), 0u);
  EXPECT_EQ(menu.Count(), 2u);
  // What a plug-in still calls after the program freed its card does nothing.
  readClass();
  EXPECT_EQ(classBytes.back(), 0u);
}

}  // namespace
}  // namespace corvane
