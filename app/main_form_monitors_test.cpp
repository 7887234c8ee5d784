#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "app/main_form_test_support.h"
#include "app/monitors/hook_reports.h"
#include "games/game_profile.h"
#include "platform/sim/hook_libraries_sim.h"
#include "platform/sim/sound_sim.h"

namespace corvane {
namespace {

using namespace corvane::main_form_testing;
using Calls = std::vector<std::string>;

constexpr uint16_t kCtrlA = 0x4000 + 'A';
// Ends a wait that would otherwise hang a broken test; not a timing expectation.
constexpr auto kHangGuard = std::chrono::seconds(20);

class MainFormMonitorTest : public MainFormTest {
 protected:
  TfrmMainQRX& Start() {
    environment_.hookLibraries = &hookLibraries;
    environment_.sounds = &sounds;
    form_ = std::make_unique<TfrmMainQRX>(environment_, window, false);
    EXPECT_TRUE(form_->FormCreate());
    return *form_;
  }
  void SetSetting(const std::wstring& name, bool on) {
    platform::WriteRegDword(*SettingsKey(true), name, on ? 1 : 0);
  }
  // The hook's side: a report written into the mapping, then its event set; the monitor
  // hands it to the UI thread, which the test is.
  void Report(const wchar_t* mapping, const wchar_t* event, const std::function<void(std::span<uint8_t>)>& write) {
    auto view = sim.namedObjects.OpenNamedMapping(mapping, monitors::kHookMappingSize);
    ASSERT_TRUE(view);
    write(view->Bytes());
    sim.namedObjects.OpenNamedEvent(event)->Set();
    ASSERT_TRUE(sim.dispatcher.WaitForPending(1, kHangGuard));
    sim.dispatcher.PumpAll();
  }
  void PressKey(uint16_t code) {
    Report(monitors::kKeyMappingName, monitors::kKeyReportEventName, [code](std::span<uint8_t> bytes) {
      bytes[monitors::KeyLayout::KeyCode] = static_cast<uint8_t>(code);
      bytes[monitors::KeyLayout::KeyCode + 1] = static_cast<uint8_t>(code >> 8);
      bytes[monitors::KeyLayout::Pending] = 1;
    });
  }
  uint32_t KeyPending() {
    auto view = sim.namedObjects.OpenNamedMapping(monitors::kKeyMappingName, monitors::kHookMappingSize);
    return monitors::ParseKeyReport(view->Bytes())->pending;
  }
  void AppStarted(const std::string& file, uint32_t processId, uint32_t is3D, uint32_t device) {
    Report(monitors::kAppMappingName, monitors::kAppReportEventName, [&](std::span<uint8_t> bytes) {
      std::fill(bytes.begin(), bytes.end(), uint8_t{0});
      std::memcpy(bytes.data(), file.data(), file.size());
      std::memcpy(bytes.data() + monitors::AppLayout::ProcessId, &processId, 4);
      std::memcpy(bytes.data() + monitors::AppLayout::Is3DApplication, &is3D, 4);
      std::memcpy(bytes.data() + monitors::AppLayout::DeviceReport, &device, 4);
    });
  }

