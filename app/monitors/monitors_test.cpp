#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "app/monitors/app_3d.h"
#include "app/monitors/app_events.h"
#include "app/monitors/hook_library_set.h"
#include "app/monitors/hook_reports.h"
#include "app/monitors/monitor_thread.h"
#include "platform/sim/dispatcher_sim.h"
#include "platform/sim/hook_libraries_sim.h"
#include "platform/sim/named_objects_sim.h"
#include "platform/sim/registry_sim.h"
#include "platform/sim/threading_sim.h"
#include "platform/text_encoding.h"
#include "settings/program_settings.h"

namespace corvane::monitors {
namespace {

using Mapping = std::vector<uint8_t>;

// Ends a wait that would otherwise hang a broken test; not a timing expectation.
constexpr uint32_t kHangGuardMs = 20000;

void Put32(Mapping& mapping, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) mapping[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

Mapping AppMapping(const std::string& executable, uint32_t processId, uint32_t is3D, uint32_t device) {
  Mapping mapping(kHookMappingSize, 0);
  std::memcpy(mapping.data(), executable.data(), std::min<size_t>(executable.size(), AppLayout::ExecutableSize));
  Put32(mapping, AppLayout::ProcessId, processId);
  Put32(mapping, AppLayout::Is3DApplication, is3D);
  Put32(mapping, AppLayout::DeviceReport, device);
  return mapping;
}

TEST(HookReports, BothLayoutsAreReadWithinTheirBytes) {
  Mapping start = AppMapping("C:\\Games\\FarCry.exe", 0x01020304, 1, 0);
  std::optional<AppReport> report = ParseAppReport(start);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->executable, "C:\\Games\\FarCry.exe");
  EXPECT_EQ(report->processId, 0x01020304u);
  EXPECT_TRUE(report->is3DApplication);
  EXPECT_FALSE(report->deviceReport);

  // No zero in the text's 256 bytes: it ends there, not in the process id behind it.
  Mapping unterminated = AppMapping(std::string(300, 'A'), 0x41414141, 2, 7);
  report = ParseAppReport(unterminated);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->executable, std::string(256, 'A'));
  EXPECT_FALSE(report->is3DApplication);  // only exactly 1 counts
  EXPECT_TRUE(report->deviceReport);

  EXPECT_FALSE(ParseAppReport(Mapping(AppLayout::End - 1, 0xFF)));
  EXPECT_FALSE(ParseKeyReport(Mapping(KeyLayout::End - 1, 0xFF)));

  Mapping keys(kHookMappingSize, 0xEE);
  Put32(keys, KeyLayout::Pending, 1);
  keys[KeyLayout::KeyCode] = 0x41;
  keys[KeyLayout::KeyCode + 1] = 0x40;
  std::optional<hotkeys::KeyReport> key = ParseKeyReport(keys);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->pending, 1u);
  EXPECT_EQ(key->keyCode, 0x4041);
  WriteKeyPending(keys, 0);
  EXPECT_EQ(ParseKeyReport(keys)->pending, 0u);
  EXPECT_EQ(keys[KeyLayout::KeyCode], 0x41);  // the rest stays as the hook left it
}

// The application monitor's decisions, with every call the main form would make recorded.
class AppEventsTest : public ::testing::Test {
 protected:
  AppEventsTest() {
    reg1->SetValue(L"3dprofile", std::wstring(L"Fast"));
    reg1->SetValue(L"2dprofile", std::wstring(L"Cool"));
    reg1->SetValue(L"play3ds", true);
    reg1->SetValue(L"play3df", std::wstring(L"3d.wav"));
    reg1->SetValue(L"play2ds", true);
    reg1->SetValue(L"play2df", std::wstring(L"2d.wav"));
    reg1->SetValue(L"Enable2d3d", true);
    lookup = {L"C:\\GAMES\\HL2.EXE\x13Half-Life 2", L"C:\\GAMES\\FARCRY.EXE\x13" L"Far Cry",
              L"C:\\GAMES\\FARCRY.EXE\x13Second"};
  }
  AppEventContext Context() {
    AppEventContext ctx{*reg1, Profile3DApplied, App3DRunning, lookup};
    ctx.lastGame = lastGame;
    ctx.ReportText = [](std::string_view bytes) { return platform::FromUtf8(bytes); };
    ctx.ApplyGameProfile = [this](const std::wstring& name, uint32_t id) {
      calls.push_back("game " + platform::ToUtf8(name) + " " + std::to_string(id));
    };
    ctx.ApplyOverProfile = [this](const std::wstring& name) { calls.push_back("over " + platform::ToUtf8(name)); };
    ctx.PlaySound = [this](const std::wstring& file) { calls.push_back("sound " + platform::ToUtf8(file)); };
    ctx.StartApp3d = [this](uint32_t id, uint32_t mode) {
      calls.push_back("watch " + std::to_string(id) + " " + std::to_string(mode));
    };
    ctx.ApplyCurrentColor = [this] { calls.push_back("color"); };
    return ctx;
  }
  void Report(Mapping& mapping) {
    AppEventContext ctx = Context();
    HandleAppEvent(ctx, mapping);
  }

