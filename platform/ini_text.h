#pragma once
// INI text read by the rules of GetPrivateProfileString/GetPrivateProfileInt, so the
// simulated INI files answer as Windows does (checked against Wine's kernel32):
// - a line ends at CR or LF; blanks around a line, a key, a value and inside "[ name ]"
//   are ignored;
// - "[name]" starts a section (the name runs to the last ']'); "key=value" splits at the
//   first '='; a line without '=' is a key without value, which reads as missing;
// - a line starting with ';' is a comment because nobody asks for a key named ";...":
//   Windows keeps such lines as keys, and so does this reader;
// - section and key names compare without case; the first section of a name and the
//   first key of a name in it are the ones found; keys before any section belong to
//   the section named "";
// - a value wrapped in matching '"' or '\'' loses them, and so does the default.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"

namespace corvane::platform {

class IniText final : public IniFile {
 public:
  explicit IniText(std::wstring_view text);

  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue) const override;
  int ReadInteger(const std::wstring& section, const std::wstring& key, int defaultValue) const override;

  // The value as written (quotes kept); nothing when the key is missing or has no '='.
  std::optional<std::wstring> Find(std::wstring_view section, std::wstring_view key) const;

 private:
  struct Entry {
    std::wstring key;
    std::optional<std::wstring> value;
  };
  struct Section {
    std::wstring name;
    std::vector<Entry> entries;
  };
  std::vector<Section> sections_;
};

// The leading number of `text` as RtlUnicodeStringToInteger reads it in base 0, which is
// what GetPrivateProfileInt uses: blanks and control characters skipped, one '+' or '-',
// then "0x", "0o" or "0b" (lower case only) for base 16, 8 or 2, then digits up to the
// first character that is not one. No digits gives 0; overflow wraps at 32 bits.
int ParseProfileInteger(std::wstring_view text);

}  // namespace corvane::platform
