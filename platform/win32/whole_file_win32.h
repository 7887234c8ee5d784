#pragma once
// A whole file through CreateFileW, ReadFile and WriteFile; replaced with MoveFileExW.

#include <string>

#include "platform/whole_file.h"

namespace corvane::platform {

class Win32WholeFile final : public WholeFile {
 public:
  explicit Win32WholeFile(std::wstring path) : path_(std::move(path)) {}

  std::optional<std::string> Read(size_t maxBytes) override;
  bool Replace(std::string_view bytes) override;

 private:
  std::wstring path_;
};

}  // namespace corvane::platform
