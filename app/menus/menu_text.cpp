#include "app/menus/menu_text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/settings/value_text.h"
#include "platform/registry_values.h"

namespace corvane::menus {

int32_t RoundHalfEven(double value) {
  if (!std::isfinite(value) || value >= 2147483647.5 || value < -2147483648.5) return INT32_MIN;
  double whole = std::floor(value);
  double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
  return static_cast<int32_t>(whole);
}

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return out;
}

std::vector<std::wstring> SortedNames(std::vector<std::wstring> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return UpperAscii(a) < UpperAscii(b);
  });
  return names;
}

std::wstring FolderOf(std::wstring_view path) {
  size_t slash = path.find_last_of(L"\\:");
  if (slash == std::wstring_view::npos) return L"";
  return std::wstring(path.substr(0, slash + 1));
}

std::optional<double> ReadStoredFloat(const platform::RegistryKey& key, const std::wstring& name) {
  std::optional<std::vector<uint8_t>> bytes = platform::ReadRegBinary(key, name);
  if (!bytes || bytes->size() != sizeof(double)) return std::nullopt;
  double value = 0;
  std::memcpy(&value, bytes->data(), sizeof value);
  return value;
}

bool WriteStoredFloat(platform::RegistryKey& key, const std::wstring& name, double value) {
  uint8_t bytes[sizeof(double)];
  std::memcpy(bytes, &value, sizeof value);
  return platform::WriteRegBinary(key, name, bytes);
}

std::wstring DateText(double days) {
  // Only the date part: the time of day would not fit the caption.
  return settings::ValueToText(settings::TDateTime{std::floor(days)});
}

std::wstring ChildKey(const std::wstring& root, const std::wstring& child) {
  std::wstring path = root;
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + child;
}

}  // namespace corvane::menus
