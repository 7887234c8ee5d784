// Installing, starting and opening the kernel I/O driver, and closing it again.

#include <algorithm>

#include "hardware/rvx.h"
#include "hardware/service_handle.h"

namespace corvane::hardware {
namespace {

using platform::KernelError::DupName;
using platform::KernelError::FileNotFound;
using platform::KernelError::ServiceAlreadyRunning;
using platform::KernelError::ServiceExists;

constexpr uint32_t kPlatformNt = 2;
constexpr uint32_t kManagerAllAccess = 0xF003F;
constexpr uint32_t kServiceAllAccess = 0xF01FF;
constexpr uint32_t kKernelDriver = 1;
constexpr uint32_t kDemandStart = 3;
constexpr uint32_t kErrorNormal = 1;
constexpr uint32_t kStartPending = 2;
constexpr uint32_t kControlStop = 1;
constexpr uint32_t kGenericReadWrite = 0xC0000000;
constexpr uint32_t kOpenExisting = 3;
constexpr uint32_t kNormalAttributes = 0x80;

std::wstring DriverFilePath(const std::wstring& folder) {
  std::wstring path = folder;
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + kDriverServiceName + L".sys";
}

// The usual service-start wait: poll at a tenth of the wait hint (1 to 10 s), and give up
// once the check point has stood still for longer than the hint.
void WaitWhileStartPending(platform::KernelIo& io, platform::KernelHandle service, platform::ServiceStatus& status) {
  uint32_t sinceTick = io.TickCount();
  uint32_t lastCheckPoint = status.checkPoint;
  while (status.currentState == kStartPending) {
    io.Sleep(std::clamp<uint32_t>(status.waitHint / 10, 1000, 10000));
    if (!io.QueryDriverServiceStatus(service, status)) break;
    if (status.checkPoint > lastCheckPoint) {
      sinceTick = io.TickCount();
      lastCheckPoint = status.checkPoint;
    } else if (io.TickCount() - sinceTick > status.waitHint) {
      break;
    }
  }
}

}  // namespace

bool TRVX::InstallDriver() {
  // Windows 9x needs no driver for port I/O, and the device calls then fail quietly.
  if (io_.PlatformId() != kPlatformNt) return true;

  ServiceHandle manager(io_, io_.OpenServiceManager(kManagerAllAccess));
  if (!manager) {  // not an administrator
    DeviceHandle = platform::kInvalidDevice;
    return false;
  }

  platform::ServiceConfig config;
  config.name = kDriverServiceName;
  config.displayName = kDriverServiceName;
  config.access = kServiceAllAccess;
  config.serviceType = kKernelDriver;
  config.startType = kDemandStart;
  config.errorControl = kErrorNormal;
  config.binaryPath = DriverFilePath(programFolder_);
  {
    ServiceHandle created(io_, io_.CreateDriverService(manager.Get(), config));
    if (!created) {
      // An earlier run installed it: that is the usual case.
      const uint32_t error = io_.LastError();
      if (error != DupName && error != ServiceExists) {
        DeviceHandle = platform::kInvalidDevice;
        return false;
      }
    }
  }

  ServiceHandle service(io_, io_.OpenDriverService(manager.Get(), kDriverServiceName, kServiceAllAccess));
  if (service) {
    if (!io_.StartDriverService(service.Get()) && io_.LastError() != ServiceAlreadyRunning) {
      io_.DeleteDriverService(service.Get());
      return false;
    }
    platform::ServiceStatus status;
    if (!io_.QueryDriverServiceStatus(service.Get(), status)) return false;
    WaitWhileStartPending(io_, service.Get(), status);
  }

  DeviceHandle = io_.OpenDevice(std::wstring(L"\\\\.\\") + kDriverServiceName, kGenericReadWrite, kOpenExisting,
                                kNormalAttributes);
  // The service exists but its device does not (a stale or broken installation): remove
  // it so that the constructor's second attempt installs it afresh.
  if (DeviceHandle == platform::kInvalidDevice && io_.LastError() == FileNotFound && service) {
    platform::ServiceStatus status;
    io_.ControlDriverService(service.Get(), kControlStop, status);
    io_.DeleteDriverService(service.Get());
  }
  return DeviceHandle != platform::kInvalidDevice;
}

void TRVX::CloseDriver() {
  if (DeviceIsOpen()) io_.CloseDevice(DeviceHandle);
  if (DeviceHandle != platform::kNoHandle) DeviceHandle = platform::kInvalidDevice;
  DriverOpen = false;
}

}  // namespace corvane::hardware
