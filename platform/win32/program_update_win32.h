#pragma once
// The update download through the support library, the temporary folder through
// GetTempPathW, versions through version.dll.

#include "platform/program_update.h"

namespace corvane::platform {

class Win32ProgramUpdate final : public ProgramUpdate {
 public:
  bool RunUpdate(const std::wstring& library, const std::wstring& server, const std::wstring& fileUrl) override;
  std::wstring TempFolder() override;
  std::optional<FileVersion> VersionOf(const std::wstring& path) override;
  bool RemoveFile(const std::wstring& path) override;
};

}  // namespace corvane::platform
