#include "display/display_commands.h"

#include <gtest/gtest.h>

#include "display/escape_test_fakes.h"
#include "platform/sim/clock_sim.h"
#include "ui/form_renderer_sim.h"

namespace corvane::display {
namespace {

using platform::sim::SimAtiDriverKind;
using testing::SimDisplayRig;

ui::TPopupMenu DisplayMenu() {
  std::vector<ui::MenuDecl> rotation;
  for (int code = 0; code < 4; ++code)
    rotation.push_back({.name = L"rt" + std::to_wstring(code), .tag = code, .groupIndex = 1, .radioItem = true});
  return ui::TPopupMenu(L"pm1", {{.name = L"Display1",
                                  .items = {{.name = L"miExtDesk"}, {.name = L"ResetDisplayDriver1"}}},
                                 {.name = L"Rotation1", .items = rotation}});
}

class DisplayCommandsTest : public ::testing::Test {
 protected:
  explicit DisplayCommandsTest(SimAtiDriverKind kind = SimAtiDriverKind::Revision5) : rig(kind) {}

  DisplayCommands& Commands() {
    if (!commands)
      commands = std::make_unique<DisplayCommands>(
          pm1, DisplayCommandContext{env, ui::FormContext{forms, clock}, [this] { ++reloads; }});
    return *commands;
  }
  // What the user does in the confirmation that follows a rotation.
  void Answer(const wchar_t* button) {
    forms.OnModal([button](ui::TForm& form) { form[button].Click(); });
  }
  std::vector<bool> RotationChecks() {
    std::vector<bool> checks;
    for (const wchar_t* name : {L"rt0", L"rt1", L"rt2", L"rt3"}) checks.push_back(pm1.Item(name).Checked);
    return checks;
  }

  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  ui::SimFormRenderer forms;
  platform::SimClock clock;
  ui::TPopupMenu pm1 = DisplayMenu();
  std::unique_ptr<DisplayCommands> commands;
  int reloads = 0;
};

TEST_F(DisplayCommandsTest, ARotationKeptInTheDialogIsCheckedAtTheNextOpening) {
  Commands().Refresh();
  EXPECT_EQ(RotationChecks(), (std::vector<bool>{true, false, false, false}));

  Answer(L"btOk");
  pm1.Item(L"rt3").Click();
  Commands().Refresh();
  EXPECT_EQ(rig.driver.State().rotation, 3);
  EXPECT_EQ(RotationChecks(), (std::vector<bool>{false, false, false, true}));
  ASSERT_EQ(forms.History().size(), 1u);
  EXPECT_EQ(forms.History()[0].result, ui::TModalResult::Ok);
}

TEST_F(DisplayCommandsTest, ARotationLeftUnansweredTurnsBackWhenTheCountdownEnds) {
  Commands();
  forms.OnModal([this](ui::TForm&) { clock.Advance(10'000); });
  pm1.Item(L"rt1").Click();
  Commands().Refresh();
  EXPECT_EQ(rig.driver.State().rotation, 0);
  EXPECT_EQ(RotationChecks(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(env.currentMode.width, 1024u);
  ASSERT_EQ(forms.History().size(), 1u);
  EXPECT_EQ(forms.History()[0].result, ui::TModalResult::Cancel);
}

TEST_F(DisplayCommandsTest, ExtendedDesktopFollowsTheMarkAndResetReloadsTheDriver) {
  Commands().Refresh();
  ASSERT_TRUE(pm1.Item(L"miExtDesk").Checked) << "both heads start attached";
  pm1.Item(L"miExtDesk").Click();
  pm1.Item(L"miExtDesk").Checked = false;
  pm1.Item(L"miExtDesk").Click();
  EXPECT_EQ(rig.library.calls, (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {1, -1}}));

  pm1.Item(L"ResetDisplayDriver1").Click();
  EXPECT_EQ(reloads, 1);
}

class DisplayCommandsWithoutEscapes : public DisplayCommandsTest {
 protected:
  DisplayCommandsWithoutEscapes() : DisplayCommandsTest(SimAtiDriverKind::NoPrivateEscapes) {}
};

TEST_F(DisplayCommandsWithoutEscapes, NoRotationIsCheckedOrAttempted) {
  Commands().Refresh();
  EXPECT_EQ(RotationChecks(), (std::vector<bool>{false, false, false, false}));
  pm1.Item(L"rt2").Click();
  EXPECT_TRUE(forms.History().empty()) << "nothing to confirm";
  EXPECT_TRUE(rig.displays.Changes().empty());
}

}  // namespace
}  // namespace corvane::display
