#include <windows.h>

#include <gtest/gtest.h>

#include "platform/text_encoding.h"

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

}  // namespace
}  // namespace corvane::platform
