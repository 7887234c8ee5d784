#include "platform/sim/recording_files_sim.h"

#include <algorithm>

namespace corvane::platform {

SimOutputFile::SimOutputFile(std::shared_ptr<std::string> bytes, size_t space, int* openCount)
    : bytes_(std::move(bytes)), space_(space), openCount_(openCount) {
  if (openCount_) ++*openCount_;
}

SimOutputFile::~SimOutputFile() {
  if (openCount_) --*openCount_;
}

bool SimOutputFile::Write(std::span<const uint8_t> bytes) {
  const size_t end = std::min<size_t>(position_ + bytes.size(), std::max<size_t>(space_, position_));
  const size_t count = end - position_;
  if (bytes_->size() < end) bytes_->resize(end);
  std::copy_n(bytes.begin(), count, bytes_->begin() + position_);
  position_ = static_cast<uint32_t>(end);
  return count == bytes.size();
}

bool SimOutputFile::Seek(uint32_t position) {
  position_ = position;
  return true;
}

bool SimOutputFile::Truncate() {
  bytes_->clear();
  position_ = 0;
  return true;
}

std::unique_ptr<OutputFile> SimRecordingFiles::Create(const std::wstring& path) {
  if (failCreate) return nullptr;
  auto bytes = std::make_shared<std::string>();
  files[path] = bytes;
  return std::make_unique<SimOutputFile>(bytes, diskSpace, &openFiles);
}

}  // namespace corvane::platform
