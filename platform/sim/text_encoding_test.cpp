#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(TextEncoding, Utf16LeRoundTripKeepsChineseAndStopsAtNul) {
  const std::wstring text = L"错误 ok";
  auto bytes = ToUtf16LeBytes(text);
  ASSERT_EQ(bytes.size(), (text.size() + 1) * 2);
  EXPECT_EQ(bytes[0], 0x19);  // U+9519
  EXPECT_EQ(bytes[1], 0x95);
  EXPECT_EQ(FromUtf16LeBytes(bytes), text);

  const uint8_t withNulAndOddTail[] = {'a', 0, 0, 0, 'b', 0, 'c'};
  EXPECT_EQ(FromUtf16LeBytes(withNulAndOddTail), L"a");
  const uint8_t oddTail[] = {'a', 0, 'b'};
  EXPECT_EQ(FromUtf16LeBytes(oddTail), L"a");
}

TEST(TextEncoding, Utf8HandlesSurrogatePairsAndBadBytes) {
  EXPECT_EQ(FromUtf8("\xE8\xAD\xA6\xE5\x91\x8A!"), L"警告!");
  EXPECT_EQ(ToUtf8(L"警告!"), "\xE8\xAD\xA6\xE5\x91\x8A!");
  EXPECT_EQ(FromUtf8(ToUtf8(L"\U0001F600")), L"\U0001F600");
  EXPECT_EQ(FromUtf8("a\xFF"), L"a\xFFFD");
  EXPECT_EQ(FromUtf8("\xE8\xAD"), L"\xFFFD\xFFFD");  // truncated sequence
}

TEST(TextEncoding, CaseInsensitiveComparisonFoldsAsciiOnly) {
  EXPECT_TRUE(EqualsNoCase(L"OemVersion", L"OEMVersion"));
  EXPECT_FALSE(EqualsNoCase(L"OemVersion", L"OEMVersio"));
  EXPECT_EQ(UpperAscii(L"true错"), L"TRUE错");
}

}  // namespace
}  // namespace corvane::platform
