#pragma once
// Turns a TPopupMenu into a real popup menu each time it opens, and hands the chosen
// item to its Click. Images are drawn by this renderer's own hidden owner window
// (HBMMENU_CALLBACK), which draws a transparent 16x16 cell on XP as on later systems.

#include <windows.h>

#include <vector>

#include "ui/menu.h"
#include "ui/win32/gdi_handles.h"
#include "ui/win32/skinned_menu_painter.h"

namespace corvane::ui::win32 {

// A built menu and the model item behind each command id.
struct BuiltMenu {
  UniqueMenu menu;
  std::vector<TMenuItem*> commands;  // command id n is commands[n - 1]

  TMenuItem* ItemOf(UINT commandId) const;
};

class Win32MenuRenderer {
 public:
  // On the UI thread, which must also be the one that pops the menus up.
  Win32MenuRenderer();
  ~Win32MenuRenderer();
  Win32MenuRenderer(const Win32MenuRenderer&) = delete;
  Win32MenuRenderer& operator=(const Win32MenuRenderer&) = delete;

  // Skinned: menus built from now on are drawn by the program (owner-drawn items);
  // otherwise by the system, with only the images drawn here.
  void SetSkinned(bool skinned) { skinned_ = skinned; }
  bool Skinned() const { return skinned_; }

  // Draws images from this strip (copied) rather than loading each menu's Images.
  void UseImageStrip(HBITMAP strip);

  // The menu as the model stands now: hidden items left out, separators, radio checks,
  // column breaks, grayed items, submenus, images. OnPopup is not called.
  BuiltMenu Build(const TPopupMenu& menu);

  // OnPopup, then the menu at `screenPoint` until the user chooses or dismisses it; the
  // chosen item's Click runs before this returns. Returns the chosen item, or nullptr.
  TMenuItem* Popup(TPopupMenu& menu, POINT screenPoint);

  // The hidden window that owns the popped-up menus (it is brought to the foreground so
  // that clicking elsewhere dismisses them).
  HWND OwnerWindow() const { return owner_.get(); }

 private:
  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  void AppendItems(HMENU target, const TMenuItem& parent, BuiltMenu& built);
  void PrepareImages(const Picture& images);
  bool MeasureImage(MEASUREITEMSTRUCT& measure) const;
  bool DrawImage(const DRAWITEMSTRUCT& draw) const;
  bool MeasureSkinned(MEASUREITEMSTRUCT& measure) const;
  bool DrawSkinned(const DRAWITEMSTRUCT& draw) const;

  UniqueWindow owner_;
  UniqueImageList images_;
  Picture imagesSource_;
  bool fixedStrip_ = false;
  bool skinned_ = false;
  // Whether the menu up now was built skinned: its owner-draw messages are answered so.
  bool builtSkinned_ = false;
  SkinnedMenuPainter painter_;
};

// The text Windows shows for a caption: '&' marks the accelerator when automatic hotkeys
// are on, and is shown as itself ("&&") when they are off.
std::wstring MenuText(const TMenuItem& item);

}  // namespace corvane::ui::win32
