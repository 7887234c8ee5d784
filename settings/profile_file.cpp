#include "settings/profile_file.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/registry.h"
#include "platform/text_encoding.h"

namespace corvane::settings {
namespace {

constexpr std::string_view kFirstLine = "Corvane profile 1";
constexpr std::string_view kHexSuffix = ":hex";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct TypeName {
  uint32_t type;
  std::string_view name;
};
constexpr std::array<TypeName, 5> kTypeNames{{{platform::RegType::String, "REG_SZ"},
                                              {platform::RegType::ExpandString, "REG_EXPAND_SZ"},
                                              {platform::RegType::Binary, "REG_BINARY"},
                                              {platform::RegType::Dword, "REG_DWORD"},
                                              {platform::RegType::MultiString, "REG_MULTI_SZ"}}};

bool IsTextType(uint32_t type) { return type == platform::RegType::String || type == platform::RegType::ExpandString; }

std::string TypeText(uint32_t type) {
  for (const TypeName& known : kTypeNames)
    if (known.type == type) return std::string(known.name);
  return std::to_string(type);
}

std::optional<uint32_t> ParseUnsigned(std::string_view text) {
  uint32_t value = 0;
  if (text.empty() || text.size() > 10) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<uint32_t> ParseType(std::string_view text) {
  for (const TypeName& known : kTypeNames)
    if (known.name == text) return known.type;
  return ParseUnsigned(text);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          // Any other control character as "\xHH": the reader takes no raw ones.
          static constexpr char kDigits[] = "0123456789abcdef";
          out += "\\x";
          out += kDigits[static_cast<unsigned char>(c) >> 4];
          out += kDigits[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 'x': {
        // A control character; NUL ends text in the registry, so it has no place here.
        if (text.size() - i < 3) return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0 || high > 1 || (high == 0 && low == 0)) return std::nullopt;
        out += static_cast<char>(high << 4 | low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

std::string Hex(const std::vector<uint8_t>& data) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (uint8_t byte : data) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
  }
  return out;
}

std::optional<std::vector<uint8_t>> Unhex(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> out;
  for (size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigit(text[i]);
    const int low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<uint8_t>(high << 4 | low));
  }
  return out;
}

// The UTF-8 text of the stored string when it is one plain string: UTF-16 code units
// ended by the one NUL, as the registry keeps text.
std::optional<std::string> PlainText(const std::vector<uint8_t>& data) {
  const std::wstring text = platform::FromUtf16LeBytes(data);
  if (platform::ToUtf16LeBytes(text) != data) return std::nullopt;
  return platform::ToUtf8(text);
}

std::vector<uint8_t> StoredText(const std::wstring& text) { return platform::ToUtf16LeBytes(text); }

std::wstring Utf8(std::string_view text) { return platform::FromUtf8(text); }

// Text the reader takes: valid UTF-8 (it comes back unchanged) without control characters.
bool CleanUtf8(std::string_view text) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) return false;
  return platform::ToUtf8(platform::FromUtf8(text)) == text;
}

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

std::optional<ProfileFileValue> ParseValue(const std::vector<std::string_view>& fields) {
  if (fields.size() != 3) return std::nullopt;
  std::string_view typeText = fields[0];
  const bool hex = typeText.ends_with(kHexSuffix);
  if (hex) typeText.remove_suffix(kHexSuffix.size());
  const std::optional<uint32_t> type = ParseType(typeText);
  const std::optional<std::string> name = Unescape(fields[1]);
  if (!type || !name) return std::nullopt;
  ProfileFileValue value{Utf8(*name), *type, {}};
  if (hex || (!IsTextType(*type) && *type != platform::RegType::Dword)) {
    std::optional<std::vector<uint8_t>> bytes = Unhex(fields[2]);
    if (!bytes) return std::nullopt;
    value.data = std::move(*bytes);
  } else if (*type == platform::RegType::Dword) {
    const std::optional<uint32_t> number = ParseUnsigned(fields[2]);
    if (!number) return std::nullopt;
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<uint8_t>(*number >> shift));
  } else {
    const std::optional<std::string> text = Unescape(fields[2]);
    if (!text) return std::nullopt;
    value.data = StoredText(Utf8(*text));
  }
  return value;
}

}  // namespace

std::string WriteProfileFile(const ProfileFile& profile) {
  std::string out(kFirstLine);
  out += "\nkind\t" + Escape(platform::ToUtf8(profile.kind)) + "\nname\t" + Escape(platform::ToUtf8(profile.name)) +
         "\n";
  for (const ProfileFileValue& value : profile.values) {
    std::string data;
    bool hex = false;
    if (value.type == platform::RegType::Dword) {
      hex = value.data.size() != 4;
      if (!hex)
        data = std::to_string(uint32_t{value.data[0]} | uint32_t{value.data[1]} << 8 | uint32_t{value.data[2]} << 16 |
                              uint32_t{value.data[3]} << 24);
    } else if (IsTextType(value.type)) {
      const std::optional<std::string> text = PlainText(value.data);
      hex = !text;
      if (text) data = Escape(*text);
    }
    const bool raw = hex || (!IsTextType(value.type) && value.type != platform::RegType::Dword);
    if (raw) data = Hex(value.data);
    out += TypeText(value.type) + (hex ? std::string(kHexSuffix) : std::string()) + "\t" +
           Escape(platform::ToUtf8(value.name)) + "\t" + data + "\n";
  }
  return out;
}

std::optional<ProfileFile> ReadProfileFile(std::string_view bytes) {
  if (bytes.size() > kMaxProfileFileBytes) return std::nullopt;
  if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  // Blank lines at the end are what editors leave; nowhere else.
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty() || lines.front() != kFirstLine) return std::nullopt;

  ProfileFile profile;
  bool haveKind = false;
  bool haveName = false;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string_view> fields = Split(lines[i]);
    for (std::string_view field : fields)
      if (!CleanUtf8(field)) return std::nullopt;
    if (fields.size() == 2 && (fields[0] == "kind" || fields[0] == "name")) {
      bool& seen = fields[0] == "kind" ? haveKind : haveName;
      const std::optional<std::string> text = Unescape(fields[1]);
      // Both come before the values, once each.
      if (seen || !profile.values.empty() || !text || text->empty()) return std::nullopt;
      seen = true;
      (fields[0] == "kind" ? profile.kind : profile.name) = Utf8(*text);
      continue;
    }
    if (!haveKind || !haveName || profile.values.size() == kMaxProfileFileValues) return std::nullopt;
    std::optional<ProfileFileValue> value = ParseValue(fields);
    if (!value) return std::nullopt;
    for (const ProfileFileValue& earlier : profile.values)
      if (platform::EqualsNoCase(earlier.name, value->name)) return std::nullopt;
    profile.values.push_back(std::move(*value));
  }
  if (!haveKind || !haveName) return std::nullopt;
  return profile;
}

}  // namespace corvane::settings
