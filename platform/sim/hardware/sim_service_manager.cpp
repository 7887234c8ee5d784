#include "platform/sim/hardware/sim_service_manager.h"

#include <algorithm>

namespace corvane::platform::sim {
namespace {

using namespace service_error;
using namespace service_state;

// What a user without administrator rights may still ask of the manager: connect,
// enumerate, query the lock, read.
constexpr uint32_t kManagerReadAccess = 0x00020000 | 0x0001 | 0x0004 | 0x0010;
constexpr uint32_t kKernelDriver = 1;
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return Lower(x) == Lower(y);
         });
}

ServiceConfig InstalledConfig(std::wstring_view name) {
  ServiceConfig config;
  config.name = name;
  config.displayName = name;
  config.access = 0xF01FF;
  config.serviceType = kKernelDriver;
  config.startType = 3;
  config.errorControl = 1;
  config.binaryPath = L"C:\\Program Files\\Corvane\\" + std::wstring(name) + L".sys";
  return config;
}

}  // namespace

SimServiceManager::SimServiceManager(ServiceScenario scenario, std::wstring_view installedName) {
  switch (scenario) {
    case ServiceScenario::NotInstalled:
    case ServiceScenario::NonNtPlatform: break;
    case ServiceScenario::InstalledRunning: Install(InstalledConfig(installedName), Running); break;
    case ServiceScenario::InstalledDeviceMissing: Install(InstalledConfig(installedName), Running, true); break;
    case ServiceScenario::NoAdminRights: adminRights = false; break;
    case ServiceScenario::StartPending: startPending = StartPendingProfile{}; break;
  }
}

SimService& SimServiceManager::Install(const ServiceConfig& config, uint32_t state, bool deviceMissing) {
  services_.push_back(SimService{.config = config, .state = state, .deviceMissing = deviceMissing});
  return services_.back();
}

SimService* SimServiceManager::FindMutable(std::wstring_view name) {
  auto it = std::find_if(services_.begin(), services_.end(),
                         [&](const SimService& s) { return SameName(s.config.name, name); });
  return it == services_.end() ? nullptr : &*it;
}

const SimService* SimServiceManager::Find(std::wstring_view name) const {
  return const_cast<SimServiceManager*>(this)->FindMutable(name);
}

void SimServiceManager::Advance(SimService& service, uint32_t now) const {
  if (service.state != StartPending) return;
  const uint32_t after = startPending ? startPending->runningAfterMs : 0;
  if (after != StartPendingProfile::kNever && now - service.startTick >= after) service.state = Running;
}

ServiceStatus SimServiceManager::StatusOf(const SimService& service, uint32_t now) const {
  ServiceStatus status;
  status.currentState = service.state;
  if (service.state == StartPending && startPending) {
    const uint32_t every = startPending->checkPointEveryMs;
    status.checkPoint = every ? 1 + (now - service.startTick) / every : 1;
    status.waitHint = startPending->waitHintMs;
  }
  return status;
}

void SimServiceManager::Reap(std::wstring_view name) {
  std::erase_if(services_, [&](const SimService& s) {
    return SameName(s.config.name, name) && s.markedForDelete && s.state == Stopped && s.openHandles == 0;
  });
}

uint32_t SimServiceManager::OpenManager(uint32_t access) const {
  if (!adminRights && (access & ~kManagerReadAccess)) return KernelError::AccessDenied;
  return KernelError::Success;
}

uint32_t SimServiceManager::Create(const ServiceConfig& config) {
  if (config.name.empty() || config.binaryPath.empty()) return InvalidParameter;
  if (const SimService* existing = Find(config.name))
    return existing->markedForDelete ? ServiceMarkedForDelete : ServiceExists;
  Install(config, Stopped).openHandles = 1;
  return KernelError::Success;
}

uint32_t SimServiceManager::Open(std::wstring_view name) {
  SimService* service = FindMutable(name);
  if (!service) return ServiceDoesNotExist;
  ++service->openHandles;
  return KernelError::Success;
}

uint32_t SimServiceManager::Start(std::wstring_view name, uint32_t now) {
  SimService* service = FindMutable(name);
  if (!service) return ServiceDoesNotExist;
  Advance(*service, now);
  if (service->markedForDelete) return ServiceMarkedForDelete;
  if (service->state != Stopped) return ServiceAlreadyRunning;
  if (startError) return startError;
  service->startTick = now;
  ++service->startCount;
  service->state = startPending ? StartPending : Running;
  Advance(*service, now);
  return KernelError::Success;
}

uint32_t SimServiceManager::Query(std::wstring_view name, uint32_t now, ServiceStatus& status) {
  SimService* service = FindMutable(name);
  if (!service) return ServiceDoesNotExist;
  Advance(*service, now);
  status = StatusOf(*service, now);
  return KernelError::Success;
}

uint32_t SimServiceManager::Stop(std::wstring_view name, uint32_t now, ServiceStatus& status) {
  SimService* service = FindMutable(name);
  if (!service) return ServiceDoesNotExist;
  Advance(*service, now);
  status = StatusOf(*service, now);
  if (service->state == Stopped) return ServiceNotActive;
  if (service->state == StartPending) return ServiceCannotAcceptControl;
  service->state = Stopped;  // a kernel driver unloads at once
  status = StatusOf(*service, now);
  return KernelError::Success;
}

uint32_t SimServiceManager::Delete(std::wstring_view name) {
  SimService* service = FindMutable(name);
  if (!service) return ServiceDoesNotExist;
  if (service->markedForDelete) return ServiceMarkedForDelete;
  service->markedForDelete = true;
  Reap(name);
  return KernelError::Success;
}

void SimServiceManager::ReleaseHandle(std::wstring_view name) {
  if (SimService* service = FindMutable(name); service && service->openHandles > 0) --service->openHandles;
  Reap(name);
}

bool SimServiceManager::DeviceExists(std::wstring_view deviceName, uint32_t now) {
  if (!deviceName.starts_with(kDevicePrefix)) return false;
  SimService* service = FindMutable(deviceName.substr(kDevicePrefix.size()));
  if (!service) return false;
  Advance(*service, now);
  return service->state == Running && !service->deviceMissing && (service->config.serviceType & kKernelDriver);
}

}  // namespace corvane::platform::sim
