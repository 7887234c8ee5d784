#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>
#include <vector>

#include "hotkeys/hotkey_actions.h"
#include "hotkeys/key_collection.h"
#include "hotkeys/mon_off.h"
#include "hotkeys/screenshot_name.h"
#include "platform/registry_values.h"
#include "platform/sim/sim_platform.h"
#include "ui/form_renderer_sim.h"

namespace corvane::hotkeys {
namespace {

const std::wstring kKeysPath = L"\\SOFTWARE\\Quillon\\Corvane\\Profiles\\keys";

TEST(StoredHotkeyTest, ParsesWhatTheEditorWritesAndRefusesEverythingElse) {
  const std::wstring longArgument(300, L'x');
  struct Case {
    std::wstring name, data;
    std::optional<HotkeyEntry> expected;
  };
  const Case cases[] = {
      {L"s_16449", L"0:快速", HotkeyEntry{16449, 0, L"快速"}},
      {L"s_65", L"10:", HotkeyEntry{65, 10, L""}},
      {L"s_65", L"3:c:\\a b\\x.exe*-w 1:2", HotkeyEntry{65, 3, L"c:\\a b\\x.exe*-w 1:2"}},
      {L"s_0065", L"27:", HotkeyEntry{65, 27, L""}},
      {L"s_65535", L"4:", HotkeyEntry{65535, 4, L""}},
      {L"s_65", L"11:" + longArgument, HotkeyEntry{65, 11, longArgument.substr(0, 255)}},
      // Names that are not "s_" and a 16-bit decimal code.
      {L"s_x", L"1:a", std::nullopt},
      {L"s_", L"1:a", std::nullopt},
      {L"x_65", L"1:a", std::nullopt},
      {L"s_65536", L"1:a", std::nullopt},
      {L"s_-1", L"1:a", std::nullopt},
      {L"s_99999999999999999999", L"1:a", std::nullopt},
      // Data without a decimal action 0..27 before the first ':'.
      {L"s_65", L"abc:..", std::nullopt},
      {L"s_65", L"28:", std::nullopt},
      {L"s_65", L"-1:", std::nullopt},
      {L"s_65", L"4", std::nullopt},
      {L"s_65", L":4", std::nullopt},
      {L"s_65", L" 4:", std::nullopt},
      {L"s_65", L"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseStoredHotkey(c.name, c.data), c.expected) << c.name << L" = " << c.data;
}

TEST(KeyCollectionTest, LoadsTheGoodEntriesInRegistryOrderAndRunsEveryOneBoundToTheKey) {
  platform::SimPlatform sim;
  {
    auto key = sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, kKeysPath, true);
    platform::WriteRegString(*key, L"s_65", L"4:");
    platform::WriteRegString(*key, L"s_x", L"5:");
    platform::WriteRegString(*key, L"s_66", L"abc:..");
    platform::WriteRegDword(*key, L"s_67", 4);
    platform::WriteRegString(*key, L"s_16449", L"0:快速");
    // The same code written another way: two entries on one key.
    platform::WriteRegString(*key, L"s_065", L"11:暗");
  }
  TKeyCollection keys(sim.registry, kKeysPath);
  ASSERT_EQ(keys.Entries().size(), 3u);

  std::vector<HotkeyEntry> ran;
  const HotkeyRunner record = [&ran](const HotkeyEntry& entry) { ran.push_back(entry); };
  keys.ExecuteHotkey(65, record);
  EXPECT_EQ(ran, (std::vector<HotkeyEntry>{{65, 4, L""}, {65, 11, L"暗"}}));
  ran.clear();
  keys.ExecuteHotkey(66, record);
  keys.ExecuteHotkey(0, record);
  EXPECT_TRUE(ran.empty());

  // Reloading sees what the editor changed since.
  auto key = sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, kKeysPath, false);
  key->DeleteValue(L"s_065");
  keys.LoadHotkeys();
  keys.ExecuteHotkey(65, record);
  EXPECT_EQ(ran, (std::vector<HotkeyEntry>{{65, 4, L""}}));
}

TEST(KeyCollectionTest, AMissingKeyIsCreatedEmpty) {
  platform::SimPlatform sim;
  TKeyCollection keys(sim.registry, kKeysPath);
  EXPECT_TRUE(keys.Entries().empty());
  EXPECT_NE(sim.registry.OpenKey(platform::RegistryRoot::CurrentUser, kKeysPath, false), nullptr);
}

// Every operation records its name and argument.
struct Recorder {
  std::vector<std::wstring> calls;
  bool app3DRunning = false;
  int32_t rotation = 0;

