#include "outside/driver/physical_views.h"

namespace corvane::driver {

NTSTATUS OpenPhysicalMemory(HANDLE& section) {
  UNICODE_STRING name;
  RtlInitUnicodeString(&name, L"\\Device\\PhysicalMemory");
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, nullptr, nullptr);
  return ZwOpenSection(&section, SECTION_MAP_READ | SECTION_MAP_WRITE, &attributes);
}

NTSTATUS MapView(HANDLE section, uint32_t physical, uint32_t length, PhysicalView& view) {
  const io_bounds::AddressRange range = io_bounds::ViewRange(physical, length);
  LARGE_INTEGER offset;
  offset.QuadPart = static_cast<LONGLONG>(range.base);
  PVOID base = nullptr;
  SIZE_T size = static_cast<SIZE_T>(range.length);
  const NTSTATUS status = ZwMapViewOfSection(section, NtCurrentProcess(), &base, 0, 0, &offset, &size, ViewUnmap, 0,
                                             PAGE_READWRITE | PAGE_NOCACHE);
  if (!NT_SUCCESS(status)) return status;
  // The offset came in on a 64 KB boundary, so the memory manager kept it as it was.
  if (static_cast<uint64_t>(offset.QuadPart) != range.base) {
    ZwUnmapViewOfSection(NtCurrentProcess(), base);
    return STATUS_CONFLICTING_ADDRESSES;
  }
  view.base = base;
  view.userAddress = static_cast<uint32_t>(reinterpret_cast<ULONG_PTR>(base) + (physical - range.base));
  return STATUS_SUCCESS;
}

void UnmapView(const PhysicalView& view, PEPROCESS owner) {
  if (IoGetCurrentProcess() == owner) {
    ZwUnmapViewOfSection(NtCurrentProcess(), view.base);
    return;
  }
  KAPC_STATE apc;
  KeStackAttachProcess(reinterpret_cast<PKPROCESS>(owner), &apc);
  ZwUnmapViewOfSection(NtCurrentProcess(), view.base);
  KeUnstackDetachProcess(&apc);
}

}  // namespace corvane::driver
