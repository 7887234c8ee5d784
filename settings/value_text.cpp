#include "settings/value_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

#include "platform/text_encoding.h"

namespace corvane::settings {
namespace {

std::wstring Trim(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && std::iswspace(text[first])) ++first;
  while (last > first && std::iswspace(text[last - 1])) --last;
  return text.substr(first, last - first);
}

double FloatFromText(const std::wstring& text) {
  const std::string narrow = platform::ToUtf8(Trim(text));
  if (narrow.empty()) throw EConvertError(text);
  char* end = nullptr;
  errno = 0;
  const double result = std::strtod(narrow.c_str(), &end);
  if (end != narrow.c_str() + narrow.size() || errno == ERANGE || std::isnan(result)) throw EConvertError(text);
  return result;
}

// Decimal with an optional sign, or hexadecimal after "$" or "0x"; the whole text must
// be the number and it must fit 32 bits.
int32_t IntegerFromText(const std::wstring& text) {
  const std::wstring t = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == L'+' || t[i] == L'-')) negative = t[i++] == L'-';
  int base = 10;
  if (i < t.size() && t[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == L'0' && (t[i + 1] == L'x' || t[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i == t.size()) throw EConvertError(text);
  int64_t magnitude = 0;
  for (; i < t.size(); ++i) {
    const wchar_t c = t[i];
    int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                : c >= L'a' && c <= L'f' ? c - L'a' + 10
                : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                         : 99;
    if (digit >= base) throw EConvertError(text);
    magnitude = magnitude * base + digit;
    if (magnitude > 0x100000000LL) throw EConvertError(text);
  }
  // Hexadecimal may spell the full 32-bit pattern ("$FFFFFFFF" is -1).
  if (base == 16 && !negative && magnitude <= 0xFFFFFFFFLL) return static_cast<int32_t>(static_cast<uint32_t>(magnitude));
  const int64_t result = negative ? -magnitude : magnitude;
  if (result < INT32_MIN || result > INT32_MAX) throw EConvertError(text);
  return static_cast<int32_t>(result);
}

// Days from 0000-03-01 to a civil date (proleptic Gregorian), and back.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

// Date-times count days from 1899-12-30.
const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

int64_t DaysFromEpoch(int year, int month, int day) { return DaysFromCivil(year, month, day) - kEpoch; }

}  // namespace

TDateTime EncodeDate(int year, int month, int day) { return TDateTime{static_cast<double>(DaysFromEpoch(year, month, day))}; }

namespace {

void CivilFromDays(int64_t days, int& year, int& month, int& day) {
  const int64_t z = days + kEpoch;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool IsValidDate(int year, int month, int day) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// "yyyy-mm-dd" or "yyyy/mm/dd", optionally followed by " hh:nn" or " hh:nn:ss".
TDateTime DateTimeFromText(const std::wstring& text) {
  const std::string t = platform::ToUtf8(Trim(text));
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  char sep1 = 0, sep2 = 0, tail = 0;
  int n = std::sscanf(t.c_str(), "%4d%c%2d%c%2d %2d:%2d:%2d%c", &year, &sep1, &month, &sep2, &day, &hour, &minute,
                      &second, &tail);
  const bool separatorsOk = sep1 == sep2 && (sep1 == '-' || sep1 == '/');
  const bool shapeOk = n == 5 || n == 7 || n == 8;
  if (!separatorsOk || !shapeOk || !IsValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59 ||
      hour < 0 || minute < 0 || second < 0) {
    throw EConvertError(text);
  }
  const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
  return TDateTime{static_cast<double>(DaysFromEpoch(year, month, day)) + fraction};
}

std::wstring DateTimeToText(TDateTime value) {
  if (!std::isfinite(value.days) || std::fabs(value.days) > 3e6) return platform::FromUtf8(std::to_string(value.days));
  const double whole = std::floor(value.days);
  int64_t seconds = std::llround((value.days - whole) * 86400.0);
  int64_t days = static_cast<int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    ++days;
  }
  int year = 0, month = 0, day = 0;
  CivilFromDays(days, year, month, day);
  char buffer[40];
  if (seconds == 0) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  }
  return platform::FromUtf8(buffer);
}

std::wstring FloatToText(double value) {
  char buffer[40];
  // The shortest of 15 or 17 significant digits that reads back exactly.
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  if (std::strtod(buffer, nullptr) != value) std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return platform::FromUtf8(buffer);
}

}  // namespace

EConvertError::EConvertError(const std::wstring& text)
    : std::runtime_error("'" + platform::ToUtf8(text) + "' is not a valid value") {}

Value EmptyValue(TValueType type) {
  switch (type) {
    case TValueType::vtFloat: return 0.0;
    case TValueType::vtBoolean: return false;
    case TValueType::vtString: return std::wstring();
    case TValueType::vtInteger: return int32_t{0};
    case TValueType::vtDateTime: return TDateTime{};
  }
  return std::wstring();
}

Value ValueFromText(TValueType type, const std::wstring& text) {
  switch (type) {
    case TValueType::vtFloat: return FloatFromText(text);
    case TValueType::vtBoolean: return platform::UpperAscii(text) == L"TRUE";
    case TValueType::vtString: return text;
    case TValueType::vtInteger: return IntegerFromText(text);
    case TValueType::vtDateTime: return DateTimeFromText(text);
  }
  return text;
}

std::wstring ValueToText(const Value& value) {
  struct Visitor {
    std::wstring operator()(double v) const { return FloatToText(v); }
    std::wstring operator()(bool v) const { return v ? L"TRUE" : L"FALSE"; }
    std::wstring operator()(const std::wstring& v) const { return v; }
    std::wstring operator()(int32_t v) const { return platform::FromUtf8(std::to_string(v)); }
    std::wstring operator()(TDateTime v) const { return DateTimeToText(v); }
  };
  return std::visit(Visitor{}, value);
}

Value ConvertValue(const Value& value, TValueType type) {
  // Numbers move between the numeric kinds without a detour through text.
  if (type == TValueType::vtBoolean) {
    if (auto* i = std::get_if<int32_t>(&value)) return *i != 0;
  }
  if (type == TValueType::vtInteger) {
    if (auto* b = std::get_if<bool>(&value)) return int32_t{*b ? 1 : 0};
  }
  if (type == TValueType::vtFloat) {
    if (auto* i = std::get_if<int32_t>(&value)) return static_cast<double>(*i);
    if (auto* d = std::get_if<TDateTime>(&value)) return d->days;
  }
  if (type == TValueType::vtDateTime) {
    if (auto* f = std::get_if<double>(&value)) return TDateTime{*f};
  }
  if (static_cast<size_t>(type) == value.index()) return value;
  return ValueFromText(type, ValueToText(value));
}

}  // namespace corvane::settings
