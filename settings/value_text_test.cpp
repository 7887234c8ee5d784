#include "settings/value_text.h"

#include <gtest/gtest.h>

namespace corvane::settings {
namespace {

TEST(ValueText, BooleanIsTrueOnlyForTheWordTrueInAnyCase) {
  for (const wchar_t* text : {L"TRUE", L"true", L"TrUe"}) {
    EXPECT_EQ(ValueFromText(TValueType::vtBoolean, text), Value{true}) << text;
  }
  for (const wchar_t* text : {L"1", L"yes", L"", L" TRUE", L"-1"}) {
    EXPECT_EQ(ValueFromText(TValueType::vtBoolean, text), Value{false}) << text;
  }
  EXPECT_EQ(ValueToText(Value{true}), L"TRUE");
  EXPECT_EQ(ValueToText(Value{false}), L"FALSE");
}

TEST(ValueText, IntegersParseWholeTextOrRaise) {
  EXPECT_EQ(ValueFromText(TValueType::vtInteger, L"60"), Value{int32_t{60}});
  EXPECT_EQ(ValueFromText(TValueType::vtInteger, L" -20 "), Value{int32_t{-20}});
  EXPECT_EQ(ValueFromText(TValueType::vtInteger, L"$FF"), Value{int32_t{255}});
  EXPECT_EQ(ValueFromText(TValueType::vtInteger, L"0x10"), Value{int32_t{16}});
  EXPECT_EQ(ValueFromText(TValueType::vtInteger, L"$FFFFFFFF"), Value{int32_t{-1}});
  EXPECT_EQ(ValueFromText(TValueType::vtInteger, L"-2147483648"), Value{int32_t{INT32_MIN}});
  for (const wchar_t* bad : {L"", L"12abc", L"abc", L"2147483648", L"$", L"1.5", L"$1FFFFFFFF"}) {
    EXPECT_THROW(ValueFromText(TValueType::vtInteger, bad), EConvertError) << bad;
  }
}

TEST(ValueText, FloatsReadBackExactly) {
  EXPECT_EQ(ValueFromText(TValueType::vtFloat, L"1.5"), Value{1.5});
  EXPECT_THROW(ValueFromText(TValueType::vtFloat, L"fast"), EConvertError);
  EXPECT_THROW(ValueFromText(TValueType::vtFloat, L""), EConvertError);
  EXPECT_THROW(ValueFromText(TValueType::vtFloat, L"1e999"), EConvertError);
  for (double v : {0.0, 0.1, 4294967295.0, 1.0 / 3.0, -2.5e-7}) {
    EXPECT_EQ(ValueFromText(TValueType::vtFloat, ValueToText(Value{v})), Value{v}) << v;
  }
  EXPECT_EQ(ValueToText(Value{4294967295.0}), L"4294967295");
}

TEST(ValueText, DateTimesCountDaysFrom1899) {
  EXPECT_EQ(ValueFromText(TValueType::vtDateTime, L"1899-12-30"), Value{TDateTime{0}});
  EXPECT_EQ(ValueFromText(TValueType::vtDateTime, L"2000/01/01"), Value{TDateTime{36526}});
  const Value noon = ValueFromText(TValueType::vtDateTime, L"2026-12-07 12:00:00");
  EXPECT_DOUBLE_EQ(std::get<TDateTime>(noon).days, 46363.5);
  EXPECT_EQ(ValueToText(noon), L"2026-12-07 12:00:00");
  EXPECT_EQ(ValueToText(Value{TDateTime{36526}}), L"2000-01-01");
  EXPECT_EQ(ValueToText(Value{TDateTime{-1}}), L"1899-12-29");
  for (const wchar_t* bad : {L"2026-02-30", L"2026-13-01", L"yesterday", L"2026-12-07 25:00", L"2026-12/07"}) {
    EXPECT_THROW(ValueFromText(TValueType::vtDateTime, bad), EConvertError) << bad;
  }
}

TEST(ValueText, ConversionBetweenKinds) {
  EXPECT_EQ(ConvertValue(Value{int32_t{2}}, TValueType::vtBoolean), Value{true});
  EXPECT_EQ(ConvertValue(Value{true}, TValueType::vtInteger), Value{int32_t{1}});
  EXPECT_EQ(ConvertValue(Value{std::wstring(L"42")}, TValueType::vtInteger), Value{int32_t{42}});
  EXPECT_EQ(ConvertValue(Value{int32_t{7}}, TValueType::vtString), Value{std::wstring(L"7")});
  EXPECT_EQ(ConvertValue(Value{int32_t{7}}, TValueType::vtFloat), Value{7.0});
  EXPECT_THROW(ConvertValue(Value{std::wstring(L"x")}, TValueType::vtInteger), EConvertError);
}

}  // namespace
}  // namespace corvane::settings
