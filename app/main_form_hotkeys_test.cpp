#include <gtest/gtest.h>

#include <chrono>

#include "app/main_form_test_support.h"
#include "display/color/color_table.h"
#include "platform/sim/mixer_sim.h"
#include "platform/sim/recording_files_sim.h"
#include "platform/sim/wave_in_sim.h"
#include "platform/sim/whole_file_sim.h"

namespace corvane {
namespace {

using namespace corvane::main_form_testing;
using display::ColorChannel;
using display::ColorSettings;

constexpr uint16_t kCtrlA = 0x4000 + 'A';

class MainFormHotkeyTest : public MainFormTest {
 protected:
  void StoreHotkey(uint16_t code, const std::wstring& data) {
    auto key = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", true);
    platform::WriteRegString(*key, L"s_" + std::to_wstring(code), data);
  }
  TfrmMainQRX& Start() {
    form_ = std::make_unique<TfrmMainQRX>(environment_, window, false);
    EXPECT_TRUE(form_->FormCreate());
    return *form_;
  }
  // The keyboard hook's report of `code`; what is left of its pending flag.
  uint32_t Press(uint16_t code) {
    hotkeys::KeyReport report{1, code};
    form_->HandleKeyEvent(report);
    return report.pending;
  }
  static ColorSettings AllChannels(int gamma, int contrast, int brightness) {
    ColorSettings settings;
    for (ColorChannel channel : {ColorChannel::Red, ColorChannel::Green, ColorChannel::Blue}) {
      settings.Gamma(channel) = gamma;
      settings.Contrast(channel) = contrast;
      settings.Brightness(channel) = brightness;
    }
    return settings;
  }

  const ProgramEnvironment environment_ = Environment();
  std::unique_ptr<TfrmMainQRX> form_;
};

TEST_F(MainFormHotkeyTest, ColourHotkeysStepAllChannelsUntilRedReachesItsLimit) {
  struct Case {
    int action;
    ColorSettings before;
    ColorSettings after;
  };
  ColorSettings brightMixed = AllChannels(0, 0, 245);
  brightMixed.Brightness(ColorChannel::Green) = 248;
  brightMixed.Brightness(ColorChannel::Blue) = 100;
  ColorSettings brightMixedAfter = AllChannels(0, 0, 250);
  brightMixedAfter.Brightness(ColorChannel::Blue) = 110;
  ColorSettings redAtTop = AllChannels(0, 39, 0);
  redAtTop.Contrast(ColorChannel::Red) = 40;
  ColorSettings mixed = AllChannels(3, -7, 120);
  mixed.Gamma(ColorChannel::Blue) = -20;
  const Case cases[] = {
      {4, AllChannels(0, 0, 0), AllChannels(1, 0, 0)},
      {4, AllChannels(20, 0, 0), AllChannels(20, 0, 0)},
      {5, AllChannels(-20, 0, 0), AllChannels(-20, 0, 0)},
      {6, brightMixed, brightMixedAfter},
      {6, AllChannels(0, 0, 250), AllChannels(0, 0, 250)},
      {7, AllChannels(0, 0, -245), AllChannels(0, 0, -250)},
      {8, AllChannels(0, 39, 0), AllChannels(0, 40, 0)},
      {8, redAtTop, redAtTop},
      {9, AllChannels(0, -40, 0), AllChannels(0, -40, 0)},
      {10, mixed, ColorSettings{}},
  };
  TfrmMainQRX& form = Start();
  for (const Case& c : cases) {
    StoreHotkey(kCtrlA, std::to_wstring(c.action) + L":");
    form.LoadHotkeys();
    form.Color()->SetCurrentColor(c.before);
    form.rvx()->WritePalette(display::ColorTable{});
    Press(kCtrlA);
    EXPECT_EQ(form.Color()->CurrentColor(), c.after) << "action " << c.action;
    if (c.after != c.before) {
      EXPECT_EQ(form.rvx()->ReadPalette(), display::ComputeColorTable(c.after)) << "action " << c.action;
    }
  }
}

TEST_F(MainFormHotkeyTest, AKeyPressedWhileTheEditorIsOpenIsDiscarded) {
  StoreHotkey(kCtrlA, L"4:");
  TfrmMainQRX& form = Start();
  form.HotkeyEditorOpen = true;
  EXPECT_EQ(Press(kCtrlA), 0u);
  EXPECT_EQ(form.Color()->CurrentColor(), ColorSettings{});
  form.HotkeyEditorOpen = false;
  EXPECT_EQ(Press(kCtrlA), 0u);
  EXPECT_EQ(form.Color()->CurrentColor(), AllChannels(1, 0, 0));
  // A report that is not pending runs nothing.
  hotkeys::KeyReport stale{0, kCtrlA};
  form.HandleKeyEvent(stale);
  EXPECT_EQ(form.Color()->CurrentColor(), AllChannels(1, 0, 0));
}

TEST_F(MainFormHotkeyTest, MalformedStoredHotkeysAreSkippedAndTheRestStillRun) {
  auto key = sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + L"keys", true);
  platform::WriteRegString(*key, L"s_x", L"4:");
  platform::WriteRegString(*key, L"s_16449", L"abc:..");
  platform::WriteRegString(*key, L"s_016449", L"99:");
  platform::WriteRegString(*key, L"s_0016449", L"3:c:\\tools\\run.exe*" + std::wstring(400, L'p'));
  platform::WriteRegString(*key, L"s_00016449", L"4:");
  TfrmMainQRX& form = Start();
  Press(kCtrlA);
  const std::vector<platform::SimStart> starts = sim.shell.Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].verb, L"open");
  EXPECT_EQ(starts[0].file, L"c:\\tools\\run.exe");
  EXPECT_EQ(starts[0].directory, L"c:\\tools");
  EXPECT_EQ(starts[0].parameters, std::wstring(255 - 17, L'p'));
  EXPECT_EQ(form.Color()->CurrentColor(), AllChannels(1, 0, 0)) << "the entry after the program ran too";
}

