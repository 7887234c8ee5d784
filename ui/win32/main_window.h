#pragma once
// The main form's real window: a top-level window that is never shown (1x1 at -10,-10,
// text "corvane"), so that the tray icon's clicks and the system's session, power and
// close notices reach the main form. It also runs the program's message loop.

#include <windows.h>

#include "app/main_form.h"
#include "app/program.h"
#include "ui/win32/form_renderer_win32.h"
#include "ui/win32/menu_renderer_win32.h"

namespace corvane::ui {

// Found by other programs and the tests with FindWindow(kMainWindowClass, L"corvane").
inline constexpr wchar_t kMainWindowClass[] = L"TfrmMainQRX";
inline constexpr wchar_t kMainWindowText[] = L"corvane";

class MainWindow final : public MainFormWindow, public MainWindowHost {
 public:
  // Creates the window on the calling thread, which runs the message loop later.
  // Throws std::system_error when Windows refuses.
  MainWindow();
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // MainFormWindow
  platform::WindowHandle Handle() const override { return reinterpret_cast<platform::WindowHandle>(hwnd_); }
  void HideMainWindow() override;
  void BringToForeground() override;
  ScreenPoint CursorPosition() override;
  void PopupMenu(TPopupMenu& menu, ScreenPoint at) override;
  void Close() override;
  void ShowHelp(const std::wstring& helpFile, uint32_t command, uintptr_t data) override;
  FormRenderer& Forms() override { return formRenderer_; }
  void UseSkinnedMenus(bool skinned) override { menuRenderer_.SetSkinned(skinned); }
  // The same, for code that needs the windows of the forms it shows.
  win32::Win32FormRenderer& FormWindows() { return formRenderer_; }

  // MainWindowHost
  MainFormWindow& Window() override { return *this; }
  int Run(TfrmMainQRX& form) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  win32::Win32MenuRenderer menuRenderer_;
  win32::Win32FormRenderer formRenderer_;
  // Set while the message loop runs; messages before and after go to the default handling.
  TfrmMainQRX* form_ = nullptr;
};

}  // namespace corvane::ui
