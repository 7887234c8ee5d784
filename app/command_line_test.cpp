#include "app/command_line.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CommandLine, SwitchesNeedADashOrSlashAndIgnoreCase) {
  CommandLine line({L"/LoadGame", L"Half-Life 2"});
  EXPECT_TRUE(line.HasSwitch(L"loadgame"));
  EXPECT_EQ(line.Param(2), L"Half-Life 2");
  EXPECT_EQ(line.Param(3), L"");
  EXPECT_EQ(line.Param(0), L"");

  EXPECT_TRUE(CommandLine({L"-loadgame"}).HasSwitch(L"loadgame"));
  EXPECT_FALSE(CommandLine({L"loadgame"}).HasSwitch(L"loadgame"));
  EXPECT_FALSE(CommandLine({L"/loadgames"}).HasSwitch(L"loadgame"));
  EXPECT_FALSE(CommandLine({L"/"}).HasSwitch(L""));
  EXPECT_FALSE(CommandLine().HasSwitch(L"simulate"));
}

}  // namespace
}  // namespace corvane
