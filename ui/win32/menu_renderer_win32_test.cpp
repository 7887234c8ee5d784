#include "ui/win32/menu_renderer_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/win32/ui_test_support.h"

namespace corvane::ui::win32 {
namespace {

using testing::RunLater;

// A strip of three 16x16 cells: red, green, blue, each with a magenta (transparent) corner.
UniqueBitmap ThreeCellStrip() {
  HDC screen = GetDC(nullptr);
  UniqueBitmap strip(CreateCompatibleBitmap(screen, 48, 16));
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, strip.get());
  const COLORREF colours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200)};
  for (int cell = 0; cell < 3; ++cell) {
    RECT whole{cell * 16, 0, cell * 16 + 16, 16};
    HBRUSH brush = CreateSolidBrush(colours[cell]);
    FillRect(dc, &whole, brush);
    DeleteObject(brush);
    RECT corner{cell * 16, 0, cell * 16 + 6, 6};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &corner, magenta);
    DeleteObject(magenta);
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return strip;
}

std::unique_ptr<TPopupMenu> SampleMenu() {
  auto owned = std::make_unique<TPopupMenu>(L"pm1", std::vector<MenuDecl> {{.name = L"Display1", .caption = L"显示(&D)", .imageIndex = 1},
                           {.name = L"Rotation1",
                            .caption = L"旋转",
                            .imageIndex = 2,
                            .items = {{.name = L"rt0", .caption = L"标准横向 0度", .radioItem = true},
                                      {.name = L"rt1", .caption = L"向右旋转 90度", .radioItem = true}}},
                           {.name = L"mEHT", .caption = L"启用热键"},
                           {.name = L"N8", .caption = L"-"},
                           {.name = L"miCard", .caption = L"RADEON 9800 PRO"},
                           {.name = L"ATISoftware1", .caption = L"ATI 软件"},
                           {.name = L"Game1", .caption = L"Tom & Jerry"},
                           {.name = L"Exit1", .caption = L"退出"}});
  TPopupMenu& menu = *owned;
  menu.Item(L"rt1").Checked = true;
  menu.Item(L"mEHT").Checked = true;
  menu.Item(L"miCard").Enabled = false;
  menu.Item(L"ATISoftware1").Visible = false;
  menu.Item(L"Game1").AutoHotkeys = false;
  menu.Item(L"Game1").BarBreak = true;
  return owned;
}

struct ShownItem {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU submenu = nullptr;
  HBITMAP bitmap = nullptr;
  std::wstring text;
};

ShownItem ItemAt(HMENU menu, UINT position) {
  wchar_t text[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 256;
  EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info)) << "item " << position;
  return {info.fType, info.fState, info.wID, info.hSubMenu, info.hbmpItem, text};
}

TEST(Win32MenuRenderer, BuildsTheModelAsItStands) {
  Win32MenuRenderer renderer;
  UniqueBitmap strip = ThreeCellStrip();
  renderer.UseImageStrip(strip.get());
  auto owned = SampleMenu();
  TPopupMenu& menu = *owned;
  BuiltMenu built = renderer.Build(menu);
  HMENU root = built.menu.get();

  ASSERT_EQ(GetMenuItemCount(root), 7) << "the hidden item is left out";
  MENUINFO style{};
  style.cbSize = sizeof(style);
  style.fMask = MIM_STYLE;
  ASSERT_TRUE(GetMenuInfo(root, &style));
  EXPECT_TRUE(style.dwStyle & MNS_CHECKORBMP) << "images in the check column keep imageless items' width";
  const ShownItem display = ItemAt(root, 0);
  EXPECT_EQ(display.text, L"显示(&D)");
  EXPECT_EQ(display.bitmap, HBMMENU_CALLBACK) << "drawn by the owner, transparent";
  EXPECT_EQ(built.ItemOf(display.id), &menu.Item(L"Display1"));

  const ShownItem rotation = ItemAt(root, 1);
  ASSERT_NE(rotation.submenu, nullptr);
  ASSERT_EQ(GetMenuItemCount(rotation.submenu), 2);
  const ShownItem rt0 = ItemAt(rotation.submenu, 0);
  const ShownItem rt1 = ItemAt(rotation.submenu, 1);
  EXPECT_TRUE(rt0.type & MFT_RADIOCHECK);
  EXPECT_FALSE(rt0.state & MFS_CHECKED);
  EXPECT_TRUE(rt1.state & MFS_CHECKED);
  EXPECT_EQ(built.ItemOf(rt1.id), &menu.Item(L"rt1"));

  const ShownItem hotkeys = ItemAt(root, 2);
  EXPECT_TRUE(hotkeys.state & MFS_CHECKED);
  EXPECT_FALSE(hotkeys.type & MFT_RADIOCHECK);
  EXPECT_EQ(hotkeys.bitmap, nullptr);
  EXPECT_TRUE(ItemAt(root, 3).type & MFT_SEPARATOR);
  EXPECT_TRUE(ItemAt(root, 4).state & MFS_GRAYED);

  const ShownItem game = ItemAt(root, 5);
  EXPECT_EQ(game.text, L"Tom && Jerry") << "no automatic accelerator: '&' shows as itself";
  EXPECT_TRUE(game.type & MFT_MENUBARBREAK);
  EXPECT_EQ(ItemAt(root, 6).text, L"退出");
  EXPECT_EQ(built.ItemOf(0), nullptr);
  EXPECT_EQ(built.ItemOf(999), nullptr);
}

