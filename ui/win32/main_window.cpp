#include "ui/win32/main_window.h"

#include <system_error>

#include "app/tray_icon.h"

// The module this code is linked into, so the class belongs to it.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace corvane::ui {
namespace {

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace

MainWindow::MainWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &MainWindow::WindowProc;
  wc.hInstance = ThisModule();
  wc.hIcon = LoadIconW(ThisModule(), MAKEINTRESOURCEW(1));
  wc.lpszClassName = kMainWindowClass;
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "RegisterClassExW");
  // Top-level, not message-only: broadcasts and the tray reach only top-level windows.
  // A tool window stays off the taskbar and Alt+Tab even if something shows it.
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kMainWindowClass, kMainWindowText, WS_POPUP, -10, -10, 1, 1, nullptr,
                          nullptr, ThisModule(), this);
  if (!hwnd_) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
}

MainWindow::~MainWindow() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void MainWindow::HideMainWindow() {
  // Minimising first would make a hidden window visible for a moment; hiding is enough
  // for a window that is never shown.
  ShowWindow(hwnd_, SW_HIDE);
}

void MainWindow::BringToForeground() { SetForegroundWindow(hwnd_); }

ScreenPoint MainWindow::CursorPosition() {
  POINT point{};
  GetCursorPos(&point);
  return {point.x, point.y};
}

void MainWindow::PopupMenu(TPopupMenu& menu, ScreenPoint at) { menuRenderer_.Popup(menu, POINT{at.x, at.y}); }

void MainWindow::Close() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void MainWindow::ShowHelp(const std::wstring& helpFile, uint32_t command, uintptr_t data) {
  WinHelpW(hwnd_, helpFile.c_str(), command, data);
}

int MainWindow::Run(TfrmMainQRX& form) {
  form_ = &form;
  MSG msg{};
  int exitCode = 0;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  form_ = nullptr;
  return exitCode;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || !self->form_) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->Handle(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kTrayCallbackMessage:
      form_->TrayCallback(static_cast<uint32_t>(lParam));
      return 0;
    case WM_DISPLAYCHANGE:
      form_->DisplayChange();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_POWERBROADCAST:
      form_->PowerBroadcast(static_cast<uint32_t>(wParam));
      return TRUE;
    case WM_QUERYENDSESSION:
      return form_->QueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      form_->EndSession(wParam != FALSE);
      return 0;
    case WM_CLOSE:
      form_->FormClose();
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      hwnd_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace corvane::ui
