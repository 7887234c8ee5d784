#include "platform/sim/desktop_icons_sim.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(SimDesktopIcons, ReadsFindsAndMovesIcons) {
  SimDesktopIcons desktop;
  desktop.AddIcon(L"My Computer", {10, 20});
  desktop.AddIcon(L"Recycle Bin", {10, 90});
  auto view = desktop.Open();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(desktop.OpenViews(), 1);

  ASSERT_EQ(view->ItemCount(), 2);
  EXPECT_EQ(view->ItemText(1), L"Recycle Bin");
  EXPECT_EQ(view->ItemPosition(0), (IconPosition{10, 20}));
  EXPECT_FALSE(view->ItemText(2));
  EXPECT_FALSE(view->ItemPosition(-1));
  EXPECT_EQ(view->FindItem(L"recycle bin"), 1);  // as the view compares
  EXPECT_FALSE(view->FindItem(L"Recycle"));      // whole text only

  EXPECT_TRUE(view->SetItemPosition(1, {300, 400}));
  EXPECT_EQ(desktop.PositionOf(L"Recycle Bin"), (IconPosition{300, 400}));
  // Each coordinate travels in 16 bits.
  EXPECT_TRUE(view->SetItemPosition(0, {70000, -5}));
  EXPECT_EQ(desktop.PositionOf(L"My Computer"), (IconPosition{70000 - 65536, -5}));

  view.reset();
  EXPECT_EQ(desktop.OpenViews(), 0);
}

TEST(SimDesktopIcons, AutoArrangePutsMovedIconsBack) {
  SimDesktopIcons desktop;
  desktop.AddIcon(L"My Computer", {10, 20});
  desktop.SetStyle(desktop.Style() | kDesktopAutoArrangeStyle);
  auto view = desktop.Open();
  ASSERT_NE(view, nullptr);
  view->SetItemPosition(0, {500, 500});
  EXPECT_EQ(desktop.PositionOf(L"My Computer"), (IconPosition{10, 20}));

  const uint32_t arranged = view->Style();
  view->SetStyle(arranged & ~kDesktopAutoArrangeStyle);
  view->SetItemPosition(0, {500, 500});
  view->SetStyle(arranged);
  EXPECT_EQ(desktop.PositionOf(L"My Computer"), (IconPosition{500, 500}));
  EXPECT_EQ(desktop.StyleChanges(), (std::vector<uint32_t>{arranged & ~kDesktopAutoArrangeStyle, arranged}));
}

}  // namespace
}  // namespace corvane::platform
