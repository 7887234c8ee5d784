#pragma once
// Views of physical memory in a process's address space, made as views of the
// \Device\PhysicalMemory section (uncached, not inherited by child processes). A view
// spans io_bounds::ViewRange of the asked-for range, which the request check allowed
// as a whole.

#include <stdint.h>

#include "outside/driver/kernel.h"
#include "platform/io_bounds/io_bounds.h"

namespace corvane::driver {

struct PhysicalView {
  PVOID base = nullptr;      // where the view starts (what is unmapped)
  uint32_t userAddress = 0;  // the asked-for physical address as the process sees it
};

// A kernel handle of the section; the driver keeps it open until it unloads.
NTSTATUS OpenPhysicalMemory(HANDLE& section);

// Maps the range into the current process.
NTSTATUS MapView(HANDLE section, uint32_t physical, uint32_t length, PhysicalView& view);

// Unmaps a view from `owner`'s address space, from whatever process the caller runs in.
void UnmapView(const PhysicalView& view, PEPROCESS owner);

}  // namespace corvane::driver
