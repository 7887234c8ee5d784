#include "ui/win32/led_painter.h"

#include <algorithm>

#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {
namespace {

COLORREF Scaled(COLORREF color, int numerator, int denominator) {
  const auto channel = [&](int value) { return static_cast<BYTE>(std::min(255, value * numerator / denominator)); };
  return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}

// Selects an object into a DC for as long as it lives.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace

void PaintLed(const DRAWITEMSTRUCT& item, const TComponent& led, HBRUSH background) {
  const HDC dc = item.hDC;
  const RECT bounds = item.rcItem;
  FillRect(dc, &bounds, background ? background : GetSysColorBrush(COLOR_BTNFACE));

  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int size = std::max(4, std::min(width, height) - 2);
  const int left = bounds.left + (width - size) / 2;
  const int top = bounds.top + (height - size) / 2;

  const COLORREF on = static_cast<COLORREF>(led.Declared().color);
  COLORREF fill = led.Checked() ? on : Scaled(on, 1, 4);
  if (!led.Enabled() && !led.Checked()) fill = Scaled(on, 1, 6);

  const UniqueBrush brush(CreateSolidBrush(fill));
  const UniquePen pen(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
  {
    const Selected withBrush(dc, brush.get());
    const Selected withPen(dc, pen.get());
    Ellipse(dc, left, top, left + size, top + size);
  }
  if (!led.Checked()) return;
  // A glint in the upper left, as light on a lens.
  const UniqueBrush glint(CreateSolidBrush(Scaled(on, 3, 2) | RGB(96, 96, 96)));
  const Selected withGlint(dc, glint.get());
  const Selected noPen(dc, GetStockObject(NULL_PEN));
  const int glintSize = std::max(2, size / 3);
  Ellipse(dc, left + size / 5, top + size / 5, left + size / 5 + glintSize, top + size / 5 + glintSize);
}

}  // namespace corvane::ui::win32
