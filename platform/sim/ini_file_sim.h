#pragma once
// INI files for the native build: the file's text is read when it is opened and looked
// up with the private-profile rules (platform/ini_text.h). Tests may put text in place of
// a file instead of writing one.

#include <map>
#include <memory>
#include <string>

#include "platform/ini_file.h"

namespace corvane::platform {

class SimIniFiles final : public IniFiles {
 public:
  // Later Opens of `path` (compared without ASCII case, as Windows paths are) read `text`
  // instead of the disk.
  void SetText(const std::wstring& path, std::wstring text);

  // UTF-8, with or without a byte-order mark; UTF-16LE when the file starts with its mark.
  std::unique_ptr<IniFile> Open(const std::wstring& path) override;

 private:
  std::map<std::wstring, std::wstring> texts_;  // by upper-cased path
};

}  // namespace corvane::platform
