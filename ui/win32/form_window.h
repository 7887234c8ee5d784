#pragma once
// One shown form: its top-level window and a real control per component, kept equal to
// the model both ways (model changes are applied here; user input goes to the model).

#include <windows.h>

#include <exception>
#include <functional>
#include <vector>

#include "ui/form.h"
#include "ui/win32/form_background.h"
#include "ui/win32/gdi_handles.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace corvane::ui::win32 {

// A plug-in library that showed forms calls this before it is unloaded: the form class
// it registered for itself must not outlive its window procedure.
void UnregisterFormClass();

// The renderer's fonts, shared by every form.
struct FormFonts {
  HFONT normal;
  HFONT bold;
  HFONT link;  // underlined
};

class FormWindow {
 public:
  // Handlers run inside the window procedure, which exceptions must not cross: they are
  // caught and given to `onError`.
  FormWindow(TForm& form, HWND owner, const FormFonts& fonts, std::function<void(std::exception_ptr)> onError);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Handle() const { return window_.get(); }
  // The control of a component; nullptr for those without one (timers, tab sheets).
  HWND ControlOf(const TComponent& component) const;
  TForm& Form() const { return form_; }

  void Apply(TComponent& component, ComponentProperty what);

 private:
  struct Control {
    TComponent* component;
    HWND handle = nullptr;
    UniqueIcon icon{};
    UniqueBitmap bitmap{};
    UniqueImageList images{};  // a page control's tab images, a tree view's node images
    HWND arrows = nullptr;     // an up-down's arrows beside its edit box (a child of the form)
    std::vector<HTREEITEM> nodes{};  // a tree view's items, in the model's node order
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateFormWindow(HWND owner);
  void CreateControl(Control& control);
  void FillControl(Control& control);
  void LoadPicture(Control& control);
  void FillTreeView(Control& control);
  void OnUpDownText(Control& control);
  void ShowButtonGlyph(Control& control);
  void LayOut();
  void StackContainersUnderTheirContents();
  void ShowShowingControls();
  void ShowTabs(const TComponent& pageControl);
  void SelectTab(const TComponent& pageControl);
  HBRUSH BackgroundBrush(HDC dc, HWND painter);
  POINT ClientOrigin(const TComponent& component) const;
  Control* ControlById(UINT id);
  Control* ControlByHandle(HWND handle);
  Control& ControlFor(const TComponent& component);
  void OnCommand(UINT id, UINT code, HWND source);
  void ClickButtonWhere(bool (*which)(const ComponentDecl&));
  void Guarded(const std::function<void()>& action);

  TForm& form_;
  FormFonts fonts_;
  std::function<void(std::exception_ptr)> onError_;
  UniqueWindow window_;
  std::vector<Control> controls_;  // one per component, in table order; id = kFirstId + index
  bool applyingModel_ = false;  // control notifications we caused are not user input
  bool typingNumber_ = false;   // an up-down's box keeps what is being typed
  FormBackground background_;
};

}  // namespace corvane::ui::win32
