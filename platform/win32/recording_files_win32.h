#pragma once
// Recording files through CreateFileW, WriteFile and SetFilePointer.

#include "platform/recording_files.h"

namespace corvane::platform {

class Win32RecordingFiles final : public RecordingFiles {
 public:
  bool Exists(const std::wstring& path) override;
  std::unique_ptr<OutputFile> Create(const std::wstring& path) override;
};

}  // namespace corvane::platform
