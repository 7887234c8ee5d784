// support.dll: the library the program loads beside itself for its menu images, the
// about box picture, the game profiles' desktop shortcuts (shortcut.cpp), the monitor switch
// (monitor.cpp) and the update check (update.cpp). Nothing to set up or tear down per
// process or thread.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
