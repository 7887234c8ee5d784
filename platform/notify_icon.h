#pragma once
// The one notification-area (tray) icon, registered with the first-version 88-byte record
// whose tip is 64 bytes of ANSI text.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/window_handle.h"

namespace corvane::platform {

// NOTIFYICONDATA uFlags bits.
namespace NotifyIconFlag {
inline constexpr uint32_t Message = 0x1;
inline constexpr uint32_t Icon = 0x2;
inline constexpr uint32_t Tip = 0x4;
inline constexpr uint32_t All = Message | Icon | Tip;
}  // namespace NotifyIconFlag

// An icon handle owned by whoever holds it; destroyed with it.
class IconImage {
 public:
  virtual ~IconImage() = default;
  // The HICON as a number, for the record and for window classes.
  virtual uintptr_t Handle() const = 0;
};

struct NotifyIconData {
  WindowHandle window = 0;
  uint32_t id = 0;
  uint32_t flags = 0;
  uint32_t callbackMessage = 0;  // with NotifyIconFlag::Message
  uintptr_t icon = 0;            // with NotifyIconFlag::Icon; an IconImage's Handle()
  // With NotifyIconFlag::Tip. Converted to the ANSI code page and cut to 63 bytes, never in
  // the middle of a double-byte character.
  std::wstring tip;
};

class NotifyIcon {
 public:
  virtual ~NotifyIcon() = default;
  // Shell_NotifyIcon results; the program ignores them, tests do not.
  virtual bool Add(const NotifyIconData& data) = 0;
  virtual bool Modify(const NotifyIconData& data) = 0;
  // Only the window and the id count.
  virtual bool Delete(WindowHandle window, uint32_t id) = 0;
  // Gives the keyboard focus back to the notification area after a menu closed.
  virtual bool SetFocus(WindowHandle window, uint32_t id) = 0;

  // A copy of this program's own icon (CopyIcon); null when there is none.
  virtual std::unique_ptr<IconImage> ApplicationIcon() = 0;
  // An icon file at the default icon size (LoadImage from file); null when it does not load.
  virtual std::unique_ptr<IconImage> IconFromFile(const std::wstring& path) = 0;
  // Another copy of an icon (CopyIcon); null when it fails.
  virtual std::unique_ptr<IconImage> CopyIcon(const IconImage& icon) = 0;
};

}  // namespace corvane::platform
