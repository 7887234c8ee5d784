#pragma once
// The desktop's icon view: the list view that the shell's "Progman" window holds in
// another process. Items are found by text and moved in list-view coordinates.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvane::platform {

struct IconPosition {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const IconPosition&) const = default;
};

// List-view window style bit that keeps the icons arranged (LVS_AUTOARRANGE).
inline constexpr uint32_t kDesktopAutoArrangeStyle = 0x100;

// One session with the desktop's list view; what it holds in the other process (the
// process handle, the exchange block) is released when it is destroyed.
class DesktopIconView {
 public:
  virtual ~DesktopIconView() = default;
  virtual int ItemCount() = 0;
  // The item's text as the view holds it (ANSI, read back as wide); nothing for a bad index.
  virtual std::optional<std::wstring> ItemText(int index) = 0;
  virtual std::optional<IconPosition> ItemPosition(int index) = 0;
  // Index of the first item whose whole text is `text`; the view compares without case.
  // Nothing when there is none.
  virtual std::optional<int> FindItem(const std::wstring& text) = 0;
  // Positions beyond what 16 bits hold wrap, as the packed message parameter does.
  virtual bool SetItemPosition(int index, IconPosition position) = 0;
  virtual uint32_t Style() = 0;
  virtual void SetStyle(uint32_t style) = 0;
};

class DesktopIcons {
 public:
  virtual ~DesktopIcons() = default;
  // Null when the view, its process or the exchange block is not available.
  virtual std::unique_ptr<DesktopIconView> Open() = 0;
};

}  // namespace corvane::platform
