#include "platform/win32/kernel_io_win32.h"

#include <windows.h>

namespace corvane::platform {
namespace {

SC_HANDLE AsService(KernelHandle handle) { return reinterpret_cast<SC_HANDLE>(handle); }
HANDLE AsFile(KernelHandle handle) { return reinterpret_cast<HANDLE>(handle); }
KernelHandle FromHandle(const void* handle) { return reinterpret_cast<KernelHandle>(handle); }

ServiceStatus FromStatus(const SERVICE_STATUS& status) {
  return ServiceStatus{status.dwCurrentState, status.dwCheckPoint, status.dwWaitHint};
}

}  // namespace

uint32_t Win32KernelIo::PlatformId() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  return GetVersionExW(&version) ? version.dwPlatformId : 0;
}

uint32_t Win32KernelIo::LastError() { return GetLastError(); }

uint32_t Win32KernelIo::TickCount() { return GetTickCount(); }

void Win32KernelIo::Sleep(uint32_t ms) { ::Sleep(ms); }

KernelHandle Win32KernelIo::OpenServiceManager(uint32_t access) {
  return FromHandle(OpenSCManagerW(nullptr, nullptr, access));
}

KernelHandle Win32KernelIo::CreateDriverService(KernelHandle manager, const ServiceConfig& config) {
  return FromHandle(CreateServiceW(AsService(manager), config.name.c_str(), config.displayName.c_str(), config.access,
                                   config.serviceType, config.startType, config.errorControl,
                                   config.binaryPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
}

KernelHandle Win32KernelIo::OpenDriverService(KernelHandle manager, const std::wstring& name, uint32_t access) {
  return FromHandle(OpenServiceW(AsService(manager), name.c_str(), access));
}

bool Win32KernelIo::StartDriverService(KernelHandle service) {
  return StartServiceW(AsService(service), 0, nullptr) != FALSE;
}

bool Win32KernelIo::QueryDriverServiceStatus(KernelHandle service, ServiceStatus& status) {
  SERVICE_STATUS raw = {};
  if (!QueryServiceStatus(AsService(service), &raw)) return false;
  status = FromStatus(raw);
  return true;
}

bool Win32KernelIo::ControlDriverService(KernelHandle service, uint32_t control, ServiceStatus& status) {
  SERVICE_STATUS raw = {};
  const bool ok = ControlService(AsService(service), control, &raw) != FALSE;
  // Windows fills the status for some failures too (not active, cannot accept the control).
  status = FromStatus(raw);
  return ok;
}

bool Win32KernelIo::DeleteDriverService(KernelHandle service) { return DeleteService(AsService(service)) != FALSE; }

bool Win32KernelIo::CloseServiceHandle(KernelHandle handle) { return ::CloseServiceHandle(AsService(handle)) != FALSE; }

KernelHandle Win32KernelIo::OpenDevice(const std::wstring& name, uint32_t access, uint32_t creation,
                                       uint32_t attributes) {
  return FromHandle(CreateFileW(name.c_str(), access, 0, nullptr, creation, attributes, nullptr));
}

bool Win32KernelIo::DeviceControl(KernelHandle device, uint32_t code, std::span<const uint8_t> input,
                                  std::span<uint8_t> output, uint32_t& bytesReturned) {
  DWORD returned = 0;
  // Buffered I/O copies the input before it writes the output, so the buffers may be
  // read-only and empty ones go as null.
  const BOOL ok = DeviceIoControl(AsFile(device), code, input.empty() ? nullptr : const_cast<uint8_t*>(input.data()),
                                  static_cast<DWORD>(input.size()), output.empty() ? nullptr : output.data(),
                                  static_cast<DWORD>(output.size()), &returned, nullptr);
  bytesReturned = returned;
  return ok != FALSE;
}

bool Win32KernelIo::CloseDevice(KernelHandle device) { return CloseHandle(AsFile(device)) != FALSE; }

}  // namespace corvane::platform
