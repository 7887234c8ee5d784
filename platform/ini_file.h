#pragma once
// The INI file port: read-only section/key lookups with defaults, as the
// private-profile functions do them. Section and key names compare without case.

#include <memory>
#include <string>

namespace corvane::platform {

class IniFile {
 public:
  virtual ~IniFile() = default;
  virtual std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& defaultValue) const = 0;
  // As GetPrivateProfileInt: the default when the key is missing or empty, otherwise the
  // leading number of the text (sign, "0x" hex allowed), 0 when there is none.
  virtual int ReadInteger(const std::wstring& section, const std::wstring& key, int defaultValue) const = 0;
};

class IniFiles {
 public:
  virtual ~IniFiles() = default;
  // A missing file opens as an empty one: every lookup gives its default.
  virtual std::unique_ptr<IniFile> Open(const std::wstring& path) = 0;
};

}  // namespace corvane::platform
