#include "ui/win32/hotkey_devices_win32.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {
namespace {

using TurnMonitorFunction = void(WINAPI*)(int, HWND);

struct ScreenDcDeleter {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct FileDeleter {
  void operator()(HANDLE file) const { CloseHandle(file); }
};
using UniqueScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcDeleter>;
using UniqueFile = std::unique_ptr<void, FileDeleter>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

constexpr WORD kBitmapSignature = 0x4D42;  // "BM"
constexpr WORD kBitsPerPixel = 24;

void TurnMonitor(const std::wstring& supportLibrary, platform::WindowHandle window, int mode) {
  // Loaded for the call only: a missing library leaves the monitor as it is.
  UniqueModule support(LoadLibraryW(supportLibrary.c_str()));
  if (!support) return;
  auto turn = reinterpret_cast<TurnMonitorFunction>(reinterpret_cast<void*>(GetProcAddress(support.get(), "TurnMonitor")));
  if (turn) turn(mode, reinterpret_cast<HWND>(window));
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  return WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool SaveScreenToBmp(const std::wstring& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;
  UniqueScreenDc screen(GetDC(nullptr));
  if (!screen) return false;
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  if (!memory || !bitmap) return false;
  const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY) != FALSE;
  SelectObject(memory.get(), old);
  if (!copied) return false;

  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = kBitsPerPixel;
  info.biCompression = BI_RGB;
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  std::vector<uint8_t> pixels(imageSize);
  if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == 0)
    return false;

  BITMAPFILEHEADER header{};
  header.bfType = kBitmapSignature;
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + imageSize;
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return false;
  }
  return WriteAll(file.get(), &header, sizeof(header)) && WriteAll(file.get(), &info, sizeof(info)) &&
         WriteAll(file.get(), pixels.data(), imageSize);
}

hotkeys::HotkeyDevices Win32HotkeyDevices(const std::wstring& supportLibrary, platform::WindowHandle mainWindow) {
  hotkeys::HotkeyDevices devices;
  devices.TurnMonitor = [supportLibrary, mainWindow](int mode) { TurnMonitor(supportLibrary, mainWindow, mode); };
  devices.SaveScreenshot = [](const std::wstring& path) { return SaveScreenToBmp(path); };
  devices.Now = [] {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return hotkeys::TimeOfDay{now.wHour, now.wMinute, now.wSecond};
  };
  return devices;
}

}  // namespace corvane::ui::win32
