#include "plugins/drivetherm/temperature_icons_win32.h"

#include <windows.h>

namespace corvane::drivetherm {
namespace {

constexpr int kSize = 16;
constexpr int kTextArea = 15;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class OwnedIcon final : public platform::IconImage {
 public:
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  ~OwnedIcon() override { DestroyIcon(icon_); }
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  uintptr_t Handle() const override { return reinterpret_cast<uintptr_t>(icon_); }

 private:
  HICON icon_;
};

// Deletes the GDI object when it goes out of scope.
struct GdiObject {
  HGDIOBJ object;
  ~GdiObject() {
    if (object) DeleteObject(object);
  }
};

struct MemoryDc {
  HDC dc;
  ~MemoryDc() {
    if (dc) DeleteDC(dc);
  }
};

}  // namespace

std::unique_ptr<platform::IconImage> GdiTemperatureIcons::Draw(const std::wstring& text) {
  HDC screen = GetDC(nullptr);
  if (!screen) return nullptr;
  GdiObject colour{CreateCompatibleBitmap(screen, kSize, kSize)};
  ReleaseDC(nullptr, screen);
  // Every pixel of the mask is 0: the icon is opaque.
  GdiObject mask{CreateBitmap(kSize, kSize, 1, 1, nullptr)};
  MemoryDc dc{CreateCompatibleDC(nullptr)};
  if (!colour.object || !mask.object || !dc.dc) return nullptr;

  HGDIOBJ oldBitmap = SelectObject(dc.dc, mask.object);
  PatBlt(dc.dc, 0, 0, kSize, kSize, BLACKNESS);
  SelectObject(dc.dc, colour.object);
  RECT square{0, 0, kSize, kSize};
  HBRUSH white = CreateSolidBrush(kWhite);
  FillRect(dc.dc, &square, white);
  DeleteObject(white);

  GdiObject font{CreateFontW(14, 5, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma")};
  HGDIOBJ oldFont = SelectObject(dc.dc, font.object);
  SetTextColor(dc.dc, kRed);
  SetBkMode(dc.dc, TRANSPARENT);
  SIZE extent{};
  GetTextExtentPoint32W(dc.dc, text.c_str(), static_cast<int>(text.size()), &extent);
  // Half the free space plus one in each direction, inside the 15 x 15 square.
  const int left = (kTextArea - extent.cx) / 2 + 1;
  const int top = (kTextArea - extent.cy) / 2 + 1;
  RECT clip{0, 0, kTextArea, kTextArea};
  ExtTextOutW(dc.dc, left, top, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
  SelectObject(dc.dc, oldFont);
  SelectObject(dc.dc, oldBitmap);

  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = static_cast<HBITMAP>(mask.object);
  info.hbmColor = static_cast<HBITMAP>(colour.object);
  HICON icon = CreateIconIndirect(&info);
  if (!icon) return nullptr;
  return std::make_unique<OwnedIcon>(icon);
}

}  // namespace corvane::drivetherm
