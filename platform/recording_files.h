#pragma once
// Files that recordings are written into: created (replacing what was there), written and
// sought in, closed when destroyed.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace corvane::platform {

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes at the current position; false when not every byte was written.
  virtual bool Write(std::span<const uint8_t> bytes) = 0;
  virtual bool Seek(uint32_t position) = 0;
  virtual uint32_t Position() const = 0;
  // Cuts the file to nothing and goes to its start.
  virtual bool Truncate() = 0;
};

class RecordingFiles {
 public:
  virtual ~RecordingFiles() = default;
  virtual bool Exists(const std::wstring& path) = 0;
  // Null when the file could not be created.
  virtual std::unique_ptr<OutputFile> Create(const std::wstring& path) = 0;
};

}  // namespace corvane::platform
