#pragma once
// INI files through GetPrivateProfileString/GetPrivateProfileInt.

#include <memory>
#include <string>

#include "platform/ini_file.h"

namespace corvane::platform {

class Win32IniFiles final : public IniFiles {
 public:
  // A relative path is taken from the current directory, as the simulation takes it;
  // Windows itself would look for a bare file name in the Windows directory.
  std::unique_ptr<IniFile> Open(const std::wstring& path) override;
};

}  // namespace corvane::platform
