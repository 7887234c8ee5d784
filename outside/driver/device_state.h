#pragma once
// What the driver keeps for its one device, in the device object's extension: the lock
// every request holds from its check to its last port or memory access, the section of
// physical memory that mappings are views of, the configuration space as the HAL
// reaches it, and room for the windows a bounds check finds (kept off the small kernel
// stack).

#include "outside/driver/hal_pci_config.h"
#include "outside/driver/kernel.h"
#include "platform/io_bounds/io_bounds.h"

namespace corvane::driver {

struct DeviceState {
  KMUTEX lock;
  HANDLE physicalMemory = nullptr;  // kernel handle of \Device\PhysicalMemory
  HalPciConfig config;
  io_bounds::DeviceWindows windows;
};

inline DeviceState& StateOf(PDEVICE_OBJECT device) { return *static_cast<DeviceState*>(device->DeviceExtension); }

}  // namespace corvane::driver
