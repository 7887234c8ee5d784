#pragma once
// The service control manager's side of installing the kernel driver: the services it
// knows, their states, and whether a running driver has created its device object
// ("\\.\<service name>"). Errors are Win32 numbers; 0 is success. Time is the simulated
// tick count, passed in by the caller.
//
// As on Windows, DeleteService only marks a service; it disappears once it is stopped
// and its last handle is closed, and until then CreateService with its name fails with
// 1072. A handle left open therefore keeps the old service (and its missing device).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel_io.h"

namespace corvane::platform::sim {

namespace service_error {
inline constexpr uint32_t InvalidHandle = 6;
inline constexpr uint32_t InvalidParameter = 87;
inline constexpr uint32_t CallNotImplemented = 120;
inline constexpr uint32_t ServiceAlreadyRunning = 1056;
inline constexpr uint32_t ServiceCannotAcceptControl = 1061;
inline constexpr uint32_t ServiceNotActive = 1062;
inline constexpr uint32_t ServiceDoesNotExist = 1060;
inline constexpr uint32_t ServiceMarkedForDelete = 1072;
inline constexpr uint32_t ServiceExists = 1073;
}  // namespace service_error

namespace service_state {
inline constexpr uint32_t Stopped = 1;
inline constexpr uint32_t StartPending = 2;
inline constexpr uint32_t Running = 4;
}  // namespace service_state

// What the machine starts with.
enum class ServiceScenario {
  NotInstalled,            // first run: CreateService creates, StartService starts
  InstalledRunning,        // a later run: 1073 from CreateService, 1056 from StartService
  InstalledDeviceMissing,  // running, but opening the device fails with 2 until the
                           // service is deleted and created again
  NoAdminRights,           // OpenSCManager for all access fails with 5
  NonNtPlatform,           // platform id 1: every service call and the device open fail
                           // with 120 (the machine sets the platform id)
  StartPending,            // not installed; a start stays pending a while (StartPendingProfile)
};

// How a start-pending service behaves, measured from the StartService call.
struct StartPendingProfile {
  static constexpr uint32_t kNever = UINT32_MAX;
  uint32_t runningAfterMs = 2500;    // kNever: pending for ever
  uint32_t checkPointEveryMs = 1000; // 0: the check point never grows
  uint32_t waitHintMs = 3000;
};

struct SimService {
  ServiceConfig config;
  uint32_t state = service_state::Stopped;
  uint32_t startTick = 0;
  bool markedForDelete = false;
  bool deviceMissing = false;  // the driver runs but made no device object
  uint32_t openHandles = 0;
  uint32_t startCount = 0;  // StartService calls that started it
};

class SimServiceManager {
 public:
  // Name of the service the installed scenarios hold; the program's driver service.
  explicit SimServiceManager(ServiceScenario scenario = ServiceScenario::NotInstalled,
                             std::wstring_view installedName = L"corvane");
  SimServiceManager(const SimServiceManager&) = delete;
  SimServiceManager& operator=(const SimServiceManager&) = delete;

  // Test knobs.
  bool adminRights = true;
  std::optional<StartPendingProfile> startPending;  // set: every start goes through pending
  uint32_t startError = 0;  // non-zero: StartService fails with it (1114 as under Wine)

  // Puts a service in place as a previous run would have left it.
  SimService& Install(const ServiceConfig& config, uint32_t state, bool deviceMissing = false);

  // Calls behind the KernelIo port, each giving an error number.
  uint32_t OpenManager(uint32_t access) const;
  uint32_t Create(const ServiceConfig& config);  // on success the caller holds one handle
  uint32_t Open(std::wstring_view name);         // on success the caller holds one handle
  uint32_t Start(std::wstring_view name, uint32_t now);
  uint32_t Query(std::wstring_view name, uint32_t now, ServiceStatus& status);
  uint32_t Stop(std::wstring_view name, uint32_t now, ServiceStatus& status);
  uint32_t Delete(std::wstring_view name);
  void ReleaseHandle(std::wstring_view name);
  // Whether CreateFile on `deviceName` ("\\.\corvane") finds a device object.
  bool DeviceExists(std::wstring_view deviceName, uint32_t now);

  // Service names compare without regard to case. Null when there is none.
  const SimService* Find(std::wstring_view name) const;
  size_t ServiceCount() const { return services_.size(); }

 private:
  SimService* FindMutable(std::wstring_view name);
  // Moves a start-pending service on to running once its time is up.
  void Advance(SimService& service, uint32_t now) const;
  ServiceStatus StatusOf(const SimService& service, uint32_t now) const;
  // Removes a service marked for deletion once nothing holds it.
  void Reap(std::wstring_view name);

  std::vector<SimService> services_;
};

}  // namespace corvane::platform::sim
