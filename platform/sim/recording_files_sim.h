#pragma once
// Recording files in memory, by path; a file's bytes stay after it is closed.

#include <map>
#include <memory>
#include <string>

#include "platform/recording_files.h"

namespace corvane::platform {

class SimRecordingFiles final : public RecordingFiles {
 public:
  bool Exists(const std::wstring& path) override { return files.contains(path); }
  std::unique_ptr<OutputFile> Create(const std::wstring& path) override;

  // A file that cannot be created (a read-only folder) and writes that stop short (a
  // full disk) after this many bytes in a file.
  bool failCreate = false;
  size_t diskSpace = SIZE_MAX;
  std::map<std::wstring, std::shared_ptr<std::string>> files;
  int openFiles = 0;
};

// A caller's stream, in memory.
class SimOutputFile final : public OutputFile {
 public:
  SimOutputFile(std::shared_ptr<std::string> bytes, size_t space, int* openCount = nullptr);
  ~SimOutputFile() override;
  bool Write(std::span<const uint8_t> bytes) override;
  bool Seek(uint32_t position) override;
  uint32_t Position() const override { return position_; }
  bool Truncate() override;

 private:
  std::shared_ptr<std::string> bytes_;
  size_t space_;
  int* openCount_;
  uint32_t position_ = 0;
};

}  // namespace corvane::platform
