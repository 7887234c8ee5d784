// corvane.sys: the kernel I/O device the program opens as "\\.\corvane". It maps
// physical memory of the display adapters and the video BIOS into the calling process
// and reads and writes the PCI configuration ports and the adapters' I/O ports, within
// the bounds of platform/io_bounds, for administrators and the system only.

#include <new>

#include "outside/driver/admin_only_security.h"
#include "outside/driver/control_requests.h"
#include "outside/driver/device_state.h"
#include "outside/driver/kernel.h"
#include "outside/driver/opening.h"

namespace corvane::driver {
namespace {

constexpr ULONG kDeviceType = 0x8000;  // the device type in the program's control codes
const wchar_t kDeviceName[] = L"\\Device\\corvane";
const wchar_t kLinkName[] = L"\\DosDevices\\corvane";

NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information = 0) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

Opening* OpeningOf(PIO_STACK_LOCATION stack) { return static_cast<Opening*>(stack->FileObject->FsContext); }

NTSTATUS NTAPI OnCreate(PDEVICE_OBJECT, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  // The device has no namespace below it: "\\.\corvane\anything" is not it.
  if (stack->FileObject->FileName.Length != 0) return Complete(irp, STATUS_OBJECT_NAME_NOT_FOUND);
  Opening* opening = Opening::Create();
  if (!opening) return Complete(irp, STATUS_INSUFFICIENT_RESOURCES);
  stack->FileObject->FsContext = opening;
  return Complete(irp, STATUS_SUCCESS);
}

// The last handle is closing, in the process that held it: its views go now.
NTSTATUS NTAPI OnCleanup(PDEVICE_OBJECT device, PIRP irp) {
  if (Opening* opening = OpeningOf(IoGetCurrentIrpStackLocation(irp))) {
    DeviceState& state = StateOf(device);
    KeWaitForSingleObject(&state.lock, Executive, KernelMode, FALSE, nullptr);
    opening->Release();
    KeReleaseMutex(&state.lock, FALSE);
  }
  return Complete(irp, STATUS_SUCCESS);
}

NTSTATUS NTAPI OnClose(PDEVICE_OBJECT, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  Opening::Free(OpeningOf(stack));
  stack->FileObject->FsContext = nullptr;
  return Complete(irp, STATUS_SUCCESS);
}

NTSTATUS NTAPI OnDeviceControl(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  Opening* opening = OpeningOf(stack);
  if (!opening) return Complete(irp, STATUS_INVALID_DEVICE_STATE);
  const auto& control = stack->Parameters.DeviceIoControl;
  ULONG_PTR information = 0;
  const NTSTATUS status =
      CarryOutControlRequest(StateOf(device), *opening, control.IoControlCode, irp->AssociatedIrp.SystemBuffer,
                             control.InputBufferLength, control.OutputBufferLength, information);
  return Complete(irp, status, information);
}

void DeleteDevice(PDEVICE_OBJECT device) {
  DeviceState& state = StateOf(device);
  if (state.physicalMemory) ZwClose(state.physicalMemory);
  state.~DeviceState();
  IoDeleteDevice(device);
}

// Runs only when no handle is open any more, so no view is left.
void NTAPI OnUnload(PDRIVER_OBJECT driver) {
  UNICODE_STRING link;
  RtlInitUnicodeString(&link, kLinkName);
  IoDeleteSymbolicLink(&link);
  if (driver->DeviceObject) DeleteDevice(driver->DeviceObject);
}

}  // namespace
}  // namespace corvane::driver

extern "C" NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING) {
  using namespace corvane::driver;
  UNICODE_STRING name;
  RtlInitUnicodeString(&name, kDeviceName);
  PDEVICE_OBJECT device = nullptr;
  NTSTATUS status = IoCreateDevice(driver, sizeof(DeviceState), &name, kDeviceType, FILE_DEVICE_SECURE_OPEN, FALSE,
                                   &device);
  if (!NT_SUCCESS(status)) return status;
  DeviceState& state = *new (device->DeviceExtension) DeviceState();
  KeInitializeMutex(&state.lock, 0);

  status = RestrictToAdministrators(device);
  if (NT_SUCCESS(status)) status = OpenPhysicalMemory(state.physicalMemory);
  if (NT_SUCCESS(status)) {
    UNICODE_STRING link;
    RtlInitUnicodeString(&link, kLinkName);
    status = IoCreateSymbolicLink(&link, &name);
  }
  if (!NT_SUCCESS(status)) {
    DeleteDevice(device);
    return status;
  }

  driver->MajorFunction[IRP_MJ_CREATE] = OnCreate;
  driver->MajorFunction[IRP_MJ_CLEANUP] = OnCleanup;
  driver->MajorFunction[IRP_MJ_CLOSE] = OnClose;
  driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = OnDeviceControl;
  driver->DriverUnload = OnUnload;
  device->Flags &= ~DO_DEVICE_INITIALIZING;
  return STATUS_SUCCESS;
}
