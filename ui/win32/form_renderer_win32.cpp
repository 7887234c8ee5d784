#include "ui/win32/form_renderer_win32.h"

#include <optional>
#include <utility>
#include <vector>

#include "ui/win32/picture_loader.h"

namespace corvane::ui::win32 {

namespace {

UniqueFont DerivedFont(HFONT base, bool bold, bool underline) {
  LOGFONTW font{};
  GetObjectW(base, sizeof(font), &font);
  if (bold) font.lfWeight = FW_BOLD;
  font.lfUnderline = underline ? TRUE : FALSE;
  return UniqueFont(CreateFontIndirectW(&font));
}

// The thread's enabled top-level windows are disabled while a modal form runs, as the
// dialog manager does with a dialog's owner, so nothing else of the program takes input.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND modal) : modal_(modal) {
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~OtherWindowsDisabled() {
    for (HWND window : disabled_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto* me = reinterpret_cast<OtherWindowsDisabled*>(self);
    if (window != me->modal_ && IsWindowVisible(window) && IsWindowEnabled(window)) me->disabled_.push_back(window);
    return TRUE;
  }
  HWND modal_;
  std::vector<HWND> disabled_;
};

}  // namespace

Win32FormRenderer::Win32FormRenderer() {
  EnsureCommonControls();
  const auto guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  boldFont_ = DerivedFont(guiFont, true, false);
  linkFont_ = DerivedFont(guiFont, false, true);
  fonts_ = {guiFont, boldFont_ ? boldFont_.get() : guiFont, linkFont_ ? linkFont_.get() : guiFont};
}

Win32FormRenderer::~Win32FormRenderer() { windows_.clear(); }

HWND Win32FormRenderer::TopModalWindow() const {
  if (modalStack_.empty()) return nullptr;
  return WindowOf(*modalStack_.back());
}

FormWindow& Win32FormRenderer::Open(TForm& form) {
  auto window = std::make_unique<FormWindow>(form, TopModalWindow(), fonts_,
                                             [this](std::exception_ptr error) {
                                               if (!handlerError_) handlerError_ = error;
                                             });
  FormWindow& opened = *window;
  windows_[&form] = std::move(window);
  return opened;
}

void Win32FormRenderer::Close(TForm& form) { windows_.erase(&form); }

void Win32FormRenderer::RunModal(TForm& form) {
  FormWindow& window = Open(form);
  const HWND handle = window.Handle();
  modalStack_.push_back(&form);
  std::optional<OtherWindowsDisabled> others(std::in_place, handle);
  ShowWindow(handle, SW_SHOW);
  SetForegroundWindow(handle);
  UpdateWindow(handle);
  MSG message{};
  while (form.ModalResult() == TModalResult::None && !handlerError_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      form.SetModalResult(TModalResult::Cancel);
      break;
    }
    if (got < 0) break;
    // Alt+letter shortcuts that are not underlined mnemonics ("(Alt+A)" in a caption).
    // Bit 29 of a WM_SYSKEYDOWN is set while Alt is held.
    if (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) != 0 &&
        (message.hwnd == handle || IsChild(handle, message.hwnd)) &&
        form.UserPressAlt(static_cast<wchar_t>(message.wParam)))
      continue;
    if (!IsDialogMessageW(handle, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // The others are enabled before the form goes, so that activation returns to them
  // rather than to some other program.
  others.reset();
  ShowWindow(handle, SW_HIDE);
  modalStack_.pop_back();
  Close(form);
  if (form.ModalResult() == TModalResult::None) form.SetModalResult(TModalResult::Cancel);
  if (handlerError_) std::rethrow_exception(std::exchange(handlerError_, nullptr));
}

void Win32FormRenderer::Show(TForm& form) {
  FormWindow& window = windows_.count(&form) ? *windows_[&form] : Open(form);
  ShowWindow(window.Handle(), SW_SHOWNA);
  // The caller is about to be busy and will not pump messages: paint now.
  UpdateWindow(window.Handle());
}

void Win32FormRenderer::Hide(TForm& form) { Close(form); }

void Win32FormRenderer::BringToFront(TForm& form) {
  if (HWND window = WindowOf(form)) {
    BringWindowToTop(window);
    SetForegroundWindow(window);
  }
}

void Win32FormRenderer::ComponentChanged(TComponent& component, ComponentProperty what) {
  auto found = windows_.find(&component.Form());
  if (found == windows_.end()) return;
  found->second->Apply(component, what);
  // A non-modal form has no loop of its own while its owner works.
  if (!component.Form().Modal()) {
    if (HWND control = found->second->ControlOf(component)) UpdateWindow(control);
  }
}

void Win32FormRenderer::FormDestroyed(TForm& form) { Close(form); }

void Win32FormRenderer::Beep() { MessageBeep(MB_OK); }

HWND Win32FormRenderer::WindowOf(const TForm& form) const {
  auto found = windows_.find(&form);
  return found == windows_.end() ? nullptr : found->second->Handle();
}

HWND Win32FormRenderer::ControlOf(const TComponent& component) const {
  auto found = windows_.find(&component.Form());
  return found == windows_.end() ? nullptr : found->second->ControlOf(component);
}

}  // namespace corvane::ui::win32
