// A kernel driver that would not load on Windows XP, twice over: it imports a function
// that came with Vista and is linked for the Windows subsystem instead of the native one.
// A test proves the XP import check names both.

extern "C" __declspec(dllimport) unsigned long __stdcall KeQueryActiveProcessorCount(void* affinity);

extern "C" long __stdcall DriverEntry(void*, void*) {
  return KeQueryActiveProcessorCount(nullptr) == 0 ? -1 : 0;
}
