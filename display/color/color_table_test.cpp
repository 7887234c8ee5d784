// The colour table's arithmetic. Also built into the win32 arithmetic tests, which run it
// on the x87 under the program's control word.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "display/color/color_table.h"
#include "display/color/color_test_support.h"

namespace corvane::display {
namespace {

using testing::AllChannels;
using testing::Grey;

TEST(ComputeColorTable, NeutralSettingsGiveTheIdentity) {
  const ColorTable table = ComputeColorTable(ColorSettings{});
  for (uint32_t i = 0; i < 256; ++i) ASSERT_EQ(table[i], Grey(i)) << i;
}

// Entries the curve must pass through, each channel alike.
TEST(ComputeColorTable, EdgeValues) {
  struct Case {
    ColorSettings settings;
    std::vector<std::pair<size_t, uint32_t>> entries;
  };
  const Case cases[] = {
      {AllChannels(0, 0, 250), {{0, 125}, {129, 254}, {130, 255}, {255, 255}}},
      {AllChannels(0, 0, -250), {{0, 0}, {124, 0}, {125, 1}, {255, 131}}},
      {AllChannels(0, -40, 0), {{0, 64}, {127, 128}, {255, 192}}},
      {AllChannels(0, 40, 0), {{0, 0}, {127, 127}, {255, 255}}},
      {AllChannels(20, 0, 0), {{0, 84}, {127, 222}, {255, 255}}},
      {AllChannels(-20, 0, 0), {{0, 0}, {255, 255}}},
  };
  for (const Case& c : cases) {
    const ColorTable table = ComputeColorTable(c.settings);
    for (auto [index, level] : c.entries) EXPECT_EQ(table[index], Grey(level)) << "entry " << index;
  }
}

TEST(ComputeColorTable, OneChannelTouchesOnlyItsOwnByte) {
  ColorSettings redGamma;
  redGamma.Gamma(ColorChannel::Red) = 20;
  const ColorTable table = ComputeColorTable(redGamma);
  const ColorTable identity = ComputeColorTable(ColorSettings{});
  int redDiffers = 0;
  for (size_t i = 0; i < 256; ++i) {
    EXPECT_EQ(table[i] & 0xFF00FFFFu, identity[i] & 0xFFFFu) << i;
    redDiffers += (table[i] >> 16) != i;
  }
  EXPECT_GT(redDiffers, 200);
}

}  // namespace
}  // namespace corvane::display
