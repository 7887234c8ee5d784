#pragma once
// What lies under a form's controls: the dialog colour and, where a page control shows,
// its pane as the tab control draws it (a theme draws it lighter than the dialog). Static
// texts, check boxes, group boxes and track bars paint their background from it, so that
// on a tab sheet they do not stand out as boxes of the dialog colour.

#include <windows.h>

#include <span>

#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {

class FormBackground {
 public:
  // Something under the controls changed (a size, which pages show, the theme): the next
  // brush is drawn afresh.
  void Invalidate();

  // A brush that paints into `dc` what lies under that part of `form`'s client area:
  // its pattern is the whole client area, aligned so that the logical point (0, 0) of
  // `dc` shows what is at `origin` on the form. So one brush serves the form and every
  // control; `dc` keeps that brush origin. The showing `pageControls`, outermost first,
  // are drawn when the pattern is made. nullptr when it cannot be made (the caller then
  // falls back to the dialog colour).
  HBRUSH BrushFor(HDC dc, POINT origin, HWND form, std::span<const HWND> pageControls);

  // The pattern is being drawn: a page control drawn into it that asks the form for
  // what lies under it finds that already there.
  bool Drawing() const { return drawing_; }

 private:
  bool Draw(HWND form, std::span<const HWND> pageControls);

  UniqueBitmap pattern_;
  UniqueBrush brush_;
  bool drawing_ = false;
};

}  // namespace corvane::ui::win32
