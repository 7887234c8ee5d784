#include "platform/win32/ini_file_win32.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/ini_text.h"

namespace corvane::platform {
namespace {

// No INI value is near this long; it only stops the buffer from growing for ever.
constexpr DWORD kMaxValueChars = 1u << 20;

class Win32IniFile final : public IniFile {
 public:
  explicit Win32IniFile(std::wstring path) : path_(std::move(path)) {}

  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue) const override {
    std::vector<wchar_t> buffer(256);
    for (;;) {
      const DWORD size = static_cast<DWORD>(buffer.size());
      const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                    buffer.data(), size, path_.c_str());
      // size - 1 means the value filled the buffer and may have been cut short.
      if (length + 1 < size || size >= kMaxValueChars) return std::wstring(buffer.data(), length);
      buffer.resize(buffer.size() * 2);
    }
  }

  int ReadInteger(const std::wstring& section, const std::wstring& key, int defaultValue) const override {
    return static_cast<int>(GetPrivateProfileIntW(section.c_str(), key.c_str(), defaultValue, path_.c_str()));
  }

 private:
  std::wstring path_;
};

std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

}  // namespace

std::unique_ptr<IniFile> Win32IniFiles::Open(const std::wstring& path) {
  // An empty path would name the Windows directory itself; it is simply no file.
  if (path.empty()) return std::make_unique<IniText>(L"");
  return std::make_unique<Win32IniFile>(FullPath(path));
}

}  // namespace corvane::platform
