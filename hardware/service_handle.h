#pragma once
// A service-control-manager handle (the manager or one service) that is closed when it
// goes out of scope, so no path through the driver installer leaks one.

#include "platform/kernel_io.h"

namespace corvane::hardware {

class ServiceHandle {
 public:
  ServiceHandle(platform::KernelIo& io, platform::KernelHandle handle) : io_(io), handle_(handle) {}
  ~ServiceHandle() { Close(); }
  ServiceHandle(const ServiceHandle&) = delete;
  ServiceHandle& operator=(const ServiceHandle&) = delete;

  platform::KernelHandle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != platform::kNoHandle; }

  void Close() {
    if (handle_ != platform::kNoHandle) io_.CloseServiceHandle(handle_);
    handle_ = platform::kNoHandle;
  }

 private:
  platform::KernelIo& io_;
  platform::KernelHandle handle_;
};

}  // namespace corvane::hardware
