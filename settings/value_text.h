#pragma once
// The settings store's values and their text form: how a default written as text in
// the settings table becomes a float, Boolean, string, integer or date-time, and back.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace corvane::settings {

enum class TValueType { vtFloat, vtBoolean, vtString, vtInteger, vtDateTime };

// Days since 1899-12-30, the fraction being the time of day.
struct TDateTime {
  double days = 0;
  bool operator==(const TDateTime&) const = default;
};

using Value = std::variant<double, bool, std::wstring, int32_t, TDateTime>;

// The date-time of midnight at the start of that day.
TDateTime EncodeDate(int year, int month, int day);

// Text that is not a number (or date) where one is needed.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::wstring& text);
};

// The empty value of each type: 0, false, "", 0, 0.
Value EmptyValue(TValueType type);

// Throws EConvertError for a float, integer or date-time that does not parse.
// A Boolean is true exactly when the upper-cased text is "TRUE".
Value ValueFromText(TValueType type, const std::wstring& text);

// "TRUE"/"FALSE" for Booleans; floats in the shortest exact form; date-times as
// "yyyy-mm-dd" with " hh:nn:ss" when there is a time of day.
std::wstring ValueToText(const Value& value);

// The value as the given type, converting through its text when the kinds differ.
Value ConvertValue(const Value& value, TValueType type);

}  // namespace corvane::settings
