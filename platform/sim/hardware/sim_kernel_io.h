#pragma once
// The kernel I/O port over the simulated machine: the service control manager, the
// driver's device and its eight control codes, a handle table and a record of every
// call, so a test can assert exact call sequences and prove that no handle leaks.
//
// Device control codes (buffered; sizes must be exact, otherwise the call fails with 87;
// unknown codes fail with 1):
//   0x80002000 map:    in 16 bytes {physical lo, physical hi (must be 0), length, any}
//                      out 4 bytes {user-mode address}
//   0x80002004 unmap:  in 4 bytes {user-mode address}, out 0 bytes
//   0x80002008/0C/10 port read byte/word/dword:  in 8 bytes {port, 0}, out 8 bytes {port, value}
//   0x80002014/18/1C port write byte/word/dword: in 8 bytes {port, value}, out 8 bytes {port, value}
// Ports 0xCF8..0xCFF reach the PCI bus; every other port reads all ones and ignores writes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel_io.h"
#include "platform/sim/hardware/sim_pci_bus.h"
#include "platform/sim/hardware/sim_physical_memory.h"
#include "platform/sim/hardware/sim_service_manager.h"

namespace corvane::platform::sim {

namespace device_code {
inline constexpr uint32_t MapPhysical = 0x80002000;
inline constexpr uint32_t UnmapPhysical = 0x80002004;
inline constexpr uint32_t ReadPort8 = 0x80002008;
inline constexpr uint32_t ReadPort16 = 0x8000200C;
inline constexpr uint32_t ReadPort32 = 0x80002010;
inline constexpr uint32_t WritePort8 = 0x80002014;
inline constexpr uint32_t WritePort16 = 0x80002018;
inline constexpr uint32_t WritePort32 = 0x8000201C;
}  // namespace device_code

namespace device_error {
inline constexpr uint32_t InvalidFunction = 1;
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
  uint32_t Map(std::span<const uint8_t> input, std::span<uint8_t> output, uint32_t& bytesReturned);
  uint32_t Unmap(std::span<const uint8_t> input, std::span<uint8_t> output, uint32_t& bytesReturned);
  uint32_t Port(unsigned width, bool write, std::span<const uint8_t> input, std::span<uint8_t> output,
                uint32_t& bytesReturned);

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
};

}  // namespace corvane::platform::sim
