#include "ui/win32/menu_renderer_win32.h"

#include <functional>
#include <stdexcept>
#include <system_error>

#include "ui/win32/picture_loader.h"

namespace corvane::ui::win32 {

namespace {

constexpr wchar_t kOwnerClass[] = L"CorvaneMenuOwner";
constexpr int kImageSize = 16;
constexpr COLORREF kTransparentColour = RGB(255, 0, 255);

void RegisterOwnerClass(WNDPROC proc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kOwnerClass;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "RegisterClassExW");
}

// A choice made while the menu was up may have come from an item that a timer's handler
// removed meanwhile: only an item still in the tree is clicked.
bool StillInTree(const TMenuItem& root, const TMenuItem* item) {
  for (size_t i = 0; i < root.Count(); ++i)
    if (&root[i] == item || StillInTree(root[i], item)) return true;
  return false;
}

// Images share the check-mark column: otherwise they get a column of their own, which
// Wine leaves out of the width of the items without an image, cutting their text short.
UniqueMenu NewPopupMenu() {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreatePopupMenu");
  MENUINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = MIM_STYLE;
  info.dwStyle = MNS_CHECKORBMP;
  SetMenuInfo(menu.get(), &info);
  return menu;
}

}  // namespace

TMenuItem* BuiltMenu::ItemOf(UINT commandId) const {
  if (commandId == 0 || commandId > commands.size()) return nullptr;
  return commands[commandId - 1];
}

std::wstring MenuText(const TMenuItem& item) {
  if (item.AutoHotkeys) return item.Caption;
  std::wstring text;
  for (wchar_t c : item.Caption) {
    text.push_back(c);
    if (c == L'&') text.push_back(L'&');
  }
  return text;
}

Win32MenuRenderer::Win32MenuRenderer() {
  EnsureCommonControls();
  RegisterOwnerClass(OwnerProc);
  owner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this));
  if (!owner_) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
}

Win32MenuRenderer::~Win32MenuRenderer() = default;

void Win32MenuRenderer::UseImageStrip(HBITMAP strip) {
  images_.reset();
  fixedStrip_ = true;
  if (!strip) return;
  // ImageList_AddMasked blackens the transparent pixels of what it is given: give it a copy.
  UniqueBitmap copy(static_cast<HBITMAP>(CopyImage(strip, IMAGE_BITMAP, 0, 0, 0)));
  BITMAP info{};
  if (!copy || !GetObjectW(copy.get(), sizeof(info), &info)) return;
  images_.reset(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, info.bmWidth / kImageSize, 0));
  if (images_) ImageList_AddMasked(images_.get(), copy.get(), kTransparentColour);
}

void Win32MenuRenderer::PrepareImages(const Picture& images) {
  if (fixedStrip_) return;
  if (images_ && images.module == imagesSource_.module && images.resource == imagesSource_.resource) return;
  imagesSource_ = images;
  UniqueBitmap strip = LoadPictureBitmap(images);
  UseImageStrip(strip.get());
  fixedStrip_ = false;
}

BuiltMenu Win32MenuRenderer::Build(const TPopupMenu& menu) {
  PrepareImages(menu.Images);
  builtSkinned_ = skinned_;
  BuiltMenu built;
  built.menu = NewPopupMenu();
  AppendItems(built.menu.get(), menu.Items, built);
  return built;
}

void Win32MenuRenderer::AppendItems(HMENU target, const TMenuItem& parent, BuiltMenu& built) {
  for (size_t i = 0; i < parent.Count(); ++i) {
    TMenuItem& item = parent[i];
    if (!item.Visible) continue;

    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    info.fType = (item.BarBreak ? MFT_MENUBARBREAK : 0) | (skinned_ ? MFT_OWNERDRAW : 0);
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    std::wstring text;
    UniqueMenu submenu;  // owned by `target` once inserted
    if (item.IsSeparator()) {
      info.fType |= MFT_SEPARATOR;
    } else {
      if (item.RadioItem) info.fType |= MFT_RADIOCHECK;
      info.fState = (item.Checked ? MFS_CHECKED : 0) | (item.Enabled ? 0 : MFS_GRAYED);
      built.commands.push_back(&item);
      info.fMask |= MIIM_ID | MIIM_STRING;
      info.wID = static_cast<UINT>(built.commands.size());
      text = MenuText(item);
      info.dwTypeData = text.data();
      // Skinned items draw their images themselves.
      if (!skinned_ && item.ImageIndex >= 0 && images_ && item.ImageIndex < ImageList_GetImageCount(images_.get())) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
      }
      if (item.Count() > 0) {
        submenu = NewPopupMenu();
        AppendItems(submenu.get(), item, built);
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = submenu.get();
      }
    }
    if (InsertMenuItemW(target, static_cast<UINT>(GetMenuItemCount(target)), TRUE, &info)) submenu.release();
  }
}

TMenuItem* Win32MenuRenderer::Popup(TPopupMenu& menu, POINT screenPoint) {
  if (menu.OnPopup) menu.OnPopup();
  BuiltMenu built = Build(menu);
  // Without the foreground, a click elsewhere would not close the menu.
  SetForegroundWindow(owner_.get());
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(built.menu.get(), TPM_RETURNCMD | TPM_LEFTBUTTON | TPM_RIGHTBUTTON,
                                                       screenPoint.x, screenPoint.y, 0, owner_.get(), nullptr));
  // Lets the foreground switch that the menu started complete.
  PostMessageW(owner_.get(), WM_NULL, 0, 0);
  TMenuItem* item = built.ItemOf(chosen);
  if (!item || !StillInTree(menu.Items, item)) return nullptr;
  item->Click();
  return item;
}

bool Win32MenuRenderer::MeasureSkinned(MEASUREITEMSTRUCT& measure) const {
  const auto* item = reinterpret_cast<const TMenuItem*>(measure.itemData);
  if (measure.CtlType != ODT_MENU || !item) return false;
  painter_.Measure(*item, owner_.get(), measure);
  return true;
}

bool Win32MenuRenderer::DrawSkinned(const DRAWITEMSTRUCT& draw) const {
  const auto* item = reinterpret_cast<const TMenuItem*>(draw.itemData);
  if (draw.CtlType != ODT_MENU || !item) return false;
  painter_.Draw(*item, images_.get(), draw);
  return true;
}

bool Win32MenuRenderer::MeasureImage(MEASUREITEMSTRUCT& measure) const {
  if (measure.CtlType != ODT_MENU) return false;
  measure.itemWidth = kImageSize;
  measure.itemHeight = kImageSize;
  return true;
}

bool Win32MenuRenderer::DrawImage(const DRAWITEMSTRUCT& draw) const {
  if (draw.CtlType != ODT_MENU || !images_) return false;
  const auto* item = reinterpret_cast<const TMenuItem*>(draw.itemData);
  if (!item) return false;
  const int top = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - kImageSize) / 2;
  const UINT style = (draw.itemState & ODS_GRAYED) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT;
  ImageList_Draw(images_.get(), item->ImageIndex, draw.hDC, draw.rcItem.left, top, style);
  return true;
}

LRESULT CALLBACK Win32MenuRenderer::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Win32MenuRenderer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    if (message == WM_MEASUREITEM) {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (self->builtSkinned_ ? self->MeasureSkinned(measure) : self->MeasureImage(measure)) return TRUE;
    }
    if (message == WM_DRAWITEM) {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (self->builtSkinned_ ? self->DrawSkinned(draw) : self->DrawImage(draw)) return TRUE;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace corvane::ui::win32
