#include "app/menus/game_items.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "app/menus/menus_test_support.h"

namespace corvane::menus {
namespace {

using testing::MenuRig;

void AddGame(MenuRig& rig, const std::wstring& name, const std::wstring& file, const std::wstring& params = L"") {
  auto key = rig.Profile(L"Games", name);
  platform::WriteRegString(*key, L"File", file);
  platform::WriteRegString(*key, L"File_Params", params);
}

TEST(GameItems, ManyProfilesStartNewColumnsEveryFifteenAndFillTheLookupList) {
  MenuRig rig;
  // Created out of order: the menu sorts them.
  for (int i = 30; i >= 0; --i) {
    wchar_t name[16];
    std::swprintf(name, std::size(name), L"Game %02d", i);
    AddGame(rig, name, L"C:\\Games\\g" + std::to_wstring(i) + L".exe");
  }
  rig.Menus().RefreshMenuState();

  ui::TMenuItem& games = rig.Item(L"GameProfiles1");
  ASSERT_EQ(games.Count(), 2u + 31u);
  std::vector<size_t> breaks;
  for (size_t i = 2; i < games.Count(); ++i)
    if (games[i].BarBreak) breaks.push_back(i - 2);
  EXPECT_EQ(breaks, (std::vector<size_t>{15, 30}));  // the 16th and the 31st item
  EXPECT_EQ(games[2].Caption, L"Game 00");
  EXPECT_EQ(games[32].Caption, L"Game 30");
  EXPECT_FALSE(games[2].AutoHotkeys);

  ASSERT_EQ(rig.lookup.size(), 31u);
  EXPECT_EQ(rig.lookup[0], std::wstring(L"C:\\GAMES\\G0.EXE") + L'\x13' + L"Game 00");

  // A second popup replaces the items instead of adding to them.
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(games.Count(), 2u + 31u);
  EXPECT_EQ(rig.lookup.size(), 31u);
}

TEST(GameItems, ClickStartsTheGameOfTheNameShownInItsFolder) {
  MenuRig rig;
  AddGame(rig, L"Rock&Roll", L"C:\\Old\\rock.exe", L"-window");
  AddGame(rig, L"RockRoll", L"D:\\Games\\RR\\rr.exe");
  AddGame(rig, L"No file", L"");
  rig.Menus().RefreshMenuState();

  // The lookup list and the click both use the name as stored: a menu item shows "&" as it is.
  EXPECT_EQ(rig.lookup[0], std::wstring(L"") + L'\x13' + L"No file");
  EXPECT_EQ(rig.lookup[1], std::wstring(L"C:\\OLD\\ROCK.EXE") + L'\x13' + L"Rock&Roll");

  ui::TMenuItem& games = rig.Item(L"GameProfiles1");
  ASSERT_EQ(games[3].Caption, L"Rock&Roll");
  games[3].Click();
  games[2].Click();  // no file: nothing starts
  auto starts = rig.sim.shell.Starts();
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].kind, platform::StartKind::ShellExecute);
  EXPECT_EQ(starts[0].verb, L"open");
  EXPECT_EQ(starts[0].file, L"C:\\Old\\rock.exe") << "not the game of \"RockRoll\"";
  EXPECT_EQ(starts[0].parameters, L"-window");
  EXPECT_EQ(starts[0].directory, L"C:\\Old\\");
  EXPECT_EQ(starts[0].show, platform::ShowCommand::Show);
}

TEST(GameItems, NoProfilesLeavesTheDeclaredItemsAndCreatesTheKey) {
  MenuRig rig;
  rig.lookup = {L"stale"};
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Item(L"GameProfiles1").Count(), 2u);
  EXPECT_TRUE(rig.lookup.empty());
  EXPECT_TRUE(rig.sim.registry.Exists(platform::RegistryRoot::CurrentUser, global::ProfilesRoot + L"Games"));
}

TEST(DisplayItems, SortedAfterTheDeclaredNineAndClickAppliesTheName) {
  MenuRig rig;
  rig.Profile(L"Display", L"TV");
  rig.Profile(L"Display", L"clone & TV");
  std::vector<std::wstring> applied;
  rig.Menus().plugged.applyDisplayProfile = [&](const std::wstring& name) { applied.push_back(name); };
  rig.Menus().RefreshMenuState();
  rig.Menus().RefreshMenuState();
  EXPECT_EQ(rig.Captions(L"Display1", 9), (std::vector<std::wstring>{L"clone & TV", L"TV"}));
  rig.Item(L"Display1")[9].Click();
  EXPECT_EQ(applied, std::vector<std::wstring>{L"clone & TV"});
}

}  // namespace
}  // namespace corvane::menus
