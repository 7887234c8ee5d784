#include "display/displays/display_layout.h"

#include <gtest/gtest.h>

namespace corvane::display {
namespace {

using D = LayoutDisplay;
using B = LayoutButton;

struct Press {
  D display;
  B button;
  DisplayLayout before;
  DisplayLayout after;
};

std::string Describe(const Press& p) {
  const char* displays[] = {"first monitor", "second monitor", "TV"};
  const char* buttons[] = {"power", "主要", "镜像"};
  return std::string(displays[static_cast<int>(p.display)]) + " " + buttons[static_cast<int>(p.button)] + " in (" +
         std::to_string(p.before.P) + ", " + std::to_string(p.before.S) + ")";
}

void ExpectPresses(const LayoutMasks& masks, std::initializer_list<Press> presses) {
  for (const Press& p : presses) {
    const DisplayLayout after = PressLayoutButton(p.display, p.button, p.before, masks);
    EXPECT_EQ(after, p.after) << Describe(p) << " gave (" << after.P << ", " << after.S << ")";
  }
}

TEST(DisplayLayoutButtons, EveryRowOfTheTableInTheNormalLayout) {
  ExpectPresses(kNormalLayout, {
      // The first monitor's power: on beside what is lit, off only when something else is.
      {D::FirstMonitor, B::Power, {2, 0}, {1, 2}},
      {D::FirstMonitor, B::Power, {8, 0}, {1, 8}},
      {D::FirstMonitor, B::Power, {1, 0}, {1, 0}},
      {D::FirstMonitor, B::Power, {1, 2}, {2, 0}},
      {D::FirstMonitor, B::Power, {2, 1}, {2, 0}},
      {D::FirstMonitor, B::Power, {1, 8}, {8, 0}},
      {D::FirstMonitor, B::Power, {9, 0}, {8, 0}},
      // The second monitor's power.
      {D::SecondMonitor, B::Power, {1, 2}, {1, 0}},
      {D::SecondMonitor, B::Power, {2, 0}, {2, 0}},
      {D::SecondMonitor, B::Power, {1, 0}, {1, 2}},
      {D::SecondMonitor, B::Power, {8, 0}, {1, 2}},
      // The TV's power.
      {D::Tv, B::Power, {1, 8}, {1, 0}},
      {D::Tv, B::Power, {9, 0}, {1, 0}},
      {D::Tv, B::Power, {1, 0}, {1, 8}},
      {D::Tv, B::Power, {2, 0}, {1, 8}},
      // The first monitor's "主要" and "镜像".
      {D::FirstMonitor, B::Primary, {2, 1}, {1, 2}},
      {D::FirstMonitor, B::Primary, {8, 1}, {9, 0}},
      {D::FirstMonitor, B::Primary, {1, 2}, {1, 2}},
      {D::FirstMonitor, B::Primary, {8, 0}, {8, 0}},
      {D::FirstMonitor, B::Clone, {1, 2}, {2, 1}},
      {D::FirstMonitor, B::Clone, {1, 8}, {8, 1}},
      {D::FirstMonitor, B::Clone, {9, 0}, {8, 1}},
      {D::FirstMonitor, B::Clone, {2, 1}, {2, 1}},
      {D::FirstMonitor, B::Clone, {1, 0}, {1, 0}},
      // The second monitor's.
      {D::SecondMonitor, B::Primary, {1, 2}, {2, 1}},
      {D::SecondMonitor, B::Primary, {2, 1}, {2, 1}},
      {D::SecondMonitor, B::Primary, {8, 0}, {8, 0}},
      {D::SecondMonitor, B::Clone, {2, 1}, {1, 2}},
      {D::SecondMonitor, B::Clone, {1, 2}, {1, 2}},
      {D::SecondMonitor, B::Clone, {8, 0}, {8, 0}},
      // The TV's: "主要" only from (1, T).
      {D::Tv, B::Primary, {1, 8}, {9, 0}},
      {D::Tv, B::Primary, {2, 8}, {2, 8}},
      {D::Tv, B::Primary, {8, 1}, {8, 1}},
      {D::Tv, B::Primary, {8, 0}, {8, 0}},
      {D::Tv, B::Clone, {9, 0}, {1, 8}},
      {D::Tv, B::Clone, {2, 0}, {1, 8}},
      {D::Tv, B::Clone, {1, 8}, {1, 8}},
      {D::Tv, B::Clone, {8, 0}, {8, 0}},
  });
}

TEST(DisplayLayoutButtons, TheOlderLayoutOnlyMovesTheTv) {
  ExpectPresses(kOlderLayout, {
      {D::Tv, B::Primary, {1, 4}, {5, 0}},
      {D::Tv, B::Primary, {1, 0}, {1, 0}},
      {D::Tv, B::Clone, {5, 0}, {1, 4}},
      {D::Tv, B::Clone, {1, 0}, {1, 4}},
      {D::Tv, B::Clone, {1, 4}, {1, 4}},
      {D::Tv, B::Power, {1, 4}, {1, 4}},
      {D::Tv, B::Power, {1, 0}, {1, 0}},
      {D::FirstMonitor, B::Power, {2, 0}, {2, 0}},
      {D::FirstMonitor, B::Power, {1, 2}, {1, 2}},
      {D::FirstMonitor, B::Primary, {2, 1}, {2, 1}},
      {D::FirstMonitor, B::Clone, {1, 2}, {1, 2}},
      {D::SecondMonitor, B::Power, {1, 0}, {1, 0}},
      {D::SecondMonitor, B::Primary, {1, 2}, {1, 2}},
      {D::SecondMonitor, B::Clone, {2, 1}, {2, 1}},
  });
}

TEST(DisplayLamps, PrimaryAndCloneFollowTheControllers) {
  struct Case {
    D display;
    DisplayLayout layout;
    bool power, primary, clone;
  };
  const Case cases[] = {
      {D::FirstMonitor, {9, 0}, true, true, false}, {D::Tv, {9, 0}, true, true, false},
      {D::Tv, {1, 8}, true, false, true},           {D::FirstMonitor, {1, 8}, true, true, false},
      // A display on controller 1 alone counts as the primary one.
      {D::Tv, {0, 8}, true, true, false},           {D::SecondMonitor, {1, 8}, false, false, false},
  };
  for (const Case& c : cases) {
    const DisplayLamps lamps = LampsOf(c.display, c.layout, kNormalLayout);
    EXPECT_EQ(std::tuple(lamps.power, lamps.primary, lamps.clone), std::tuple(c.power, c.primary, c.clone))
        << static_cast<int>(c.display) << " in (" << c.layout.P << ", " << c.layout.S << ")";
  }
  EXPECT_TRUE(LampsOf(D::Tv, {5, 0}, kOlderLayout).primary) << "the TV is bit 4 before revision 5";
  EXPECT_FALSE(LampsOf(D::Tv, {9, 0}, kOlderLayout).power);
}

}  // namespace
}  // namespace corvane::display
