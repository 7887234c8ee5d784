// Imports what Windows XP lacks on purpose, one function from kernel32 and one from a DLL
// XP does not have, so a test can prove the XP import check catches both.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <dwmapi.h>

int main() {
  BOOL composition = FALSE;
  DwmIsCompositionEnabled(&composition);
  return GetTickCount64() == 0 && composition ? 1 : 0;
}