  HotkeyOperations Operations() {
    HotkeyOperations ops;
    auto named = [this](std::wstring name) {
      return [this, name](const std::wstring& argument) { calls.push_back(name + L"(" + argument + L")"); };
    };
    auto plain = [this](std::wstring name) { return [this, name] { calls.push_back(name); }; };
    ops.App3DRunning = [this] { return app3DRunning; };
    ops.ApplyD3DProfile = named(L"d3d");
    ops.ApplyOpenGLProfile = named(L"ogl");
    ops.ApplyOverProfile = named(L"over");
    ops.ApplyColorProfile = named(L"color");
    ops.ApplyDisplayProfile = named(L"display");
    ops.Execute = [this](const platform::ShellExecuteRequest& r) {
      calls.push_back(L"run(" + r.file + L"|" + r.parameters + L"|" + r.directory + L")");
    };
    ops.Color = [this](ColorStep step) { calls.push_back(L"step" + std::to_wstring(static_cast<int>(step))); };
    ops.MonitorOff = plain(L"monitorOff");
    ops.MonitorOn = plain(L"monitorOn");
    ops.CurrentRotation = [this] { return rotation; };
    ops.SetRotation = [this](int32_t code) { calls.push_back(L"rotate" + std::to_wstring(code)); };
    ops.DefaultSingleDisplay = plain(L"single");
    ops.Screenshot = plain(L"screenshot");
    ops.ToggleExtendedDesktop = plain(L"extend");
    ops.audio.VolumeUp = plain(L"volumeUp");
    ops.audio.VolumeDown = plain(L"volumeDown");
    ops.audio.ToggleMute = plain(L"mute");
    ops.audio.StartRecording = plain(L"record");
    ops.audio.StopRecording = plain(L"stop");
    return ops;
  }
};

TEST(HotkeyActionTest, EachActionReachesItsOperation) {
  struct Case {
    int action;
    std::wstring argument;
    std::wstring call;         // with no 3D program running
    std::wstring callWhile3D;  // while one runs: the profile actions 0, 1 and 23 wait
  };
  const Case cases[] = {
      {0, L"快速", L"d3d(快速)", L""},
      {1, L"快速", L"ogl(快速)", L""},
      {2, L"超频", L"over(超频)", L"over(超频)"},
      {3, L"c:\\games\\q3.exe*+set fs 1", L"run(c:\\games\\q3.exe|+set fs 1|c:\\games)",
       L"run(c:\\games\\q3.exe|+set fs 1|c:\\games)"},
      {3, L"notepad.exe", L"run(notepad.exe||)", L"run(notepad.exe||)"},
      {3, L"", L"", L""},
      {4, L"", L"step0", L"step0"},
      {9, L"", L"step5", L"step5"},
      {10, L"", L"step6", L"step6"},
      {11, L"暗", L"color(暗)", L"color(暗)"},
      {12, L"", L"monitorOff", L"monitorOff"},
      {13, L"", L"monitorOn", L"monitorOn"},
      {14, L"", L"volumeUp", L"volumeUp"},
      {15, L"", L"volumeDown", L"volumeDown"},
      {16, L"", L"mute", L"mute"},
      {17, L"", L"rotate0", L"rotate0"},
      {18, L"", L"rotate1", L"rotate1"},
      {19, L"", L"rotate2", L"rotate2"},
      {20, L"", L"rotate3", L"rotate3"},
      {22, L"", L"single", L"single"},
      {23, L"双屏", L"display(双屏)", L""},
      {24, L"", L"record", L"record"},
      {25, L"", L"stop", L"stop"},
      {26, L"", L"screenshot", L"screenshot"},
      {27, L"", L"extend", L"extend"},
      {28, L"", L"", L""},
      {-1, L"", L"", L""},
  };
  for (const Case& c : cases) {
    for (bool running3D : {false, true}) {
      Recorder recorder;
      recorder.app3DRunning = running3D;
      RunHotkeyAction({65, c.action, c.argument}, recorder.Operations());
      const std::wstring& expected = running3D ? c.callWhile3D : c.call;
      EXPECT_EQ(recorder.calls, expected.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{expected})
          << "action " << c.action << (running3D ? " with a 3D program" : "");
    }
  }
}

TEST(HotkeyActionTest, AlternatingSwapsLandscapeAndUpsideDownOnly) {
  const std::pair<int32_t, std::vector<std::wstring>> cases[] = {
      {0, {L"rotate2"}}, {2, {L"rotate0"}}, {1, {}}, {3, {}}, {-1, {}}};
  for (const auto& [current, expected] : cases) {
    Recorder recorder;
    recorder.rotation = current;
    RunHotkeyAction({65, HotkeyAction::AlternateRotation, L""}, recorder.Operations());
    EXPECT_EQ(recorder.calls, expected) << "at rotation " << current;
  }
}

TEST(HotkeyActionTest, RecordingStartsAndStopsOnlyWhenThatChangesSomething) {
  for (bool recording : {false, true}) {
    Recorder recorder;
    HotkeyOperations ops = recorder.Operations();
    ops.audio.Recording = [recording] { return recording; };
    RunHotkeyAction({65, HotkeyAction::StartRecording, L""}, ops);
    RunHotkeyAction({65, HotkeyAction::StopRecording, L""}, ops);
    EXPECT_EQ(recorder.calls, std::vector<std::wstring>{recording ? L"stop" : L"record"});
  }
}

TEST(ScreenshotNameTest, TakesTheFirstFreeNumberWithOrWithoutTheTime) {
  struct Case {
    std::wstring folder;
    std::optional<TimeOfDay> time;
    std::set<std::wstring> existing;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"c:\\", std::nullopt, {}, L"c:\\Untitled0.bmp"},
      {L"d:\\shots", std::nullopt, {L"d:\\shots\\Untitled0.bmp", L"d:\\shots\\Untitled1.bmp"},
       L"d:\\shots\\Untitled2.bmp"},
      {L"d:\\shots", TimeOfDay{9, 5, 7}, {}, L"d:\\shots\\Untitled0-9-5-7.bmp"},
      // Two within the same second get different numbers.
      {L"d:\\shots", TimeOfDay{23, 59, 0}, {L"d:\\shots\\Untitled0-23-59-0.bmp"}, L"d:\\shots\\Untitled1-23-59-0.bmp"},
      // Files of another second do not count.
      {L"d:\\shots", TimeOfDay{1, 2, 3}, {L"d:\\shots\\Untitled0-1-2-4.bmp", L"d:\\shots\\Untitled0.bmp"},
       L"d:\\shots\\Untitled0-1-2-3.bmp"},
  };
  for (const Case& c : cases) {
    const auto exists = [&c](const std::wstring& path) { return c.existing.contains(path); };
    EXPECT_EQ(ScreenshotFileName(c.folder, c.time, exists), c.expected);
  }
  // A folder where every name is taken ends the search with no name.
  EXPECT_EQ(ScreenshotFileName(L"c:\\", std::nullopt, [](const std::wstring&) { return true; }), L"");
}

class MonOffTest : public ::testing::Test {
 protected:
  platform::SimPlatform sim;
  ui::SimFormRenderer forms;
  ui::FormContext context{forms, sim.clock};
  int turnedOff = 0;

