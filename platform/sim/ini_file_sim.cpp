#include "platform/sim/ini_file_sim.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ini_text.h"
#include "platform/text_encoding.h"

namespace corvane::platform {
namespace {

std::wstring DecodeFileText(const std::vector<uint8_t>& bytes) {
  std::span<const uint8_t> all(bytes);
  if (all.size() >= 2 && all[0] == 0xFF && all[1] == 0xFE) return FromUtf16LeBytes(all.subspan(2));
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return FromUtf8(text);
}

}  // namespace

void SimIniFiles::SetText(const std::wstring& path, std::wstring text) {
  texts_[UpperAscii(path)] = std::move(text);
}

std::unique_ptr<IniFile> SimIniFiles::Open(const std::wstring& path) {
  if (auto it = texts_.find(UpperAscii(path)); it != texts_.end()) return std::make_unique<IniText>(it->second);
  std::ifstream file(ToUtf8(path), std::ios::binary);
  // A missing or unreadable file reads as an empty one, as GetPrivateProfileString treats it.
  std::vector<uint8_t> bytes;
  if (file) bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return std::make_unique<IniText>(DecodeFileText(bytes));
}

}  // namespace corvane::platform
