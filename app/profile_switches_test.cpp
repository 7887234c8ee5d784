#include "app/profile_switches.h"

#include <cmath>
#include <functional>

#include "app/main_form_test_support.h"

namespace corvane::main_form_testing {
namespace {

class ProfileSwitchTest : public MainFormTest {
 protected:
  std::vector<std::wstring> consoleLines;

  ProgramEnvironment Start(std::vector<std::wstring> parameters, uint32_t processId = 777) {
    ProgramEnvironment environment = Environment(std::move(parameters), processId);
    environment.consoleLine = [this](const std::wstring& line) { consoleLines.push_back(line); };
    return environment;
  }
  std::unique_ptr<platform::RegistryKey> Profile(const std::wstring& path) {
    return sim.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot + path, true);
  }
  std::wstring DriverText(TfrmMainQRX& form, const std::wstring& subKey, const std::wstring& name) {
    auto key = sim.registry.OpenKey(RegistryRoot::LocalMachine, form.Display().DriverKeyPath + subKey, false);
    if (!key) return L"-";
    if (auto text = platform::ReadRegString(*key, name)) return *text;
    return std::to_wstring(platform::ReadRegDword(*key, name).value_or(0));
  }
  std::wstring CoreClock() { return std::to_wstring(std::lround(machine.Card().CoreClockMhz())); }
};

TEST_F(ProfileSwitchTest, EverySwitchAppliesAnExistingProfileInTheRunningInstanceAndReportsAMissingOne) {
  struct Case {
    std::wstring switchText;
    std::function<void()> store;  // the profile "Q"
    std::function<std::wstring(TfrmMainQRX&)> observe;
    std::wstring applied;
  };
  const Case cases[] = {
      {L"/d3d",
       [&] {
         platform::WriteRegString(*Profile(L"d3d\\Q"), L"AntiAlias", L"2");
         platform::WriteRegString(*Profile(L"d3d\\Q"), L"AntiAliasSamples", L"6");
       },
       [&](TfrmMainQRX& form) { return DriverText(form, L"", L"AntiAliasSamples"); }, L"6"},
      {L"-OGL", [&] { platform::WriteRegDword(*Profile(L"ogl\\Q"), L"OGLMaxAnisotropy", 16); },
       [&](TfrmMainQRX& form) { return DriverText(form, L"\\OpenGL", L"OGLMaxAnisotropy"); }, L"16"},
      {L"/over",
       [&] {
         platform::WriteRegDouble(*Profile(L"over\\Q"), L"vpu", 400);
         platform::WriteRegDouble(*Profile(L"over\\Q"), L"mem", 340);
       },
       [&](TfrmMainQRX&) { return CoreClock(); }, L"400"},
      {L"/color",
       [&] {
         std::vector<uint8_t> settings(36, 0);
         settings[0] = 7;  // red gamma
         platform::WriteRegBinary(*Profile(L"colors"), L"Q", settings);
       },
       [&](TfrmMainQRX& form) { return std::to_wstring(form.Color()->CurrentColor().values[0]); }, L"7"},
      {L"/display",
       [&] {
         platform::WriteRegDword(*Profile(L"Display\\Q"), L"c0_ed", 9);
         platform::WriteRegDword(*Profile(L"Display\\Q"), L"c1_ed", 0);
       },
       [&](TfrmMainQRX&) { return std::to_wstring(displayDriver.State().controllers[0].displays); }, L"9"},
      {L"/loadgame", [&] { StoreGameProfile(L"Q", L"C:\\Games\\q.exe", L""); },
       [&](TfrmMainQRX&) { return std::to_wstring(sim.shell.Starts().size()); }, L"1"},
  };
  const ProgramEnvironment first = Start({});
  TfrmMainQRX running(first, window, false);
  ASSERT_TRUE(running.FormCreate());

  for (const Case& c : cases) {
    SCOPED_TRACE(c.switchText);
    c.store();
    const std::wstring before = c.observe(running);
    ASSERT_NE(before, c.applied);
    consoleLines.clear();

    const ProgramEnvironment missing = Start({c.switchText, L"Nobody"});
    TfrmMainQRX caller(missing, window, true);
    EXPECT_FALSE(caller.FormCreate());
    EXPECT_EQ(caller.ExitCode(), RunExitCode::NoSuchProfile);
    ASSERT_EQ(consoleLines.size(), 1u);
    EXPECT_NE(consoleLines[0].find(L"\"Nobody\""), std::wstring::npos);
    sim.windowMessages.Pump();
    EXPECT_EQ(c.observe(running), before) << "nothing changes";

    const ProgramEnvironment existing = Start({c.switchText, L"Q"});
    TfrmMainQRX forwarder(existing, window, true);
    EXPECT_FALSE(forwarder.FormCreate());
    EXPECT_EQ(forwarder.ExitCode(), RunExitCode::Done);
    EXPECT_EQ(c.observe(running), c.applied);
    EXPECT_EQ(consoleLines.size(), 1u);
  }
  EXPECT_TRUE(sim.user.History().empty());
}

TEST_F(ProfileSwitchTest, AForwardWhileAGameRunsActsAtOnceAndAFirstStartActsOnItself) {
  platform::WriteRegDouble(*Profile(L"over\\Fast"), L"vpu", 410);
  platform::WriteRegDouble(*Profile(L"over\\Fast"), L"mem", 340);
  StoreGameProfile(L"Game", L"C:\\Games\\g.exe", L"");
  StoreGameProfile(L"Other", L"C:\\Games\\o.exe", L"");

  // No instance runs: this one starts, and applies the profile once its loop runs.
  const ProgramEnvironment first = Start({L"/over", L"Fast"}, 4242);
  TfrmMainQRX running(first, window, false);
  ASSERT_TRUE(running.FormCreate());
  sim.windowMessages.Pump();
  EXPECT_EQ(CoreClock(), L"410");
  platform::WriteRegDouble(*Profile(L"over\\Fast"), L"vpu", 400);

  const ProgramEnvironment game = Start({L"/loadgame", L"Game"});
  EXPECT_FALSE(TfrmMainQRX(game, window, true).FormCreate());
  ASSERT_EQ(running.GameLauncher()->RunningGames(), 1u);

  const ProgramEnvironment over = Start({L"/over", L"Fast"});
  EXPECT_FALSE(TfrmMainQRX(over, window, true).FormCreate());
  EXPECT_EQ(CoreClock(), L"400") << "while the game runs";
  // A game request after a profile request is a game request again.
  const ProgramEnvironment other = Start({L"/loadgame", L"Other"});
  EXPECT_FALSE(TfrmMainQRX(other, window, true).FormCreate());
  ASSERT_EQ(sim.shell.Starts().size(), 2u);
  EXPECT_EQ(sim.shell.Starts()[1].file, L"C:\\Games\\o.exe");
  EXPECT_TRUE(consoleLines.empty());
}

}  // namespace
}  // namespace corvane::main_form_testing
