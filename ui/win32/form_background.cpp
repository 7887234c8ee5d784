#include "ui/win32/form_background.h"

#include <utility>

namespace corvane::ui::win32 {

void FormBackground::Invalidate() {
  brush_.reset();
  pattern_.reset();
}

bool FormBackground::Draw(HWND form, std::span<const HWND> pageControls) {
  RECT client{};
  GetClientRect(form, &client);
  if (client.right <= 0 || client.bottom <= 0) return false;
  const HDC formDc = GetDC(form);
  if (!formDc) return false;
  UniqueBitmap pattern(CreateCompatibleBitmap(formDc, client.right, client.bottom));
  const UniqueMemoryDc memoryDc(CreateCompatibleDC(formDc));
  ReleaseDC(form, formDc);
  if (!pattern || !memoryDc) return false;
  const HDC memory = memoryDc.get();
  const HGDIOBJ previous = SelectObject(memory, pattern.get());
  FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
  // A tab control without a theme draws only its tabs and edges: its inside stays the
  // dialog colour filled above. A themed one fills its pane.
  for (HWND pages : pageControls) {
    RECT bounds{};
    GetWindowRect(pages, &bounds);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&bounds), 2);
    POINT origin{};
    SetViewportOrgEx(memory, bounds.left, bounds.top, &origin);
    SendMessageW(pages, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    SetViewportOrgEx(memory, origin.x, origin.y, nullptr);
  }
  SelectObject(memory, previous);
  brush_.reset(CreatePatternBrush(pattern.get()));
  if (!brush_) return false;
  pattern_ = std::move(pattern);  // kept while the brush lives, which may draw from it
  return true;
}

HBRUSH FormBackground::BrushFor(HDC dc, POINT origin, HWND form, std::span<const HWND> pageControls) {
  if (drawing_) return nullptr;
  if (!brush_) {
    drawing_ = true;
    const bool drawn = Draw(form, pageControls);
    drawing_ = false;
    if (!drawn) return nullptr;
  }
  // The pattern's (0, 0) is the form's client corner. Brush origins are in device units,
  // and `dc` may be a control's own DC or a memory DC it paints into first.
  POINT formCorner{-origin.x, -origin.y};
  LPtoDP(dc, &formCorner, 1);
  SetBrushOrgEx(dc, formCorner.x, formCorner.y, nullptr);
  return brush_.get();
}

}  // namespace corvane::ui::win32