  platform::SimRegistry registry;
  std::unique_ptr<settings::TRegValues> reg1 = settings::CreateProgramSettings(registry);
  bool Profile3DApplied = false;
  bool App3DRunning = false;
  games::GameInForce lastGame;
  std::vector<std::wstring> lookup;
  std::vector<std::string> calls;
};

TEST_F(AppEventsTest, EachReportDoesWhatItsSettingsAndFlagsSay) {
  struct Case {
    const char* what;
    std::string executable;
    uint32_t is3D;
    uint32_t device;
    bool enable2d3d;
    bool gameRunning;  // App3DRunning, with the last game's UseOver / UseAfter
    uint32_t useOver;
    std::vector<std::string> calls;
    bool profile3DApplied;
  };
  const Case cases[] = {
      {"a profiled game gets its profile, not the 3D profile", "c:\\games\\FarCry.exe", 1, 0, true, false, 0,
       {"game Far Cry 77"}, false},
      {"games still apply without the 2D/3D switch", "C:\\GAMES\\HL2.EXE", 1, 0, false, false, 0,
       {"game Half-Life 2 77"}, false},
      {"an unprofiled 3D start switches to 3D", "C:\\Other\\Quake.exe", 1, 0, true, false, 0,
       {"over Fast", "sound 3d.wav", "watch 77 2"}, true},
      {"an unprofiled 2D start does nothing", "C:\\Other\\notepad.exe", 0, 0, true, false, 0, {}, false},
      {"an empty executable does nothing", "", 1, 0, true, false, 0, {}, false},
      {"without the switch a 3D start does nothing", "C:\\Other\\Quake.exe", 1, 0, false, false, 0, {}, false},
      {"without the switch a 3D device does nothing", "C:\\Other\\Quake.exe", 1, 1, false, false, 0, {}, false},
      {"a 3D device switches to 3D", "", 0, 1, true, false, 0, {"over Fast", "sound 3d.wav", "watch 77 2"}, true},
      {"in a game on the automatic switch, 3D comes in", "", 0, 1, true, true, 2,
       {"over Fast", "sound 3d.wav", "watch 77 1"}, true},
      {"in a game with its own profile, only the watch", "", 0, 1, true, true, 1, {"watch 77 1"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    calls.clear();
    Profile3DApplied = false;
    App3DRunning = c.gameRunning;
    lastGame.UseOver = c.useOver;
    lastGame.UseAfter = 1;
    reg1->SetValue(L"Enable2d3d", c.enable2d3d);
    Mapping mapping = AppMapping(c.executable, 77, c.is3D, c.device);
    Report(mapping);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(Profile3DApplied, c.profile3DApplied);
    // A report that found its game is taken out of the mapping; others stay.
    const bool taken = !c.calls.empty() && c.calls[0].starts_with("game");
    EXPECT_EQ(ParseAppReport(mapping)->executable.empty(), taken || c.executable.empty());
  }
}

TEST_F(AppEventsTest, TwoDeviceReportsSwitchOnceAndTheEndSwitchesBack) {
  Mapping device = AppMapping("", 77, 1, 1);
  Report(device);
  Report(device);
  EXPECT_EQ(calls, (std::vector<std::string>{"over Fast", "sound 3d.wav", "watch 77 2"}));

  calls.clear();
  App3DRunning = true;
  AppEventContext ctx = Context();
  App3dEnded(ctx, kApp3dSwitchTo2D);
  EXPECT_EQ(calls, (std::vector<std::string>{"over Cool", "sound 2d.wav", "color"}));
  EXPECT_FALSE(Profile3DApplied);
  EXPECT_FALSE(App3DRunning);

  // Another mode, or nothing switched to 3D: only the flags and the colour.
  for (auto [applied, mode] : {std::pair{true, 1u}, std::pair{false, kApp3dSwitchTo2D}}) {
    calls.clear();
    Profile3DApplied = applied;
    App3DRunning = true;
    App3dEnded(ctx, mode);
    EXPECT_EQ(calls, std::vector<std::string>{"color"});
    EXPECT_FALSE(Profile3DApplied || App3DRunning);
  }
}

TEST(HookLibrarySet, MissingLibrariesAndEntriesAreSkipped) {
  platform::SimHookLibraries libraries;
  libraries.RemoveLibrary(L"raphook.dll");
  libraries.SetLibrary(L"kbdhook.dll", {"InstallKBDHook"});
  HookLibrarySet hooks;
  hooks.Install(Hook::Keyboard);  // nothing loaded yet
  hooks.LoadHookLibraries(libraries);
  for (Hook hook : {Hook::RefreshRate, Hook::Application, Hook::Keyboard}) {
    hooks.Install(hook);
    hooks.Uninstall(hook);
  }
  hooks.FreeHookLibraries();
  hooks.Uninstall(Hook::RefreshRate);
  EXPECT_EQ(libraries.Calls(),
            (std::vector<std::string>{"load rovhook.dll", "load kbdhook.dll", "InstallROVHook", "UninstallROVHook",
                                      "InstallKBDHook", "free rovhook.dll", "free kbdhook.dll"}));
  EXPECT_EQ(libraries.Loaded(), 0u);
}

class MonitorThreadTest : public ::testing::Test {
 protected:
  platform::SimThreading threading;
  platform::SimNamedObjects named{threading};
  platform::SimDispatcher dispatcher;
  MonitorPorts ports{threading, dispatcher, named};
};

TEST_F(MonitorThreadTest, AReportIsHandledOnTheUiThreadAndTheAppMonitorSignalsItsEnd) {
  int keys = 0;
  int apps = 0;
  auto keyThread = TKeyThread::Start(ports, [&] { ++keys; });
  auto appThread = TAppHook_th::Start(ports, [&] { ++apps; });
  ASSERT_TRUE(keyThread && appThread);
  // The hooks' side: their own handles on the events.
  auto keyReport = named.OpenNamedEvent(kKeyReportEventName);
  auto appReport = named.OpenNamedEvent(kAppReportEventName);
  auto appHandled = named.OpenNamedEvent(kAppHandledEventName);
  ASSERT_TRUE(keyReport && appReport && appHandled);

  keyReport->Set();
  appReport->Set();
  ASSERT_TRUE(dispatcher.WaitForPending(2, std::chrono::milliseconds(kHangGuardMs)));
  EXPECT_EQ(keys + apps, 0);  // nothing runs off the UI thread
  dispatcher.PumpAll();
  EXPECT_EQ(keys, 1);
  EXPECT_EQ(apps, 1);
  EXPECT_FALSE(keyReport->Wait(0));
  EXPECT_FALSE(appReport->Wait(0));
  EXPECT_TRUE(appHandled->Wait(0));
}

TEST_F(MonitorThreadTest, StoppingWithoutAReportEndsBothThreadsAndClosesTheirEvents) {
  int handled = 0;
  auto keyThread = TKeyThread::Start(ports, [&] { ++handled; });
  auto appThread = TAppHook_th::Start(ports, [&] { ++handled; });
  ASSERT_TRUE(keyThread && appThread);
  keyThread->Stop();
  appThread->Stop();
  EXPECT_TRUE(keyThread->WaitEnded(kHangGuardMs));
  EXPECT_TRUE(appThread->WaitEnded(kHangGuardMs));
  for (const wchar_t* name : {kKeyReportEventName, kKeyStopEventName, kAppReportEventName, kAppHandledEventName,
                              kAppStopEventName})
    EXPECT_FALSE(named.OpenNamedEvent(name)) << platform::ToUtf8(name);
  EXPECT_EQ(dispatcher.PumpAll(), 0u);
  EXPECT_EQ(handled, 0);
}

}  // namespace
}  // namespace corvane::monitors
