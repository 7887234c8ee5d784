#include "platform/sim/notify_icon_sim.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

constexpr WindowHandle kWindow = 0x1234;
constexpr uint32_t kId = 6655;

NotifyIconData Record(uint32_t flags, const std::wstring& tip = L"", uintptr_t icon = 0) {
  NotifyIconData data;
  data.window = kWindow;
  data.id = kId;
  data.flags = flags;
  data.callbackMessage = 1599;
  data.icon = icon;
  data.tip = tip;
  return data;
}

TEST(SimNotifyIcon, AddModifyFocusDeleteFollowTheShellsRules) {
  SimNotifyIcon tray;
  EXPECT_FALSE(tray.Modify(Record(NotifyIconFlag::Tip, L"early")));  // nothing to modify yet
  EXPECT_TRUE(tray.Add(Record(NotifyIconFlag::All, L"Loading...", 0x50)));
  EXPECT_FALSE(tray.Add(Record(NotifyIconFlag::All, L"again")));  // one icon per (window, id)

  // A tip-only update leaves the icon and the callback alone.
  NotifyIconData tipOnly = Record(NotifyIconFlag::Tip, L"Corvane", 0x99);
  tipOnly.callbackMessage = 0;
  EXPECT_TRUE(tray.Modify(tipOnly));
  const SimTrayIcon* icon = tray.Find(kWindow, kId);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->tip, L"Corvane");
  EXPECT_EQ(icon->icon, 0x50u);
  EXPECT_EQ(icon->callbackMessage, 1599u);

  EXPECT_TRUE(tray.SetFocus(kWindow, kId));
  EXPECT_TRUE(tray.Delete(kWindow, kId));
  EXPECT_FALSE(tray.Delete(kWindow, kId));
  EXPECT_FALSE(tray.SetFocus(kWindow, kId));
  EXPECT_EQ(tray.IconCount(), 0u);
  ASSERT_EQ(tray.Calls().size(), 8u);
  EXPECT_EQ(tray.Calls()[4].call, NotifyIconCall::SetFocus);
  EXPECT_FALSE(tray.Calls()[7].result);
}

TEST(SimNotifyIcon, ShellRestartForgetsTheIcon) {
  SimNotifyIcon tray;
  ASSERT_TRUE(tray.Add(Record(NotifyIconFlag::All, L"x")));
  tray.RestartShell();
  EXPECT_FALSE(tray.Modify(Record(NotifyIconFlag::Tip, L"y")));
  EXPECT_TRUE(tray.Add(Record(NotifyIconFlag::All, L"x")));
}

// 63 bytes at most, and a Chinese character (two bytes) is never split.
TEST(SimNotifyIcon, TipIsCutToSixtyThreeBytes) {
  SimNotifyIcon tray;
  const std::wstring longTip = L"Corvane\r时钟 - 1000:1200\rD3D AA:6 AF:16\rOGL  AA:6 AF:16 and some more";
  ASSERT_TRUE(tray.Add(Record(NotifyIconFlag::All, longTip)));
  // Two characters of the text take two bytes each: 61 characters fill the 63 bytes.
  EXPECT_EQ(tray.Find(kWindow, kId)->tip, longTip.substr(0, 61));

  EXPECT_EQ(CutTipLikeDoubleByteCodePage(std::wstring(40, L'时'), 63), std::wstring(31, L'时'));
  EXPECT_EQ(CutTipLikeDoubleByteCodePage(L"a" + std::wstring(40, L'时'), 63), L"a" + std::wstring(31, L'时'));
  EXPECT_EQ(CutTipLikeDoubleByteCodePage(std::wstring(63, L'x'), 63).size(), 63u);
}

TEST(SimNotifyIcon, IconImagesAreReleased) {
  SimNotifyIcon tray;
  tray.AddIconFile(L"C:\\Corvane\\brand.ico");
  {
    auto application = tray.ApplicationIcon();
    auto copy = tray.CopyIcon(*application);
    auto branded = tray.IconFromFile(L"C:\\Corvane\\brand.ico");
    ASSERT_TRUE(application && copy && branded);
    EXPECT_NE(copy->Handle(), application->Handle());
    EXPECT_EQ(tray.IconFromFile(L"C:\\Corvane\\missing.ico"), nullptr);
    EXPECT_EQ(tray.LiveImages(), 3u);
  }
  EXPECT_EQ(tray.LiveImages(), 0u);
}

}  // namespace
}  // namespace corvane::platform