  platform::SimHookLibraries hookLibraries;
  platform::SimSounds sounds;
  ProgramEnvironment environment_ = Environment();
  std::unique_ptr<TfrmMainQRX> form_;
};

TEST_F(MainFormMonitorTest, HooksGoInAndOutInTheirOrder) {
  struct Case {
    bool refreshLock;
    bool hotkeys;
    Calls startUp;
  };
  const Calls loads{"load rovhook.dll", "load raphook.dll", "load kbdhook.dll"};
  const Case cases[] = {
      {true, true, {"InstallROVHook", "InstallAPPHook", "InstallKBDHook"}},
      {false, false, {"InstallAPPHook"}},
  };
  for (const Case& c : cases) {
    hookLibraries.ClearCalls();
    SetSetting(L"ROVEnabled", c.refreshLock);
    SetSetting(L"EnableHotKeys", c.hotkeys);
    TfrmMainQRX& form = Start();
    Calls expected = loads;
    expected.insert(expected.end(), c.startUp.begin(), c.startUp.end());
    EXPECT_EQ(hookLibraries.Calls(), expected);
    EXPECT_TRUE(sim.namedObjects.OpenNamedMapping(monitors::kAppMappingName, monitors::kHookMappingSize));

    hookLibraries.ClearCalls();
    form.FormClose();
    EXPECT_EQ(hookLibraries.Calls(), (Calls{"UninstallROVHook", "UninstallAPPHook", "UninstallKBDHook",
                                            "free rovhook.dll", "free raphook.dll", "free kbdhook.dll"}));
    // No report came: the stop events alone ended both monitors, and the mappings went.
    EXPECT_TRUE(form.KeyThread()->WaitEnded(20000));
    EXPECT_TRUE(form.AppHookThread()->WaitEnded(20000));
    EXPECT_FALSE(sim.namedObjects.OpenNamedMapping(monitors::kKeyMappingName, monitors::kHookMappingSize));
    EXPECT_FALSE(sim.namedObjects.OpenNamedMapping(monitors::kAppMappingName, monitors::kHookMappingSize));
    form_.reset();
  }
}

TEST_F(MainFormMonitorTest, TrayTogglesAndTheDepthFlipCallTheRefreshAndKeyboardHooks) {
  TfrmMainQRX& form = Start();
  hookLibraries.ClearCalls();
  ui::TPopupMenu& pm1 = form.TrayMenus()->pm1;
  pm1.Item(L"mROVEnabled").Checked = false;
  pm1.Item(L"mROVEnabled").Click();
  pm1.Item(L"mEHT").Checked = true;
  pm1.Item(L"mEHT").Click();
  EXPECT_EQ(hookLibraries.Calls(), (Calls{"InstallROVHook", "UninstallKBDHook"}));

  hookLibraries.ClearCalls();
  form.reg1().SetValue(L"UseNew3DApply", true);
  form.ReloadDriverSettings();  // "ROVEnabled" is on now
  EXPECT_EQ(hookLibraries.Calls(), (Calls{"UninstallROVHook", "InstallROVHook"}));
}

TEST_F(MainFormMonitorTest, KeyReportsRunTheirActionUnlessTheEditorIsOpen) {
  auto keys = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", true);
  platform::WriteRegString(*keys, L"s_" + std::to_wstring(kCtrlA), L"3:c:\\tools\\run.exe*-fast 2");
  TfrmMainQRX& form = Start();

  form.HotkeyEditorOpen = true;
  PressKey(kCtrlA);
  EXPECT_EQ(KeyPending(), 0u);
  EXPECT_TRUE(sim.shell.Starts().empty());

  form.HotkeyEditorOpen = false;
  PressKey(kCtrlA);
  EXPECT_EQ(KeyPending(), 0u);
  ASSERT_EQ(sim.shell.Starts().size(), 1u);
  EXPECT_EQ(sim.shell.Starts()[0].file, L"c:\\tools\\run.exe");
  EXPECT_EQ(sim.shell.Starts()[0].parameters, L"-fast 2");
}

TEST_F(MainFormMonitorTest, AProfiledGameGetsItsProfileAndA3DApplicationTheSwitchUntilItEnds) {
  games::GameProfile game;
  game.File = L"C:\\Games\\FarCry.exe";
  games::WriteGameProfile(sim.registry, global::ProfilesRoot, L"Far Cry", game);
  auto settings = SettingsKey(true);
  SetSetting(L"Enable2d3d", true);
  SetSetting(L"play3ds", true);
  SetSetting(L"play2ds", true);
  platform::WriteRegString(*settings, L"play3df", L"c:\\3d.wav");
  platform::WriteRegString(*settings, L"play2df", L"c:\\2d.wav");
  platform::WriteRegString(*settings, L"3dprofile", L"Fast");
  platform::WriteRegString(*settings, L"2dprofile", L"Cool");
  TfrmMainQRX& form = Start();
  auto handled = sim.namedObjects.OpenNamedEvent(monitors::kAppHandledEventName);

  const uint32_t farCry = sim.shell.AddRunningProcess();
  AppStarted("c:\\games\\farcry.exe", farCry, 1, 0);
  EXPECT_EQ(form.GameLauncher()->RunningGames(), 1u);
  EXPECT_FALSE(form.Profile3DApplied);
  EXPECT_TRUE(sounds.Played().empty());
  EXPECT_TRUE(handled->Wait(0));
  sim.shell.EndProcess(farCry);
  ASSERT_TRUE(sim.dispatcher.WaitForPending(1, kHangGuard));
  sim.dispatcher.PumpAll();

  handled->Reset();
  const uint32_t quake = sim.shell.AddRunningProcess();
  AppStarted("", quake, 1, 1);
  AppStarted("", quake, 1, 1);
  EXPECT_TRUE(form.Profile3DApplied && form.App3DRunning);
  EXPECT_EQ(sounds.Played(), std::vector<std::wstring>{L"c:\\3d.wav"});
  EXPECT_TRUE(handled->Wait(0));

  sim.shell.EndProcess(quake);
  ASSERT_TRUE(sim.dispatcher.WaitForPending(1, kHangGuard));
  sim.dispatcher.PumpAll();
  EXPECT_FALSE(form.Profile3DApplied || form.App3DRunning);
  EXPECT_EQ(sounds.Played(), (std::vector<std::wstring>{L"c:\\3d.wav", L"c:\\2d.wav"}));
}

}  // namespace
}  // namespace corvane