  std::unique_ptr<TMonOff> Start() {
    return TMonOff::Start(sim.threading, sim.dispatcher, context, 1, [this] { ++turnedOff; });
  }
};

TEST_F(MonOffTest, TheWaitFormShowsUntilTheUiThreadHasSwitchedTheMonitorOff) {
  std::unique_ptr<TMonOff> monOff = Start();
  ASSERT_NE(monOff, nullptr);
  EXPECT_EQ(forms.ShowingForms(), std::vector<std::wstring>{L"frmWait"});
  EXPECT_EQ(turnedOff, 0) << "the thread only waits; the switch is the UI thread's";
  ASSERT_TRUE(sim.dispatcher.WaitForPending(1, std::chrono::seconds(30)));
  sim.dispatcher.PumpAll();
  EXPECT_EQ(turnedOff, 1);
  EXPECT_TRUE(monOff->Done());
  EXPECT_TRUE(forms.ShowingForms().empty());
}

TEST_F(MonOffTest, AnAbandonedSwitchNeverHappens) {
  std::unique_ptr<TMonOff> monOff = Start();
  ASSERT_NE(monOff, nullptr);
  // Let the thread reach the UI thread's queue, then give up before the UI thread runs it.
  ASSERT_TRUE(sim.dispatcher.WaitForPending(1, std::chrono::seconds(30)));
  monOff.reset();
  EXPECT_TRUE(forms.ShowingForms().empty());
  sim.dispatcher.PumpAll();
  EXPECT_EQ(turnedOff, 0);
}

}  // namespace
}  // namespace corvane::hotkeys
