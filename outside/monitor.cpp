// support.dll's TurnMonitor: the monitor's power through the window's system command, as
// the screen saver does it. Mode 1 switches it off, mode 0 on.
#include <windows.h>

namespace {

// SC_MONITORPOWER's argument: 2 off, -1 on.
constexpr LPARAM kMonitorOff = 2;
constexpr LPARAM kMonitorOn = -1;

}  // namespace

extern "C" void WINAPI TurnMonitor(int mode, HWND window) {
  // Posted: a window that does not answer must not hang the caller, and with the keys of
  // the hotkey still down a sent message would be answered before they are let go.
  PostMessageW(window != nullptr ? window : HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER,
               mode == 1 ? kMonitorOff : kMonitorOn);
}
