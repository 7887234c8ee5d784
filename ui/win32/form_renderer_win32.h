#pragma once
// Shows forms as real windows: modal ones with the program's other windows disabled and
// a message loop that runs until the form has a modal result; non-modal ones painted at
// once for a caller that is about to be busy.

#include <windows.h>

#include <exception>
#include <map>
#include <memory>

#include "ui/form.h"
#include "ui/win32/form_window.h"
#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {

class Win32FormRenderer final : public FormRenderer {
 public:
  // On the UI thread; forms are shown and changed only there.
  Win32FormRenderer();
  ~Win32FormRenderer() override;
  Win32FormRenderer(const Win32FormRenderer&) = delete;
  Win32FormRenderer& operator=(const Win32FormRenderer&) = delete;

  // An exception from a handler ends the modal loop and leaves RunModal (after the
  // window is gone). WM_QUIT ends it too, with Cancel, and is posted again for the outer
  // loop.
  void RunModal(TForm& form) override;
  void Show(TForm& form) override;
  void Hide(TForm& form) override;
  void BringToFront(TForm& form) override;
  void ComponentChanged(TComponent& component, ComponentProperty what) override;
  void FormDestroyed(TForm& form) override;
  void Beep() override;

  // The window of a showing form and the control of one of its components (nullptr when
  // not showing), for code that must hand a window to Windows, and for tests.
  HWND WindowOf(const TForm& form) const;
  HWND ControlOf(const TComponent& component) const;

 private:
  FormWindow& Open(TForm& form);
  void Close(TForm& form);
  HWND TopModalWindow() const;

  UniqueFont boldFont_;
  UniqueFont linkFont_;
  FormFonts fonts_;
  std::map<const TForm*, std::unique_ptr<FormWindow>> windows_;
  std::vector<const TForm*> modalStack_;
  std::exception_ptr handlerError_;
};

}  // namespace corvane::ui::win32
