#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text_encoding.h"
#include "platform/win32/ansi_text.h"

namespace corvane::platform {
namespace {

// The portable conversions must agree with Windows' own on wide strings.
TEST(TextEncodingWin32, Utf8MatchesWideCharToMultiByte) {
  const std::wstring text = L"确认 \U0001F600";
  char buffer[64] = {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), buffer, sizeof buffer,
                              nullptr, nullptr);
  EXPECT_EQ(ToUtf8(text), std::string(buffer, n));
  EXPECT_EQ(FromUtf8(std::string(buffer, n)), text);
}

// Our users run Chinese Windows; the tests' Wine prefix does too (a Chinese locale), so
// every ANSI path (the tray tooltip, plug-in names) runs as the users see it.
TEST(TextEncodingWin32, TheTestsRunInTheChineseAnsiCodePage) {
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_EQ(ToAnsi(L"时钟"), "\xCA\xB1\xD6\xD3");
  EXPECT_EQ(FromAnsi("\xCA\xB1\xD6\xD3"), L"时钟");
}

}  // namespace
}  // namespace corvane::platform
