#pragma once
// Helpers for the renderer tests under Wine: run code from inside a modal loop or a
// tracked menu, and save what is on the screen.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvane::ui::win32::testing {

// Runs `action` once, `delayMs` from now, from whatever message loop is running then
// (a modal form's, TrackPopupMenu's). `action` must not throw.
inline void RunLater(UINT delayMs, std::function<void()> action) {
  static std::map<UINT_PTR, std::function<void()>> pending;
  struct Fire {
    static void CALLBACK Proc(HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      auto found = pending.find(id);
      if (found == pending.end()) return;
      std::function<void()> run = std::move(found->second);
      pending.erase(found);
      run();
    }
  };
  const UINT_PTR id = SetTimer(nullptr, 0, delayMs, Fire::Proc);
  pending[id] = std::move(action);
}

// Where screenshots go: <build tree>/screenshots, reached through Wine's Z: drive.
inline std::wstring ScreenshotPath(const std::wstring& name) {
  const std::filesystem::path folder = std::filesystem::path(L"Z:" + std::filesystem::path(CORVANE_SCREENSHOT_DIR).wstring());
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return (folder / name).wstring();
}

// The whole screen as a 24-bit BMP file. Returns false when nothing could be written.
// The caller is inside a message handler: every window is repainted first, as the
// pending WM_PAINTs would only come after it returns.
inline bool SaveScreen(const std::wstring& path) {
  RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
  struct Repaint {
    static BOOL CALLBACK Window(HWND window, LPARAM) {
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
      return TRUE;
    }
  };
  EnumThreadWindows(GetCurrentThreadId(), Repaint::Window, 0);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    GdiFlush();
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), imageSize);
    saved = out.good();
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The captions of a tab control's tabs, left to right.
inline std::vector<std::wstring> TabCaptions(HWND tabs) {
  std::vector<std::wstring> captions;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    captions.push_back(text);
  }
  return captions;
}

// What a mouse click on the middle of a tab sends to its tab control.
inline void ClickTab(HWND tabs, int tab) {
  RECT bounds{};
  SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&bounds));
  const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

inline void PressKey(WORD key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace corvane::ui::win32::testing
