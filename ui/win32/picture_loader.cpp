#include "ui/win32/picture_loader.h"

namespace corvane::ui::win32 {

namespace {

// The executable's resources, or the library's loaded as data only: its code never runs.
struct ResourceModule {
  HMODULE handle = nullptr;
  UniqueModule owned;
};

ResourceModule OpenResources(const Picture& picture) {
  if (picture.module.empty()) return {GetModuleHandleW(nullptr), nullptr};
  HMODULE library = LoadLibraryExW(picture.module.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return {library, UniqueModule(library)};
}

// String names would not outlive the enumeration; the program's icons are numbered.
BOOL CALLBACK TakeFirstNumberedName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
  if (!IS_INTRESOURCE(name)) return TRUE;
  *reinterpret_cast<LPCWSTR*>(out) = name;
  return FALSE;
}

}  // namespace

UniqueIcon LoadPictureIcon(const Picture& picture, int size) {
  if (picture.type != Picture::Type::Icon) return nullptr;
  ResourceModule module = OpenResources(picture);
  if (!module.handle) return nullptr;
  HICON icon = nullptr;
  LPCWSTR name = picture.resource.empty() ? nullptr : picture.resource.c_str();
  if (!name) {
    LPCWSTR first = nullptr;
    EnumResourceNamesW(module.handle, RT_GROUP_ICON, TakeFirstNumberedName, reinterpret_cast<LONG_PTR>(&first));
    name = first;
  }
  if (name)
    icon = static_cast<HICON>(LoadImageW(module.handle, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (!icon && picture.module.empty())
    icon = static_cast<HICON>(CopyImage(LoadIconW(nullptr, IDI_APPLICATION), IMAGE_ICON, size, size, 0));
  return UniqueIcon(icon);
}

// A top-down 24-bit DIB of the program's own pixels (a 32-bit one a static control of
// common controls 6 would copy and keep).
UniqueBitmap PixelBitmap(const PixelImage& image) {
  if (image.Width() <= 0 || image.Height() <= 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.Width();
  info.bmiHeader.biHeight = -image.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  const size_t stride = (static_cast<size_t>(image.Width()) * 3 + 3) & ~size_t{3};
  for (int y = 0; y < image.Height(); ++y) {
    BYTE* row = static_cast<BYTE*>(bits) + stride * static_cast<size_t>(y);
    for (int x = 0; x < image.Width(); ++x) {
      const uint32_t colour = image.At(x, y);  // COLORREF 0x00BBGGRR; the DIB stores blue first
      row[3 * x] = static_cast<BYTE>(colour >> 16);
      row[3 * x + 1] = static_cast<BYTE>(colour >> 8);
      row[3 * x + 2] = static_cast<BYTE>(colour);
    }
  }
  return UniqueBitmap(bitmap);
}

UniqueBitmap LoadPictureBitmap(const Picture& picture) {
  if (picture.type == Picture::Type::Pixels) return picture.pixels ? PixelBitmap(*picture.pixels) : nullptr;
  if (picture.type != Picture::Type::Bitmap || picture.resource.empty()) return nullptr;
  ResourceModule module = OpenResources(picture);
  if (!module.handle) return nullptr;
  // A copy that does not depend on the module staying loaded.
  return UniqueBitmap(static_cast<HBITMAP>(
      LoadImageW(module.handle, picture.resource.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueImageList LoadPictureStrip(const Picture& picture, int size) {
  UniqueBitmap strip = LoadPictureBitmap(picture);
  BITMAP info{};
  if (!strip || !GetObjectW(strip.get(), sizeof(info), &info) || info.bmWidth < size) return nullptr;
  UniqueImageList images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, info.bmWidth / size, 0));
  // The copy loaded here is ours: ImageList_AddMasked may blacken its transparent pixels.
  if (images) ImageList_AddMasked(images.get(), strip.get(), RGB(255, 0, 255));
  return images;
}

void EnsureCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

}  // namespace corvane::ui::win32
