#pragma once
// The kernel I/O port over the simulated machine: the service control manager, the
// driver's device and its eight control codes, a handle table and a record of every
// call, so a test can assert exact call sequences and prove that no handle leaks.
//
// The device decodes and bounds its requests with the same unit as the real driver
// (platform/io_bounds): buffers of the wrong size fail with 87, unknown codes with 1,
// memory and ports outside the display functions' BARs, the BIOS window and the
// configuration ports with 5. Ports 0xCF8..0xCFF reach the PCI bus; other allowed ports
// (a display function's I/O BAR) read all ones and ignore writes. Mappings belong to
// the device handle that made them: only it can unmap them, and closing it releases
// whatever is left.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io_bounds/io_bounds.h"
#include "platform/kernel_io.h"
#include "platform/sim/hardware/sim_pci_bus.h"
#include "platform/sim/hardware/sim_physical_memory.h"
#include "platform/sim/hardware/sim_service_manager.h"

namespace corvane::platform::sim {

namespace device_code = io_bounds::control_code;

namespace device_error {
inline constexpr uint32_t InvalidFunction = 1;
inline constexpr uint32_t AccessDenied = 5;
inline constexpr uint32_t InvalidParameter = 87;
}  // namespace device_error

enum class HandleKind { ServiceManager, Service, Device };

struct OpenHandle {
  KernelHandle handle = kNoHandle;
  HandleKind kind = HandleKind::ServiceManager;
  std::wstring name;  // service or device name; empty for the manager
  uint32_t access = 0;
};

// One call through the port. PlatformId, LastError and TickCount are not recorded.
struct KernelCall {
  std::string name{};           // the port's method name, "OpenServiceManager" ...
  std::vector<uint64_t> args{}; // numeric arguments in order (handles, access, codes, ms ...)
  std::wstring text{};          // the name argument (service or device), if any
  std::vector<uint8_t> input{}; // DeviceControl's input buffer
  uint64_t result = 0;          // the handle, or 1 / 0 for true / false (0 for Sleep)
  uint32_t error = 0;           // LastError after the call
};

struct PortAccess {
  uint16_t port = 0;
  unsigned width = 0;
  bool write = false;
  uint32_t value = 0;  // written, or read
};

class SimKernelIo final : public KernelIo {
 public:
  static constexpr uint32_t kDefaultStartTick = 1000000;

  // All three must outlive this object.
  SimKernelIo(SimServiceManager& services, SimPciBus& bus, SimPhysicalMemory& memory);
  SimKernelIo(const SimKernelIo&) = delete;
  SimKernelIo& operator=(const SimKernelIo&) = delete;

  void SetPlatformId(uint32_t platformId) { platformId_ = platformId; }
  void SetTickCount(uint32_t tick) { tick_ = tick; }

  uint32_t PlatformId() override { return platformId_; }
  uint32_t LastError() override { return lastError_; }
  uint32_t TickCount() override { return tick_; }
  // Moves the simulated tick count on; nothing really waits.
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

  // What tests look at.
  const std::vector<KernelCall>& Calls() const { return calls_; }
  std::vector<std::string> CallNames() const;
  size_t CallCount(std::string_view name) const;
  void ClearCalls() { calls_.clear(); }
  size_t DeviceControlCount() const { return CallCount("DeviceControl"); }
  const std::vector<PortAccess>& PortLog() const { return ports_; }
  void ClearPortLog() { ports_.clear(); }
  std::vector<OpenHandle> OpenHandles() const { return handles_; }
  size_t OpenHandleCount() const { return handles_.size(); }
  // Calls that passed a handle that was never open, already closed, or of the wrong kind.
  size_t BadHandleUses() const { return badHandleUses_; }

 private:
  KernelCall& Record(std::string name, std::vector<uint64_t> args, std::wstring text = {});
  bool Finish(KernelCall& call, bool ok, uint32_t errorIfFailed);
  KernelHandle FinishHandle(KernelCall& call, KernelHandle handle, uint32_t errorIfFailed);
  KernelHandle NewHandle(HandleKind kind, std::wstring name, uint32_t access);
  // Counts a bad handle use when there is no open handle of that kind.
  const OpenHandle* Lookup(KernelHandle handle, HandleKind kind);
  bool OnNt() const { return platformId_ == 2; }

  // Device work; each gives an error number.
  uint32_t Map(KernelHandle device, const io_bounds::IoRequest& request, std::span<uint8_t> output,
               uint32_t& bytesReturned);
  uint32_t Unmap(KernelHandle device, const io_bounds::IoRequest& request);
  uint32_t Port(const io_bounds::IoRequest& request, std::span<uint8_t> output, uint32_t& bytesReturned);
  void ReleaseMappingsOf(KernelHandle device);

  struct OwnedMapping {
    KernelHandle device;
    uint32_t userAddress;
  };

  SimServiceManager& services_;
  SimPciBus& bus_;
  SimPhysicalMemory& memory_;
  uint32_t platformId_ = 2;
  uint32_t lastError_ = 0;
  uint32_t tick_ = kDefaultStartTick;
  KernelHandle nextHandle_ = 0x40;
  std::vector<OpenHandle> handles_;
  size_t badHandleUses_ = 0;
  std::vector<KernelCall> calls_;
  std::vector<PortAccess> ports_;
  std::vector<OwnedMapping> owned_;
  io_bounds::DeviceWindows windows_;
};

}  // namespace corvane::platform::sim
