#include "platform/win32/recording_files_win32.h"

#include <windows.h>

namespace corvane::platform {
namespace {

class Win32OutputFile final : public OutputFile {
 public:
  explicit Win32OutputFile(HANDLE file) : file_(file) {}
  ~Win32OutputFile() override { CloseHandle(file_); }
  Win32OutputFile(const Win32OutputFile&) = delete;
  Win32OutputFile& operator=(const Win32OutputFile&) = delete;

  bool Write(std::span<const uint8_t> bytes) override {
    DWORD written = 0;
    const bool ok = WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE;
    position_ += written;
    return ok && written == bytes.size();
  }
  bool Seek(uint32_t position) override {
    LONG high = 0;
    if (SetFilePointer(file_, static_cast<LONG>(position), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR) {
      return false;
    }
    position_ = position;
    return true;
  }
  uint32_t Position() const override { return position_; }
  bool Truncate() override { return Seek(0) && SetEndOfFile(file_) != FALSE; }

 private:
  HANDLE file_;
  uint32_t position_ = 0;
};

}  // namespace

bool Win32RecordingFiles::Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<OutputFile> Win32RecordingFiles::Create(const std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32OutputFile>(file);
}

}  // namespace corvane::platform
