#pragma once
// The device's control requests (buffered method: one system buffer holds the input and
// then the output). Each is decoded and checked by the same unit the simulated machine
// uses, then carried out with the device's lock held from the check to the last access,
// so no other request can move the configuration address between the two.

#include "outside/driver/device_state.h"
#include "outside/driver/kernel.h"
#include "outside/driver/opening.h"

namespace corvane::driver {

// `information` receives the count of output bytes on success.
NTSTATUS CarryOutControlRequest(DeviceState& state, Opening& opening, ULONG code, void* buffer, ULONG inputLength,
                                ULONG outputLength, ULONG_PTR& information);

}  // namespace corvane::driver
