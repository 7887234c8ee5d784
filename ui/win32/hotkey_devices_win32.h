#pragma once
// What the hotkey actions reach on Windows: support.dll's monitor switch, the screen
// captured into a BMP file, the local time. The recorder and mixer join from audio/.

#include <string>

#include "hotkeys/hotkey_devices.h"
#include "platform/window_handle.h"

namespace corvane::ui::win32 {

// `supportLibrary`: the full path of support.dll; `mainWindow`: the main form's window.
hotkeys::HotkeyDevices Win32HotkeyDevices(const std::wstring& supportLibrary, platform::WindowHandle mainWindow);

// The primary screen as a 24-bit BMP file at `path`; false when nothing was written.
bool SaveScreenToBmp(const std::wstring& path);

}  // namespace corvane::ui::win32