TEST(Win32MenuRenderer, SkinnedMenusAreOwnerDrawnAndSizedByTheirText) {
  Win32MenuRenderer renderer;
  UniqueBitmap strip = ThreeCellStrip();
  renderer.UseImageStrip(strip.get());
  auto owned = SampleMenu();
  TPopupMenu& menu = *owned;
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned);
    renderer.SetSkinned(skinned);
    BuiltMenu built = renderer.Build(menu);
    HMENU root = built.menu.get();
    ASSERT_EQ(GetMenuItemCount(root), 7);
    for (UINT position = 0; position < 7; ++position)
      EXPECT_EQ((ItemAt(root, position).type & MFT_OWNERDRAW) != 0, skinned) << position;
    EXPECT_EQ(ItemAt(root, 0).bitmap, skinned ? nullptr : HBMMENU_CALLBACK);
    EXPECT_TRUE(ItemAt(root, 3).type & MFT_SEPARATOR);
    EXPECT_TRUE(ItemAt(root, 5).type & MFT_MENUBARBREAK);
    EXPECT_EQ(ItemAt(ItemAt(root, 1).submenu, 1).state & MFS_CHECKED, static_cast<UINT>(MFS_CHECKED));
    if (!skinned) continue;

    // The owner sizes a longer caption wider, and a separator thin.
    auto measured = [&](const wchar_t* name) {
      MEASUREITEMSTRUCT measure{};
      measure.CtlType = ODT_MENU;
      measure.itemData = reinterpret_cast<ULONG_PTR>(&menu.Item(name));
      EXPECT_TRUE(SendMessageW(renderer.OwnerWindow(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
      return measure;
    };
    const MEASUREITEMSTRUCT exit = measured(L"Exit1");
    const MEASUREITEMSTRUCT card = measured(L"miCard");
    const MEASUREITEMSTRUCT separator = measured(L"N8");
    EXPECT_GT(card.itemWidth, exit.itemWidth);
    EXPECT_GE(exit.itemHeight, 16u);
    EXPECT_LT(separator.itemHeight, exit.itemHeight);
  }
}

TEST(Win32MenuRenderer, ImageIndexOutsideTheStripShowsNoImage) {
  Win32MenuRenderer renderer;
  UniqueBitmap strip = ThreeCellStrip();
  renderer.UseImageStrip(strip.get());
  TPopupMenu menu(L"pm", {{.name = L"a", .caption = L"a", .imageIndex = 3}});
  BuiltMenu built = renderer.Build(menu);
  EXPECT_EQ(ItemAt(built.menu.get(), 0).bitmap, nullptr);
}

TEST(Win32MenuRenderer, PopsUpAndTheKeyboardChoiceRunsTheHandler) {
  Win32MenuRenderer renderer;
  UniqueBitmap strip = ThreeCellStrip();
  renderer.UseImageStrip(strip.get());
  auto owned = SampleMenu();
  TPopupMenu& menu = *owned;
  int popups = 0;
  menu.OnPopup = [&] {
    ++popups;
    menu.Item(L"rt0").Checked = true;  // rebuilt from the "registry" at every popup
    menu.Item(L"rt1").Checked = false;
  };
  std::wstring clicked;
  for (const wchar_t* name : {L"Display1", L"mEHT", L"Exit1"})
    menu.Item(name).OnClick = [&](TMenuItem& item) { clicked = item.Name; };

  bool menuWasUp = false;
  bool screenSaved = false;
  RunLater(400, [&] {
    menuWasUp = FindWindowW(L"#32768", nullptr) != nullptr;
    screenSaved = testing::SaveScreen(testing::ScreenshotPath(L"ui-menu.bmp"));
    // First Down selects the first item, the second moves past the submenu to the check item.
    testing::PressKey(VK_DOWN);
    testing::PressKey(VK_DOWN);
    testing::PressKey(VK_DOWN);
    testing::PressKey(VK_RETURN);
  });
  // Should the keys go astray, the menu is closed rather than the test hanging.
  RunLater(5000, [] { EndMenu(); });

  TMenuItem* chosen = renderer.Popup(menu, POINT{200, 150});
  EXPECT_EQ(popups, 1);
  EXPECT_TRUE(menuWasUp);
  EXPECT_TRUE(screenSaved);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen, &menu.Item(L"mEHT"));
  EXPECT_EQ(clicked, L"mEHT");
}

}  // namespace
}  // namespace corvane::ui::win32
