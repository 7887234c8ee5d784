#include "platform/ini_text.h"

#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

// ^Z is a DOS end-of-file mark that old files still carry.
bool IsProfileSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::wstring_view TrimEnd(std::wstring_view text) {
  while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::wstring StripQuotes(std::wstring_view value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::wstring(value);
}

// Only trailing spaces (not tabs) of the default are dropped, as the documentation of
// GetPrivateProfileString warns.
std::wstring_view TrimDefault(std::wstring_view value) {
  while (!value.empty() && value.back() == L' ') value.remove_suffix(1);
  return value;
}

int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'Z') return c - L'A' + 10;
  if (c >= L'a' && c <= L'z') return c - L'a' + 10;
  return -1;
}

}  // namespace

IniText::IniText(std::wstring_view text) {
  // Keys before the first section belong to a section named "".
  sections_.push_back({});
  while (!text.empty()) {
    const size_t end = text.find_first_of(L"\r\n");
    std::wstring_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;

    if (line.front() == L'[') {
      const size_t close = line.rfind(L']');
      // Without a ']' the line is no header; Windows keeps it as a key named "[...".
      if (close != std::wstring_view::npos) {
        sections_.push_back({std::wstring(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
    }
    const size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
      sections_.back().entries.push_back({std::wstring(line), std::nullopt});
    } else {
      sections_.back().entries.push_back(
          {std::wstring(TrimEnd(line.substr(0, equals))), std::wstring(Trim(line.substr(equals + 1)))});
    }
  }
}

std::optional<std::wstring> IniText::Find(std::wstring_view section, std::wstring_view key) const {
  section = Trim(section);
  key = Trim(key);
  for (const Section& s : sections_) {
    if (!EqualsNoCase(s.name, section)) continue;
    // Only the first section of a name is searched, even when a later one repeats it.
    for (const Entry& e : s.entries) {
      if (EqualsNoCase(e.key, key)) return e.value;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::wstring IniText::ReadString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& defaultValue) const {
  std::optional<std::wstring> value = Find(section, key);
  return StripQuotes(value ? std::wstring_view(*value) : TrimDefault(defaultValue));
}

int IniText::ReadInteger(const std::wstring& section, const std::wstring& key, int defaultValue) const {
  const std::wstring value = ReadString(section, key, L"");
  return value.empty() ? defaultValue : ParseProfileInteger(value);
}

int ParseProfileInteger(std::wstring_view text) {
  while (!text.empty() && text.front() <= L' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  uint32_t base = 10;
  if (text.size() >= 2 && text[0] == L'0') {
    switch (text[1]) {
      case L'x': base = 16; break;
      case L'o': base = 8; break;
      case L'b': base = 2; break;
      default: break;
    }
    if (base != 10) text.remove_prefix(2);
  }
  uint32_t total = 0;
  for (wchar_t c : text) {
    const int digit = DigitValue(c);
    if (digit < 0 || static_cast<uint32_t>(digit) >= base) break;
    total = total * base + static_cast<uint32_t>(digit);
  }
  if (negative) total = 0u - total;
  return static_cast<int>(total);
}

}  // namespace corvane::platform
