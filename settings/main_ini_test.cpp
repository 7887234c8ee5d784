#include "settings/main_ini.h"

#include <gtest/gtest.h>

#include "platform/sim/ini_file_sim.h"

namespace corvane::settings {
namespace {

TEST(MainIni, MissingFileGivesEveryDefaultAndWrittenKeysWin) {
  platform::SimIniFiles files;
  const MainIniSwitches defaults = ReadMainIniSwitches(*files.Open(L"c:\\nowhere\\corvane.ini"));
  EXPECT_EQ(defaults.saveIconPosition, 1);
  EXPECT_EQ(defaults.optDisableOvr, 0);
  EXPECT_EQ(defaults.helpFile, L"corvane.hlp");
  EXPECT_EQ(defaults.hideTimings, 0);
  EXPECT_EQ(defaults.updateServer, L"");

  files.SetText(L"c:\\corvane\\corvane.ini",
                L"[other]\nopt_disable_ovr=1\n[MAIN]\nsave_icon_position=0\nOPT_DISABLE_OVR = 1\n"
                L"hide_d3d=yes\nhelp_file=帮助.chm\nupdate_server=updates.example\n");
  const MainIniSwitches read = ReadMainIniSwitches(*files.Open(L"c:\\corvane\\corvane.ini"));
  EXPECT_EQ(read.saveIconPosition, 0);
  EXPECT_EQ(read.optDisableOvr, 1);
  EXPECT_EQ(read.hideD3d, 0) << "not a number reads as 0, which hides nothing";
  EXPECT_EQ(read.helpFile, L"帮助.chm");
  EXPECT_EQ(read.updateServer, L"updates.example");
  EXPECT_EQ(read.fileUrl, L"");
}

}  // namespace
}  // namespace corvane::settings
