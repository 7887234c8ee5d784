#include "platform/sim/hardware/sim_kernel_io.h"

#include <algorithm>

#include "platform/sim/hardware/sim_pci_config_source.h"

namespace corvane::platform::sim {
namespace {

constexpr uint32_t kCreateServiceAccess = 0x0002;  // SC_MANAGER_CREATE_SERVICE
constexpr uint32_t kServiceControlStop = 1;
constexpr uint32_t kInvalidServiceControl = 1052;

uint32_t ErrorFor(io_bounds::Refusal refusal) {
  switch (refusal) {
    case io_bounds::Refusal::None: return 0;
    case io_bounds::Refusal::UnknownCode: return device_error::InvalidFunction;
    case io_bounds::Refusal::BadBuffers: return device_error::InvalidParameter;
    case io_bounds::Refusal::OutOfBounds: return device_error::AccessDenied;
  }
  return device_error::InvalidParameter;
}

}  // namespace

SimKernelIo::SimKernelIo(SimServiceManager& services, SimPciBus& bus, SimPhysicalMemory& memory)
    : services_(services), bus_(bus), memory_(memory) {}

KernelCall& SimKernelIo::Record(std::string name, std::vector<uint64_t> args, std::wstring text) {
  calls_.push_back(KernelCall{.name = std::move(name), .args = std::move(args), .text = std::move(text)});
  return calls_.back();
}

bool SimKernelIo::Finish(KernelCall& call, bool ok, uint32_t errorIfFailed) {
  if (!ok) lastError_ = errorIfFailed;
  call.result = ok ? 1 : 0;
  call.error = lastError_;
  return ok;
}

KernelHandle SimKernelIo::FinishHandle(KernelCall& call, KernelHandle handle, uint32_t errorIfFailed) {
  Finish(call, handle != kNoHandle && handle != kInvalidDevice, errorIfFailed);
  call.result = handle;
  return handle;
}

KernelHandle SimKernelIo::NewHandle(HandleKind kind, std::wstring name, uint32_t access) {
  const KernelHandle handle = nextHandle_;
  nextHandle_ += 4;  // handles are never reused, so a stale one is always caught
  handles_.push_back({handle, kind, std::move(name), access});
  return handle;
}

const OpenHandle* SimKernelIo::Lookup(KernelHandle handle, HandleKind kind) {
  auto it = std::find_if(handles_.begin(), handles_.end(),
                         [&](const OpenHandle& h) { return h.handle == handle && h.kind == kind; });
  if (it != handles_.end()) return &*it;
  ++badHandleUses_;
  return nullptr;
}

void SimKernelIo::Sleep(uint32_t ms) {
  Record("Sleep", {ms});
  tick_ += ms;
}

KernelHandle SimKernelIo::OpenServiceManager(uint32_t access) {
  KernelCall& call = Record("OpenServiceManager", {access});
  if (!OnNt()) return FinishHandle(call, kNoHandle, service_error::CallNotImplemented);
  if (uint32_t error = services_.OpenManager(access)) return FinishHandle(call, kNoHandle, error);
  return FinishHandle(call, NewHandle(HandleKind::ServiceManager, {}, access), 0);
}

KernelHandle SimKernelIo::CreateDriverService(KernelHandle manager, const ServiceConfig& config) {
  KernelCall& call = Record("CreateDriverService",
                            {manager, config.access, config.serviceType, config.startType, config.errorControl},
                            config.name);
  if (!OnNt()) return FinishHandle(call, kNoHandle, service_error::CallNotImplemented);
  const OpenHandle* owner = Lookup(manager, HandleKind::ServiceManager);
  if (!owner) return FinishHandle(call, kNoHandle, service_error::InvalidHandle);
  if (!(owner->access & kCreateServiceAccess)) return FinishHandle(call, kNoHandle, KernelError::AccessDenied);
  if (uint32_t error = services_.Create(config)) return FinishHandle(call, kNoHandle, error);
  return FinishHandle(call, NewHandle(HandleKind::Service, config.name, config.access), 0);
}

KernelHandle SimKernelIo::OpenDriverService(KernelHandle manager, const std::wstring& name, uint32_t access) {
  KernelCall& call = Record("OpenDriverService", {manager, access}, name);
  if (!OnNt()) return FinishHandle(call, kNoHandle, service_error::CallNotImplemented);
  if (!Lookup(manager, HandleKind::ServiceManager)) return FinishHandle(call, kNoHandle, service_error::InvalidHandle);
  if (uint32_t error = services_.Open(name)) return FinishHandle(call, kNoHandle, error);
  return FinishHandle(call, NewHandle(HandleKind::Service, name, access), 0);
}

bool SimKernelIo::StartDriverService(KernelHandle service) {
  KernelCall& call = Record("StartDriverService", {service});
  const OpenHandle* handle = Lookup(service, HandleKind::Service);
  if (!handle) return Finish(call, false, service_error::InvalidHandle);
  const uint32_t error = services_.Start(handle->name, tick_);
  return Finish(call, error == 0, error);
}

bool SimKernelIo::QueryDriverServiceStatus(KernelHandle service, ServiceStatus& status) {
  KernelCall& call = Record("QueryDriverServiceStatus", {service});
  const OpenHandle* handle = Lookup(service, HandleKind::Service);
  if (!handle) return Finish(call, false, service_error::InvalidHandle);
  const uint32_t error = services_.Query(handle->name, tick_, status);
  return Finish(call, error == 0, error);
}

bool SimKernelIo::ControlDriverService(KernelHandle service, uint32_t control, ServiceStatus& status) {
  KernelCall& call = Record("ControlDriverService", {service, control});
  const OpenHandle* handle = Lookup(service, HandleKind::Service);
  if (!handle) return Finish(call, false, service_error::InvalidHandle);
  // Kernel drivers accept no other control.
  if (control != kServiceControlStop) return Finish(call, false, kInvalidServiceControl);
  const uint32_t error = services_.Stop(handle->name, tick_, status);
  return Finish(call, error == 0, error);
}

bool SimKernelIo::DeleteDriverService(KernelHandle service) {
  KernelCall& call = Record("DeleteDriverService", {service});
  const OpenHandle* handle = Lookup(service, HandleKind::Service);
  if (!handle) return Finish(call, false, service_error::InvalidHandle);
  const uint32_t error = services_.Delete(handle->name);
  return Finish(call, error == 0, error);
}

bool SimKernelIo::CloseServiceHandle(KernelHandle handle) {
  KernelCall& call = Record("CloseServiceHandle", {handle});
  auto it = std::find_if(handles_.begin(), handles_.end(), [&](const OpenHandle& h) {
    return h.handle == handle && (h.kind == HandleKind::ServiceManager || h.kind == HandleKind::Service);
  });
  if (it == handles_.end()) {
    ++badHandleUses_;
    return Finish(call, false, service_error::InvalidHandle);
  }
  const OpenHandle closed = *it;
  handles_.erase(it);
  if (closed.kind == HandleKind::Service) services_.ReleaseHandle(closed.name);
  return Finish(call, true, 0);
}

KernelHandle SimKernelIo::OpenDevice(const std::wstring& name, uint32_t access, uint32_t creation,
                                     uint32_t attributes) {
  KernelCall& call = Record("OpenDevice", {access, creation, attributes}, name);
  if (!OnNt()) return FinishHandle(call, kInvalidDevice, service_error::CallNotImplemented);
  if (!services_.DeviceExists(name, tick_)) return FinishHandle(call, kInvalidDevice, KernelError::FileNotFound);
  // CreateFile clears the last error when it opens an existing object.
  lastError_ = KernelError::Success;
  return FinishHandle(call, NewHandle(HandleKind::Device, name, access), 0);
}

bool SimKernelIo::CloseDevice(KernelHandle device) {
  KernelCall& call = Record("CloseDevice", {device});
  if (!Lookup(device, HandleKind::Device)) return Finish(call, false, service_error::InvalidHandle);
  std::erase_if(handles_, [&](const OpenHandle& h) { return h.handle == device; });
  ReleaseMappingsOf(device);
  return Finish(call, true, 0);
}

bool SimKernelIo::DeviceControl(KernelHandle device, uint32_t code, std::span<const uint8_t> input,
                                std::span<uint8_t> output, uint32_t& bytesReturned) {
  KernelCall& call = Record("DeviceControl", {device, code, input.size(), output.size()});
  call.input.assign(input.begin(), input.end());
  bytesReturned = 0;
  if (!Lookup(device, HandleKind::Device)) return Finish(call, false, service_error::InvalidHandle);

  io_bounds::IoRequest request;
  io_bounds::Refusal refusal = io_bounds::DecodeRequest(code, input.data(), static_cast<uint32_t>(input.size()),
                                                        static_cast<uint32_t>(output.size()), request);
  if (refusal == io_bounds::Refusal::None) {
    SimPciConfigSource config(bus_);
    const io_bounds::MachineState machine{config, bus_.ConfigAddress(), memory_.SystemRam().data(),
                                          static_cast<unsigned>(memory_.SystemRam().size())};
    refusal = io_bounds::CheckRequest(request, machine, windows_);
  }
  uint32_t error = ErrorFor(refusal);
  if (error == 0) {
    switch (request.kind) {
      case io_bounds::RequestKind::Map: error = Map(device, request, output, bytesReturned); break;
      case io_bounds::RequestKind::Unmap: error = Unmap(device, request); break;
      case io_bounds::RequestKind::PortRead:
      case io_bounds::RequestKind::PortWrite: error = Port(request, output, bytesReturned); break;
    }
  }
  return Finish(call, error == 0, error);
}

uint32_t SimKernelIo::Map(KernelHandle device, const io_bounds::IoRequest& request, std::span<uint8_t> output,
                          uint32_t& bytesReturned) {
  const auto address = memory_.Map(request.physicalLow, request.length);
  if (!address) return device_error::InvalidParameter;
  owned_.push_back({device, *address});
  io_bounds::StoreWord(output.data(), 0, *address);
  bytesReturned = 4;
  return 0;
}

uint32_t SimKernelIo::Unmap(KernelHandle device, const io_bounds::IoRequest& request) {
  // Only the opening that made a mapping can release it.
  auto it = std::find_if(owned_.begin(), owned_.end(), [&](const OwnedMapping& m) {
    return m.device == device && m.userAddress == request.userAddress;
  });
  if (it == owned_.end()) return device_error::InvalidParameter;
  owned_.erase(it);
  return memory_.Unmap(request.userAddress) ? 0 : device_error::InvalidParameter;
}

void SimKernelIo::ReleaseMappingsOf(KernelHandle device) {
  for (const OwnedMapping& m : owned_)
    if (m.device == device) memory_.Unmap(m.userAddress);
  std::erase_if(owned_, [&](const OwnedMapping& m) { return m.device == device; });
}

uint32_t SimKernelIo::Port(const io_bounds::IoRequest& request, std::span<uint8_t> output, uint32_t& bytesReturned) {
  const auto port = static_cast<uint16_t>(request.port);
  const unsigned width = request.width;
  const bool write = request.kind == io_bounds::RequestKind::PortWrite;
  uint32_t value = request.value;
  if (write) {
    if (SimPciBus::IsConfigPort(port)) bus_.PortWrite(port, width, value);
  } else {
    value = SimPciBus::IsConfigPort(port) ? bus_.PortRead(port, width) : io_bounds::WidthMask(width);
  }
  ports_.push_back({port, width, write, value});
  io_bounds::StoreWord(output.data(), 0, port);
  io_bounds::StoreWord(output.data(), 1, value);
  bytesReturned = 8;
  return 0;
}

std::vector<std::string> SimKernelIo::CallNames() const {
  std::vector<std::string> names;
  for (const KernelCall& call : calls_) names.push_back(call.name);
  return names;
}

size_t SimKernelIo::CallCount(std::string_view name) const {
  return static_cast<size_t>(std::count_if(calls_.begin(), calls_.end(), [&](const KernelCall& c) { return c.name == name; }));
}

}  // namespace corvane::platform::sim
