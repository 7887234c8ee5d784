#include "driver3d/setting_text.h"

#include "platform/text_encoding.h"

namespace corvane::driver3d {

std::optional<std::wstring> DecodeStoredText(std::span<const uint8_t> bytes, size_t maxBytes) {
  if (bytes.size() > maxBytes || bytes.size() % 2 != 0) return std::nullopt;
  size_t end = 0;
  while (end < bytes.size() && (bytes[end] != 0 || bytes[end + 1] != 0)) end += 2;
  // A terminator, and zero padding after it, is fine; a second text behind it is not.
  for (size_t i = end; i < bytes.size(); ++i) {
    if (bytes[i] != 0) return std::nullopt;
  }
  return platform::FromUtf16LeBytes(bytes.first(end));
}

std::vector<uint8_t> EncodeBinaryText(std::wstring_view text) {
  std::vector<uint8_t> bytes = platform::ToUtf16LeBytes(text);
  bytes.resize(bytes.size() - 2);  // the binary storage has no terminator
  return bytes;
}

}  // namespace corvane::driver3d
