#pragma once
// Owners of the handles the hook libraries take: each is given back where it was taken.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace corvane::outside {

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void reset(HANDLE handle = nullptr) {
    if (handle_) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

class UniqueKey {
 public:
  UniqueKey() = default;
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  ~UniqueKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  HKEY* put() { return &key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

// A writable view of one of the program's named report mappings, open only while a
// report is written. Empty when the program has not created it.
class ReportView {
 public:
  ReportView(const wchar_t* name, size_t size);
  ReportView(const ReportView&) = delete;
  ReportView& operator=(const ReportView&) = delete;
  ~ReportView();
  std::span<uint8_t> bytes() const { return {static_cast<uint8_t*>(view_), view_ ? size_ : 0}; }

 private:
  UniqueHandle mapping_;
  void* view_ = nullptr;
  size_t size_ = 0;
};

// Sets one of the program's named events; false when the program has not created it.
bool SignalNamedEvent(const wchar_t* name);

}  // namespace corvane::outside
