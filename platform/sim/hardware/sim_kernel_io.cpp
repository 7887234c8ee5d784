#include "platform/sim/hardware/sim_kernel_io.h"

#include <algorithm>
#include <cstring>

namespace corvane::platform::sim {
namespace {

constexpr uint32_t kCreateServiceAccess = 0x0002;  // SC_MANAGER_CREATE_SERVICE
constexpr uint32_t kServiceControlStop = 1;
constexpr uint32_t kInvalidServiceControl = 1052;

uint32_t Word(std::span<const uint8_t> bytes, size_t index) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + 4 * index, 4);
  return value;
}

void PutWord(std::span<uint8_t> bytes, size_t index, uint32_t value) { std::memcpy(bytes.data() + 4 * index, &value, 4); }

uint32_t WidthMask(unsigned width) { return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1; }

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
  return Finish(call, true, 0);
}

bool SimKernelIo::DeviceControl(KernelHandle device, uint32_t code, std::span<const uint8_t> input,
                                std::span<uint8_t> output, uint32_t& bytesReturned) {
  KernelCall& call = Record("DeviceControl", {device, code, input.size(), output.size()});
  call.input.assign(input.begin(), input.end());
  bytesReturned = 0;
  if (!Lookup(device, HandleKind::Device)) return Finish(call, false, service_error::InvalidHandle);

  uint32_t error = device_error::InvalidFunction;
  switch (code) {
    case device_code::MapPhysical: error = Map(input, output, bytesReturned); break;
    case device_code::UnmapPhysical: error = Unmap(input, output, bytesReturned); break;
    case device_code::ReadPort8: error = Port(1, false, input, output, bytesReturned); break;
    case device_code::ReadPort16: error = Port(2, false, input, output, bytesReturned); break;
    case device_code::ReadPort32: error = Port(4, false, input, output, bytesReturned); break;
    case device_code::WritePort8: error = Port(1, true, input, output, bytesReturned); break;
    case device_code::WritePort16: error = Port(2, true, input, output, bytesReturned); break;
    case device_code::WritePort32: error = Port(4, true, input, output, bytesReturned); break;
  }
  return Finish(call, error == 0, error);
}

uint32_t SimKernelIo::Map(std::span<const uint8_t> input, std::span<uint8_t> output, uint32_t& bytesReturned) {
  if (input.size() != 16 || output.size() != 4) return device_error::InvalidParameter;
  if (Word(input, 1) != 0) return device_error::InvalidParameter;  // no memory above 4 GB here
  const auto address = memory_.Map(Word(input, 0), Word(input, 2));
  if (!address) return device_error::InvalidParameter;
  PutWord(output, 0, *address);
  bytesReturned = 4;
  return 0;
}

uint32_t SimKernelIo::Unmap(std::span<const uint8_t> input, std::span<uint8_t> output, uint32_t&) {
  if (input.size() != 4 || !output.empty()) return device_error::InvalidParameter;
  return memory_.Unmap(Word(input, 0)) ? 0 : device_error::InvalidParameter;
}

uint32_t SimKernelIo::Port(unsigned width, bool write, std::span<const uint8_t> input, std::span<uint8_t> output,
                           uint32_t& bytesReturned) {
  if (input.size() != 8 || output.size() != 8) return device_error::InvalidParameter;
  // The driver takes the port as a 16-bit number and the value at the access's width.
  const auto port = static_cast<uint16_t>(Word(input, 0));
  uint32_t value = Word(input, 1) & WidthMask(width);
  if (write) {
    if (SimPciBus::IsConfigPort(port)) bus_.PortWrite(port, width, value);
  } else {
    value = SimPciBus::IsConfigPort(port) ? bus_.PortRead(port, width) : WidthMask(width);
  }
  ports_.push_back({port, width, write, value});
  PutWord(output, 0, port);
  PutWord(output, 1, value);
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
