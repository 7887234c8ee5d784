#include "platform/win32/notify_icon_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "platform/win32/ansi_text.h"
#include "platform/win32/notify_icon_record.h"

namespace corvane::platform {
namespace {

TEST(NotifyIconRecord, FirstVersionLayoutWithTheTipCutAndTerminated) {
  static_assert(offsetof(NotifyIconRecordV1, hIcon) == 20);
  static_assert(offsetof(NotifyIconRecordV1, szTip) == 24);
  NotifyIconData data;
  data.window = 0x1000;
  data.id = 6655;
  data.flags = NotifyIconFlag::Tip;
  data.callbackMessage = 1599;
  data.tip = std::wstring(70, L'x');
  NotifyIconRecordV1 record = MakeNotifyIconRecord(data);
  EXPECT_EQ(record.cbSize, 88u);
  EXPECT_EQ(record.uID, 6655u);
  EXPECT_EQ(record.uFlags, 4u);
  EXPECT_EQ(record.uCallbackMessage, 1599u);
  EXPECT_EQ(std::strlen(record.szTip), 63u);

  data.tip = L"Corvane\r";
  record = MakeNotifyIconRecord(data);
  EXPECT_STREQ(record.szTip, "Corvane\r");
  EXPECT_EQ(record.szTip[63], '\0');
}

// In code page 936 "时" is the two bytes CA B1: an odd limit drops the whole character.
TEST(NotifyIconRecord, DoubleByteCharactersAreNeverSplit) {
  std::string text = "a";
  for (int i = 0; i < 40; ++i) text += "\xCA\xB1";
  EXPECT_EQ(CutAnsi(text, 63, 936).size(), 63u);  // 'a' and 31 characters
  EXPECT_EQ(CutAnsi(text.substr(1), 63, 936).size(), 62u);
  EXPECT_EQ(CutAnsi("short", 63, 936), "short");
  EXPECT_EQ(CutAnsi(std::string(70, 'x'), 63, 1252).size(), 63u);
  EXPECT_EQ(FromAnsi(ToAnsi(L"Corvane 1.0")), L"Corvane 1.0");
}

class TrayWindow {
 public:
  TrayWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CorvaneTrayTestWindow";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  }
  ~TrayWindow() { DestroyWindow(window_); }
  WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(window_); }

 private:
  HWND window_ = nullptr;
};

TEST(NotifyIconWin32, AddModifyFocusAndDeleteOneIcon) {
  TrayWindow window;
  ASSERT_NE(window.Handle(), 0u);
  Win32NotifyIcon tray;
  auto icon = tray.ApplicationIcon();
  ASSERT_NE(icon, nullptr);
  auto copy = tray.CopyIcon(*icon);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->Handle(), icon->Handle());
  EXPECT_EQ(tray.IconFromFile(L"C:\\no such folder\\brand.ico"), nullptr);

  NotifyIconData data;
  data.window = window.Handle();
  data.id = 6655;
  data.flags = NotifyIconFlag::All;
  data.callbackMessage = 1599;
  data.icon = icon->Handle();
  data.tip = L"Loading...";
  ASSERT_TRUE(tray.Add(data));
  data.flags = NotifyIconFlag::Tip;
  data.tip = L"Corvane\r时钟 - 380:680\r3D AA:0 AF:0 " + std::wstring(60, L'x');
  EXPECT_TRUE(tray.Modify(data));
  tray.SetFocus(window.Handle(), 6655);  // Wine answers FALSE; Windows gives the area the focus
  EXPECT_TRUE(tray.Delete(window.Handle(), 6655));
  EXPECT_FALSE(tray.Delete(window.Handle(), 6655));
  EXPECT_FALSE(tray.Modify(data));
}

}  // namespace
}  // namespace corvane::platform
