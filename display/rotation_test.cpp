#include "display/rotation.h"

#include <gtest/gtest.h>

#include "display/escape_bytes.h"
#include "display/escape_records.h"
#include "display/escape_test_fakes.h"

namespace corvane::display {
namespace {

using platform::sim::SimAtiDriverKind;
using testing::SimDisplayRig;

// Width and height of the rotation requests the driver received, in order.
std::vector<std::pair<uint32_t, uint32_t>> SentSizes(const SimDisplayRig& rig, uint32_t function) {
  std::vector<std::pair<uint32_t, uint32_t>> sizes;
  for (const platform::sim::SimEscapeCall& call : rig.driver.Calls())
    if (call.function == function) sizes.emplace_back(ReadWord(call.input, 20), ReadWord(call.input, 24));
  return sizes;
}

size_t Count(const std::vector<uint32_t>& functions, uint32_t function) {
  return static_cast<size_t>(std::count(functions.begin(), functions.end(), function));
}

class DesktopRotation : public ::testing::Test {
 protected:
  ConfirmDisplayChange Answer(bool keep) {
    return [this, keep] {
      ++confirmations;
      return keep;
    };
  }
  platform::DisplayMode Current() { return *rig.displays.Mode(L"\\\\.\\DISPLAY1", platform::kCurrentDisplayMode); }

  SimDisplayRig rig;
  DisplayEnvironment env = rig.Environment();
  int confirmations = 0;
};

TEST_F(DesktopRotation, TheRotationInForceOnlyAsksTheDriver) {
  SetDesktopRotation(env, Rotation::Landscape, Answer(true));
  EXPECT_EQ(rig.Functions(), std::vector<uint32_t>{EscapeFunction::GetRotation});
  EXPECT_EQ(confirmations, 0);
  EXPECT_TRUE(rig.displays.Changes().empty());
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

TEST_F(DesktopRotation, TurningSidewaysSwapsTheSizeAndTurningOverDoesNot) {
  SetDesktopRotation(env, Rotation::Right90, Answer(true));
  EXPECT_EQ(GetCurrentRotation(env), Rotation::Right90);
  EXPECT_EQ(SentSizes(rig, EscapeFunction::CheckRotation), (std::vector<std::pair<uint32_t, uint32_t>>{{768, 1024}}));
  EXPECT_EQ(SentSizes(rig, EscapeFunction::SetRotation), (std::vector<std::pair<uint32_t, uint32_t>>{{768, 1024}}));
  const platform::DisplayMode turned = Current();
  EXPECT_EQ(std::tie(turned.width, turned.height, turned.orientation), std::tuple(768u, 1024u, 1u));
  EXPECT_EQ(env.currentMode, turned);
  EXPECT_EQ(confirmations, 1);
  // The driver's configuration went to its key.
  EXPECT_TRUE(rig.DriverKey()->ReadValue(L"DisplayLayout"));

  rig.driver.ClearCalls();
  SetDesktopRotation(env, Rotation::Left90, Answer(true));
  EXPECT_EQ(GetCurrentRotation(env), Rotation::Left90);
  EXPECT_EQ(SentSizes(rig, EscapeFunction::SetRotation), (std::vector<std::pair<uint32_t, uint32_t>>{{768, 1024}}));
  EXPECT_TRUE(rig.user.History().empty());
  EXPECT_EQ(rig.driver.OpenContexts(), 0);
}

TEST_F(DesktopRotation, ARotationNotConfirmedIsTurnedBackSilently) {
  SetDesktopRotation(env, Rotation::Right90, Answer(false));
  EXPECT_EQ(confirmations, 1);
  EXPECT_EQ(rig.driver.State().rotation, Rotation::Landscape);
  EXPECT_EQ(std::tuple(Current().width, Current().height), std::tuple(1024u, 768u));
  EXPECT_TRUE(rig.user.History().empty());
}

TEST_F(DesktopRotation, ARefusalIsTurnedBackAndReported) {
  // The driver turns, Windows refuses the sideways mode: both go back.
  rig.displays.FailNextChange(platform::DisplayChangeResult::Failed);
  SetDesktopRotation(env, Rotation::Left90, Answer(true));
  EXPECT_EQ(confirmations, 0);
  EXPECT_EQ(rig.driver.State().rotation, Rotation::Landscape);
  EXPECT_EQ(std::tuple(Current().width, Current().height), std::tuple(1024u, 768u));
  ASSERT_EQ(rig.user.History().size(), 1u);
  EXPECT_EQ(rig.user.History()[0].request.text, L"设置旋转模式出错!");
  EXPECT_EQ(rig.user.History()[0].request.caption, L"错误");
  EXPECT_EQ(rig.user.History()[0].request.icon, platform::MessageIcon::Error);

  // The driver refuses the switch itself.
  rig.driver.State().failingFunctions.insert(EscapeFunction::SetRotation);
  SetDesktopRotation(env, Rotation::Upside180, Answer(true));
  EXPECT_EQ(rig.driver.State().rotation, Rotation::Landscape);
  EXPECT_EQ(rig.user.History().size(), 2u);
}

TEST_F(DesktopRotation, ARotationTheDriverCannotDoChangesNothing) {
  rig.driver.State().refusedRotations.insert(Rotation::Upside180);
  SetDesktopRotation(env, Rotation::Upside180, Answer(true));
  const std::vector<uint32_t> functions = rig.Functions();
  EXPECT_EQ(Count(functions, EscapeFunction::SetRotation), 0u);
  EXPECT_GT(Count(functions, EscapeFunction::ReadDriverSettingBlob), 0u);
  EXPECT_TRUE(rig.displays.Changes().empty());
  EXPECT_TRUE(rig.user.History().empty());
}

TEST(DesktopRotationWithoutDriver, NothingIsAskedOfWindows) {
  SimDisplayRig rig(SimAtiDriverKind::NoPrivateEscapes);
  DisplayEnvironment env = rig.Environment();
  EXPECT_EQ(GetCurrentRotation(env), Rotation::Unknown);
  SetDesktopRotation(env, Rotation::Right90, [] { return true; });
  EXPECT_TRUE(rig.displays.Changes().empty());
  EXPECT_TRUE(rig.user.History().empty());

  testing::SilentEscapes silent;
  DisplayEnvironment silentEnv = rig.Environment(silent);
  SetDesktopRotation(silentEnv, Rotation::Right90, [] { return true; });
  EXPECT_TRUE(rig.displays.Changes().empty());
}

}  // namespace
}  // namespace corvane::display