TEST_F(MainFormHotkeyTest, RotationHotkeysTurnTheDesktopAndAlternateOnlyBetweenLandscapeAndUpsideDown) {
  StoreHotkey(kCtrlA, L"21:");
  StoreHotkey(kCtrlA + 1, L"18:");
  Start();
  // Each rotation that happens asks the user to keep it.
  window.forms.OnModal([](ui::TForm& check) { check[L"btOk"].Click(); });
  Press(kCtrlA);
  EXPECT_EQ(displayDriver.State().rotation, 2);
  window.forms.OnModal([](ui::TForm& check) { check[L"btOk"].Click(); });
  Press(kCtrlA);
  EXPECT_EQ(displayDriver.State().rotation, 0);
  window.forms.OnModal([](ui::TForm& check) { check[L"btOk"].Click(); });
  Press(kCtrlA + 1);
  EXPECT_EQ(displayDriver.State().rotation, 1);
  Press(kCtrlA);
  EXPECT_EQ(displayDriver.State().rotation, 1) << "90 degrees is left alone";
  EXPECT_EQ(window.forms.UnusedScripts(), 0u);
}

TEST_F(MainFormHotkeyTest, ScreenshotsGoToTheFirstFreeNameWithOrWithoutTheTime) {
  StoreHotkey(kCtrlA, L"26:");
  TfrmMainQRX& form = Start();
  std::vector<std::wstring> saved;
  form.Hotkeys.SaveScreenshot = [&](const std::wstring& path) {
    saved.push_back(path);
    sim.shell.AddFile(path);
    return true;
  };
  form.Hotkeys.Now = [] { return hotkeys::TimeOfDay{14, 3, 9}; };
  form.reg1().SetValue(L"SSFolder", std::wstring(L"e:\\shots"));
  Press(kCtrlA);
  Press(kCtrlA);
  form.reg1().SetValue(L"SSAddTime", true);
  Press(kCtrlA);
  Press(kCtrlA);
  const std::vector<std::wstring> expected = {L"e:\\shots\\Untitled0.bmp", L"e:\\shots\\Untitled1.bmp",
                                              L"e:\\shots\\Untitled0-14-3-9.bmp", L"e:\\shots\\Untitled1-14-3-9.bmp"};
  ASSERT_NE(form.rvx()->FrameBufferWindow(), 0u);
  EXPECT_EQ(saved, expected);
}

TEST_F(MainFormHotkeyTest, MonitorHotkeysGoThroughTheSupportLibrarysSwitch) {
  StoreHotkey(kCtrlA, L"12:");
  StoreHotkey(kCtrlA + 1, L"13:");
  TfrmMainQRX& form = Start();
  std::vector<int> modes;
  form.Hotkeys.TurnMonitor = [&modes](int mode) { modes.push_back(mode); };
  Press(kCtrlA + 1);
  EXPECT_EQ(modes, std::vector<int>{hotkeys::MonitorPower::On});
  Press(kCtrlA);
  Press(kCtrlA);  // a repeated key while waiting starts no second switch
  EXPECT_EQ(window.forms.ShowingForms(), std::vector<std::wstring>{L"frmWait"});
  ASSERT_TRUE(sim.dispatcher.WaitForPending(1, std::chrono::seconds(30)));
  sim.dispatcher.PumpAll();
  EXPECT_EQ(modes, (std::vector<int>{hotkeys::MonitorPower::On, hotkeys::MonitorPower::Off}));
  EXPECT_TRUE(window.forms.ShowingForms().empty());
  EXPECT_EQ(sim.dispatcher.Pending(), 0u);
}

// Without sound devices the volume and recording keys do nothing; with them they reach the
// master line and the recorder the form made at start-up.
TEST_F(MainFormHotkeyTest, AudioHotkeysReachTheMixerAndTheRecorderWhenThereAreSoundDevices) {
  StoreHotkey(kCtrlA, L"14:");      // volume up
  StoreHotkey(kCtrlA + 1, L"24:");  // start recording
  {
    TfrmMainQRX& silent = Start();
    Press(kCtrlA);
    Press(kCtrlA + 1);
    EXPECT_EQ(silent.Recorder(), nullptr);
    form_.reset();
  }
  platform::SimWaveIn waveIn;
  platform::SimRecordingFiles files;
  platform::SimMixers mixers;
  ProgramEnvironment withSound = Environment();
  // "audio.dat" as the options dialog saves it: PCM, mono, 8000 Hz, 16 bits.
  withSound.audio = {&waveIn, &files, &mixers};
  withSound.openFile = [](const std::wstring&) {
    auto file = std::make_unique<platform::SimWholeFile>();
    file->contents = std::string(
        "\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00\x00\x00", 18);
    return file;
  };
  form_ = std::make_unique<TfrmMainQRX>(withSound, window, false);
  ASSERT_TRUE(form_->FormCreate());
  const uint32_t before = mixers.values[platform::SimMixers::kVolumeId];
  Press(kCtrlA);
  EXPECT_GT(mixers.values[platform::SimMixers::kVolumeId], before);
  Press(kCtrlA + 1);
  ASSERT_NE(form_->Recorder(), nullptr);
  EXPECT_TRUE(form_->Recorder()->Recording());
  EXPECT_TRUE(waveIn.DeviceOpen());
  form_.reset();  // a recording still running is finished when the form goes
  EXPECT_FALSE(waveIn.DeviceOpen());
  EXPECT_EQ(files.files.size(), 1u);
}

}  // namespace
}  // namespace corvane
