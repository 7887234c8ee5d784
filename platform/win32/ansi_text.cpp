#include "platform/win32/ansi_text.h"

#include <windows.h>

namespace corvane::platform {

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), length, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.data(), size);
  return result;
}

std::string CutAnsi(std::string_view text, size_t maxBytes, uint32_t codePage) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t size = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + size > maxBytes) break;
    end += size;
  }
  return std::string(text.substr(0, end));
}

}  // namespace corvane::platform
