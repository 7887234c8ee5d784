#pragma once
// One stored profile as a small UTF-8 text file, so a user can keep it or pass it on: its
// kind (the profile key's name under the profiles root), its name and every value with its
// registry type. Lines end in LF (CR LF is read too); fields are separated by a tab:
//
//   Corvane profile 1
//   kind<TAB>d3d
//   name<TAB>Quality
//   REG_SZ<TAB>AntiAlias<TAB>2
//   REG_DWORD<TAB>ForceRefreshRate<TAB>85
//   REG_BINARY<TAB>vpu<TAB>0000000000c07240
//
// Text data (REG_SZ, REG_EXPAND_SZ) and every name escape '\' as "\\", tab as "\t", line
// feed as "\n", carriage return as "\r" and any other control character as "\xHH".
// REG_DWORD is unsigned decimal. Other types are hexadecimal bytes; a type the file has no
// name for is written as its number. A value whose bytes its type's text would not carry (a
// DWORD of other than four bytes, text with a NUL inside or an odd length) gets ":hex" after
// the type name and its bytes in hex.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::settings {

struct ProfileFileValue {
  std::wstring name;
  uint32_t type = 0;
  std::vector<uint8_t> data;

  bool operator==(const ProfileFileValue&) const = default;
};

struct ProfileFile {
  std::wstring kind;
  std::wstring name;
  std::vector<ProfileFileValue> values;

  bool operator==(const ProfileFile&) const = default;
};

// A larger file is not one the program wrote: it is refused unread.
inline constexpr size_t kMaxProfileFileBytes = 64 * 1024;
inline constexpr size_t kMaxProfileFileValues = 256;

std::string WriteProfileFile(const ProfileFile& profile);

// Nothing when the bytes are not a whole, well-formed profile file: a missing or different
// first line, a missing, empty or repeated kind or name, a value line that does not parse,
// two values of one name, more than kMaxProfileFileValues values or kMaxProfileFileBytes
// bytes, text that is not UTF-8.
std::optional<ProfileFile> ReadProfileFile(std::string_view bytes);

}  // namespace corvane::settings
