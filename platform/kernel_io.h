#pragma once
// The kernel I/O driver as the program sees it: the service control manager that
// installs and starts it, and the device it then talks to with control codes.
// The calls mirror advapi32/kernel32 closely because the installer's logic is all
// about which call failed with which error.

#include <cstdint>
#include <span>
#include <string>

namespace corvane::platform {

// Opaque handles as the system gives them; kNoHandle (0) for a failed service call,
// kInvalidDevice (-1) for a failed device open, as on Windows.
using KernelHandle = uintptr_t;
inline constexpr KernelHandle kNoHandle = 0;
inline constexpr KernelHandle kInvalidDevice = static_cast<KernelHandle>(-1);

// Error numbers the installer tells apart (Win32 values).
namespace KernelError {
inline constexpr uint32_t Success = 0;
inline constexpr uint32_t FileNotFound = 2;
inline constexpr uint32_t AccessDenied = 5;
inline constexpr uint32_t DupName = 52;
inline constexpr uint32_t ServiceAlreadyRunning = 1056;
inline constexpr uint32_t ServiceExists = 1073;
inline constexpr uint32_t DllInitFailed = 1114;
}  // namespace KernelError

struct ServiceStatus {
  uint32_t currentState = 0;  // 1 stopped, 2 start pending, 4 running
  uint32_t checkPoint = 0;
  uint32_t waitHint = 0;  // milliseconds
};

struct ServiceConfig {
  std::wstring name;
  std::wstring displayName;
  uint32_t access = 0;
  uint32_t serviceType = 0;  // 1: kernel driver
  uint32_t startType = 0;    // 3: demand start
  uint32_t errorControl = 0;
  std::wstring binaryPath;
};

class KernelIo {
 public:
  virtual ~KernelIo() = default;

  // 2 on the NT family (GetVersionEx's platform id).
  virtual uint32_t PlatformId() = 0;
  // The error of the last failed call on this thread, as GetLastError.
  virtual uint32_t LastError() = 0;
  virtual uint32_t TickCount() = 0;
  virtual void Sleep(uint32_t ms) = 0;

  virtual KernelHandle OpenServiceManager(uint32_t access) = 0;
  virtual KernelHandle CreateDriverService(KernelHandle manager, const ServiceConfig& config) = 0;
  virtual KernelHandle OpenDriverService(KernelHandle manager, const std::wstring& name, uint32_t access) = 0;
  virtual bool StartDriverService(KernelHandle service) = 0;
  virtual bool QueryDriverServiceStatus(KernelHandle service, ServiceStatus& status) = 0;
  virtual bool ControlDriverService(KernelHandle service, uint32_t control, ServiceStatus& status) = 0;
  virtual bool DeleteDriverService(KernelHandle service) = 0;
  virtual bool CloseServiceHandle(KernelHandle handle) = 0;

  // CreateFile on the device name ("\\.\corvane"); kInvalidDevice on failure.
  virtual KernelHandle OpenDevice(const std::wstring& name, uint32_t access, uint32_t creation, uint32_t attributes) = 0;
  virtual bool DeviceControl(KernelHandle device, uint32_t code, std::span<const uint8_t> input,
                             std::span<uint8_t> output, uint32_t& bytesReturned) = 0;
  virtual bool CloseDevice(KernelHandle device) = 0;
};

}  // namespace corvane::platform
