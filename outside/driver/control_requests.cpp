#include "outside/driver/control_requests.h"

#include "outside/driver/physical_views.h"
#include "platform/io_bounds/io_request.h"

namespace corvane::driver {
namespace {

using io_bounds::AddressRange;
using io_bounds::IoRequest;
using io_bounds::Refusal;
using io_bounds::RequestKind;

constexpr ULONG kConfigAddressPort = io_bounds::kConfigAddressPort;
constexpr unsigned kMaxRamRanges = 32;

NTSTATUS StatusOf(Refusal refusal) {
  switch (refusal) {
    case Refusal::None: return STATUS_SUCCESS;
    case Refusal::UnknownCode: return STATUS_INVALID_DEVICE_REQUEST;
    case Refusal::BadBuffers: return STATUS_INVALID_PARAMETER;
    case Refusal::OutOfBounds: break;
  }
  return STATUS_ACCESS_DENIED;
}

// The system's RAM as the memory manager reports it; false when it cannot say, and then
// nothing is mapped. More ranges than fit are folded into the last one, which then also
// covers the gaps between them: that only refuses more.
bool ReadRam(AddressRange (&ram)[kMaxRamRanges], unsigned& count) {
  count = 0;
  PPHYSICAL_MEMORY_RANGE ranges = MmGetPhysicalMemoryRanges();
  if (!ranges) return false;
  for (PPHYSICAL_MEMORY_RANGE r = ranges; r->BaseAddress.QuadPart != 0 || r->NumberOfBytes.QuadPart != 0; ++r) {
    const uint64_t base = static_cast<uint64_t>(r->BaseAddress.QuadPart);
    const uint64_t end = base + static_cast<uint64_t>(r->NumberOfBytes.QuadPart);
    if (count < kMaxRamRanges) {
      ram[count++] = {base, end - base};
      continue;
    }
    AddressRange& last = ram[kMaxRamRanges - 1];
    const uint64_t lastEnd = last.base + last.length;
    last.base = base < last.base ? base : last.base;
    last.length = (end > lastEnd ? end : lastEnd) - last.base;
  }
  ExFreePool(ranges);
  return true;
}

// Only the opening's own process maps and unmaps through it.
NTSTATUS Map(DeviceState& state, Opening& opening, const IoRequest& request, uint8_t* reply, ULONG_PTR& information) {
  if (IoGetCurrentProcess() != opening.Process() || opening.Closing()) return STATUS_ACCESS_DENIED;
  PhysicalView mapped;
  const NTSTATUS status = MapView(state.physicalMemory, request.physicalLow, request.length, mapped);
  if (!NT_SUCCESS(status)) return status;
  if (!opening.Add(mapped)) {
    UnmapView(mapped, opening.Process());
    return STATUS_INSUFFICIENT_RESOURCES;
  }
  io_bounds::StoreWord(reply, 0, mapped.userAddress);
  information = io_bounds::kMapReplySize;
  return STATUS_SUCCESS;
}

NTSTATUS Unmap(Opening& opening, const IoRequest& request) {
  if (IoGetCurrentProcess() != opening.Process()) return STATUS_ACCESS_DENIED;
  PhysicalView view;
  if (!opening.Take(request.userAddress, view)) return STATUS_INVALID_PARAMETER;
  UnmapView(view, opening.Process());
  return STATUS_SUCCESS;
}

uint32_t ReadPort(ULONG port, unsigned width) {
  switch (width) {
    case 1: return READ_PORT_UCHAR(reinterpret_cast<PUCHAR>(port));
    case 2: return READ_PORT_USHORT(reinterpret_cast<PUSHORT>(port));
    default: return READ_PORT_ULONG(reinterpret_cast<PULONG>(port));
  }
}

void WritePort(ULONG port, unsigned width, uint32_t value) {
  switch (width) {
    case 1: WRITE_PORT_UCHAR(reinterpret_cast<PUCHAR>(port), static_cast<UCHAR>(value)); break;
    case 2: WRITE_PORT_USHORT(reinterpret_cast<PUSHORT>(port), static_cast<USHORT>(value)); break;
    default: WRITE_PORT_ULONG(reinterpret_cast<PULONG>(port), value); break;
  }
}

NTSTATUS Port(const IoRequest& request, uint8_t* reply, ULONG_PTR& information) {
  uint32_t value = request.value;
  if (request.kind == RequestKind::PortWrite)
    WritePort(request.port, request.width, value);
  else
    value = ReadPort(request.port, request.width);
  io_bounds::StoreWord(reply, 0, request.port);
  io_bounds::StoreWord(reply, 1, value & io_bounds::WidthMask(request.width));
  information = io_bounds::kPortRecordSize;
  return STATUS_SUCCESS;
}

NTSTATUS CarryOutLocked(DeviceState& state, Opening& opening, const IoRequest& request, uint8_t* buffer,
                        ULONG_PTR& information) {
  AddressRange ram[kMaxRamRanges];
  unsigned ramCount = 0;
  if (request.kind == RequestKind::Map && !ReadRam(ram, ramCount)) return STATUS_INSUFFICIENT_RESOURCES;
  // The program selects a configuration register with one request and reaches it with
  // the next. The check may read configuration space through the HAL (a bus scan, or the
  // function a data write is aimed at), which moves the address register: it is put back
  // before the request goes on, or a data write would land in the register the HAL read
  // last. Written only when it moved: the HAL's accesses on another processor do not
  // take our lock.
  const ULONG configAddress = READ_PORT_ULONG(reinterpret_cast<PULONG>(kConfigAddressPort));
  const io_bounds::MachineState machine{state.config, configAddress, ram, ramCount};
  const Refusal refusal = io_bounds::CheckRequest(request, machine, state.windows);
  if (READ_PORT_ULONG(reinterpret_cast<PULONG>(kConfigAddressPort)) != configAddress)
    WRITE_PORT_ULONG(reinterpret_cast<PULONG>(kConfigAddressPort), configAddress);
  if (refusal != Refusal::None) return StatusOf(refusal);

  switch (request.kind) {
    case RequestKind::Map: return Map(state, opening, request, buffer, information);
    case RequestKind::Unmap: return Unmap(opening, request);
    case RequestKind::PortRead:
    case RequestKind::PortWrite: break;
  }
  return Port(request, buffer, information);
}

}  // namespace

NTSTATUS CarryOutControlRequest(DeviceState& state, Opening& opening, ULONG code, void* buffer, ULONG inputLength,
                                ULONG outputLength, ULONG_PTR& information) {
  information = 0;
  IoRequest request;
  const Refusal refusal =
      io_bounds::DecodeRequest(code, static_cast<const uint8_t*>(buffer), inputLength, outputLength, request);
  if (refusal != Refusal::None) return StatusOf(refusal);

  KeWaitForSingleObject(&state.lock, Executive, KernelMode, FALSE, nullptr);
  const NTSTATUS status = CarryOutLocked(state, opening, request, static_cast<uint8_t*>(buffer), information);
  KeReleaseMutex(&state.lock, FALSE);
  return status;
}

}  // namespace corvane::driver
