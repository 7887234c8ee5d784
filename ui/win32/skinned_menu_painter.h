#pragma once
// The program's own drawing of the tray menus ("use_skinned_menu"): owner-drawn items on
// a flat light background, images in a gutter on the left, a framed image or a drawn mark
// for checked items, a thin line for separators. The system still places the items,
// their columns (bar breaks) and the submenu arrows.

#include <windows.h>
#include <commctrl.h>

#include "ui/menu.h"
#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {

class SkinnedMenuPainter {
 public:
  // With the system's menu font.
  SkinnedMenuPainter();

  // WM_MEASUREITEM of an item built owner-drawn; `window` lends its DC for the text.
  void Measure(const TMenuItem& item, HWND window, MEASUREITEMSTRUCT& measure) const;
  // WM_DRAWITEM; `images` may be null (no images then).
  void Draw(const TMenuItem& item, HIMAGELIST images, const DRAWITEMSTRUCT& draw) const;

 private:
  UniqueFont font_;
};

}  // namespace corvane::ui::win32
