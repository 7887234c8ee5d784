#pragma once
// A main form window that shows nothing and forgets what it is asked: the form run where
// nobody looks at it (benchmarks, fuzzing), on the simulated form renderer.

#include <string>

#include "app/main_form.h"
#include "ui/form_renderer_sim.h"

namespace corvane {

class QuietWindow final : public MainFormWindow {
 public:
  platform::WindowHandle Handle() const override { return 0x10A4; }
  void HideMainWindow() override {}
  void BringToForeground() override {}
  ScreenPoint CursorPosition() override { return {}; }
  void PopupMenu(ui::TPopupMenu&, ScreenPoint) override {}
  void Close() override {}
  void ShowHelp(const std::wstring&, uint32_t, uintptr_t) override {}
  ui::FormRenderer& Forms() override { return forms; }
  ui::SimFormRenderer forms;
};

}  // namespace corvane
