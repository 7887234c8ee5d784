#include "ui/menu.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane::ui {
namespace {

TPopupMenu GameMenu() {
  return TPopupMenu(L"pm1", {{.name = L"GameProfiles1",
                              .caption = L"游戏配置",
                              .imageIndex = 10,
                              .items = {{.name = L"MPG1", .caption = L"管理配置"}, {.name = L"N21", .caption = L"-"}}},
                             {.name = L"Rotation1",
                              .caption = L"旋转",
                              .items = {{.name = L"rt0", .caption = L"标准横向 0度", .tag = 0, .radioItem = true},
                                        {.name = L"rt3", .caption = L"向左旋转 90度", .tag = 3, .radioItem = true}}},
                             {.name = L"Exit1", .caption = L"退出"}});
}

TEST(PopupMenu, FindsItemsAtAnyDepthAndRejectsUnknownNames) {
  TPopupMenu menu = GameMenu();
  TMenuItem& rotation = menu.Item(L"rt3");
  EXPECT_EQ(rotation.Tag, 3);
  EXPECT_TRUE(rotation.RadioItem);
  EXPECT_EQ(rotation.Parent(), menu.Find(L"Rotation1"));
  EXPECT_EQ(menu.Item(L"GameProfiles1").ImageIndex, 10);
  EXPECT_TRUE(menu.Item(L"N21").IsSeparator());
  EXPECT_EQ(menu.Find(L"rt1"), nullptr);
  EXPECT_EQ(menu.Find(L"RT3"), nullptr) << "names are identifiers: exact case";
  EXPECT_THROW(menu.Item(L"Exit2"), std::out_of_range);
}

TEST(PopupMenu, RebuildingDynamicItemsKeepsTheDeclaredOnes) {
  TPopupMenu menu = GameMenu();
  TMenuItem& games = menu.Item(L"GameProfiles1");
  int started = 0;
  for (int round = 0; round < 2; ++round) {
    games.DeleteFrom(2);
    for (const wchar_t* name : {L"Quake & Co", L"Unreal"}) {
      TMenuItem& item = games.Add({.name = L"", .caption = name});
      item.AutoHotkeys = false;
      item.OnClick = [&](TMenuItem&) { ++started; };
    }
  }
  ASSERT_EQ(games.Count(), 4u);
  EXPECT_EQ(games[0].Name, L"MPG1");
  EXPECT_EQ(games[1].Name, L"N21");
  EXPECT_EQ(games[2].Caption, L"Quake & Co");
  EXPECT_EQ(games[3].Parent(), &games);
  games[3].Click();
  EXPECT_EQ(started, 1);

  games.DeleteFrom(10);  // past the end: nothing to delete
  EXPECT_EQ(games.Count(), 4u);
}

TEST(PopupMenu, CheckingARadioItemClearsOnlyItsOwnGroup) {
  TPopupMenu menu(L"pm1", {{.name = L"Aniso1",
                            .items = {{.name = L"q1", .groupIndex = 2, .radioItem = true},
                                      {.name = L"q2", .groupIndex = 2, .radioItem = true},
                                      {.name = L"d0", .groupIndex = 3, .radioItem = true},
                                      {.name = L"d8", .groupIndex = 3, .radioItem = true},
                                      {.name = L"opt"}}}});
  for (const wchar_t* name : {L"q1", L"d0", L"opt"}) menu.Item(name).SetChecked(true);
  menu.Item(L"d8").SetChecked(true);
  EXPECT_TRUE(menu.Item(L"q1").Checked) << "another group keeps its mark";
  EXPECT_FALSE(menu.Item(L"d0").Checked);
  EXPECT_TRUE(menu.Item(L"d8").Checked);
  EXPECT_TRUE(menu.Item(L"opt").Checked) << "a check item is not part of any radio group";
  menu.Item(L"d8").SetChecked(false);
  EXPECT_FALSE(menu.Item(L"d8").Checked);
  EXPECT_TRUE(menu.Item(L"q1").Checked);
}

TEST(PopupMenu, StripAmpersandsGivesTheNameBack) {
  EXPECT_EQ(StripAmpersands(L"Quake && Co"), L"Quake  Co");
  EXPECT_EQ(StripAmpersands(L"&File"), L"File");
  EXPECT_EQ(StripAmpersands(L"游戏&"), L"游戏");
  EXPECT_EQ(StripAmpersands(L""), L"");
}

}  // namespace
}  // namespace corvane::ui
