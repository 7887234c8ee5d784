#pragma once
// The device's access control: only the local system account and the Administrators
// group may open it. The DACL is put on the device object while it is still
// initialising (no one can open it yet, and it has no DOS name yet), through a kernel
// handle to the object: ObOpenObjectByPointer and ZwSetSecurityObject, both in
// Windows XP's ntoskrnl (IoCreateDeviceSecure is not; it lives in the static wdmsec
// library).

#include "outside/driver/kernel.h"

namespace corvane::driver {

NTSTATUS RestrictToAdministrators(PDEVICE_OBJECT device);

}  // namespace corvane::driver
