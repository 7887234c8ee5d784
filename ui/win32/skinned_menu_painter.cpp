#include "ui/win32/skinned_menu_painter.h"

#include <algorithm>
#include <string>

#include "ui/win32/menu_renderer_win32.h"

namespace corvane::ui::win32 {
namespace {

constexpr int kImageSize = 16;
constexpr int kGutterWidth = 28;      // the image and check column
constexpr int kTextGap = 8;           // between the gutter and the text
constexpr int kArrowRoom = 24;        // right of the text: the submenu arrow
constexpr int kMinItemHeight = 22;
constexpr int kSeparatorHeight = 7;

constexpr COLORREF kBackground = RGB(252, 252, 252);
constexpr COLORREF kGutter = RGB(238, 240, 243);
constexpr COLORREF kSelectedFill = RGB(214, 229, 247);
constexpr COLORREF kSelectedFrame = RGB(122, 160, 214);
constexpr COLORREF kText = RGB(28, 28, 28);
constexpr COLORREF kGrayedText = RGB(150, 150, 150);
constexpr COLORREF kSeparator = RGB(214, 216, 220);
constexpr COLORREF kMark = RGB(40, 70, 120);

void Fill(HDC dc, RECT rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

void Frame(HDC dc, RECT rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FrameRect(dc, &rect, brush.get());
}

// A tick for a check item, a dot for a radio item, centred in `cell`.
void DrawMark(HDC dc, RECT cell, bool radio, COLORREF colour) {
  const int cx = (cell.left + cell.right) / 2;
  const int cy = (cell.top + cell.bottom) / 2;
  UniquePen pen(CreatePen(PS_SOLID, 2, colour));
  UniqueBrush brush(CreateSolidBrush(colour));
  HGDIOBJ oldPen = SelectObject(dc, pen.get());
  HGDIOBJ oldBrush = SelectObject(dc, brush.get());
  if (radio) {
    Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
  } else {
    const POINT tick[] = {{cx - 4, cy}, {cx - 1, cy + 3}, {cx + 4, cy - 3}};
    Polyline(dc, tick, 3);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

}  // namespace

SkinnedMenuPainter::SkinnedMenuPainter() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    font_.reset(CreateFontIndirectW(&metrics.lfMenuFont));
}

void SkinnedMenuPainter::Measure(const TMenuItem& item, HWND window, MEASUREITEMSTRUCT& measure) const {
  if (item.IsSeparator()) {
    measure.itemWidth = kGutterWidth;
    measure.itemHeight = kSeparatorHeight;
    return;
  }
  const std::wstring text = MenuText(item);
  RECT bounds{0, 0, 0, 0};
  HDC dc = GetDC(window);
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_.get()) : nullptr;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_SINGLELINE | DT_CALCRECT);
  if (oldFont) SelectObject(dc, oldFont);
  ReleaseDC(window, dc);
  measure.itemWidth = static_cast<UINT>(kGutterWidth + kTextGap + (bounds.right - bounds.left) + kArrowRoom);
  measure.itemHeight = static_cast<UINT>(std::max<LONG>(kMinItemHeight, bounds.bottom - bounds.top + 8));
}

void SkinnedMenuPainter::Draw(const TMenuItem& item, HIMAGELIST images, const DRAWITEMSTRUCT& draw) const {
  HDC dc = draw.hDC;
  const RECT whole = draw.rcItem;
  RECT gutter = whole;
  gutter.right = whole.left + kGutterWidth;
  Fill(dc, whole, kBackground);
  Fill(dc, gutter, kGutter);

  if (item.IsSeparator()) {
    RECT line{gutter.right + 4, (whole.top + whole.bottom) / 2, whole.right - 4, (whole.top + whole.bottom) / 2 + 1};
    Fill(dc, line, kSeparator);
    return;
  }

  const bool grayed = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const bool selected = (draw.itemState & ODS_SELECTED) != 0 && !grayed;
  if (selected) {
    RECT highlight{whole.left + 2, whole.top + 1, whole.right - 2, whole.bottom - 1};
    Fill(dc, highlight, kSelectedFill);
    Frame(dc, highlight, kSelectedFrame);
  }

  const int cellTop = whole.top + (whole.bottom - whole.top - kImageSize) / 2;
  RECT cell{gutter.left + (kGutterWidth - kImageSize) / 2 - 2, cellTop - 2,
            gutter.left + (kGutterWidth + kImageSize) / 2 + 2, cellTop + kImageSize + 2};
  const bool hasImage = images && item.ImageIndex >= 0 && item.ImageIndex < ImageList_GetImageCount(images);
  if (item.Checked) {
    Fill(dc, cell, kSelectedFill);
    Frame(dc, cell, kSelectedFrame);
  }
  if (hasImage) {
    ImageList_Draw(images, item.ImageIndex, dc, cell.left + 2, cell.top + 2,
                   grayed ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT);
  } else if (item.Checked) {
    DrawMark(dc, cell, item.RadioItem, grayed ? kGrayedText : kMark);
  }

  const std::wstring text = MenuText(item);
  RECT textRect{gutter.right + kTextGap, whole.top, whole.right - kArrowRoom, whole.bottom};
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_.get()) : nullptr;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, grayed ? kGrayedText : kText);
  const UINT prefix = (draw.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | prefix);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
  if (oldFont) SelectObject(dc, oldFont);
}

}  // namespace corvane::ui::win32
