#pragma once
// The kernel I/O port on advapi32 and kernel32: the service control manager that
// installs and starts the driver, and DeviceIoControl on the device it creates. Handles
// pass through unchanged (SC_HANDLE and HANDLE values), so kNoHandle is a failed service
// call and kInvalidDevice is INVALID_HANDLE_VALUE, as the port says.

#include "platform/kernel_io.h"

namespace corvane::platform {

class Win32KernelIo final : public KernelIo {
 public:
  uint32_t PlatformId() override;
  uint32_t LastError() override;
  uint32_t TickCount() override;
  void Sleep(uint32_t ms) override;

  KernelHandle OpenServiceManager(uint32_t access) override;
  KernelHandle CreateDriverService(KernelHandle manager, const ServiceConfig& config) override;
  KernelHandle OpenDriverService(KernelHandle manager, const std::wstring& name, uint32_t access) override;
  bool StartDriverService(KernelHandle service) override;
  bool QueryDriverServiceStatus(KernelHandle service, ServiceStatus& status) override;
  bool ControlDriverService(KernelHandle service, uint32_t control, ServiceStatus& status) override;
  bool DeleteDriverService(KernelHandle service) override;
  bool CloseServiceHandle(KernelHandle handle) override;

  KernelHandle OpenDevice(const std::wstring& name, uint32_t access, uint32_t creation, uint32_t attributes) override;
  bool DeviceControl(KernelHandle device, uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output,
                     uint32_t& bytesReturned) override;
  bool CloseDevice(KernelHandle device) override;
};

}  // namespace corvane::platform
