#pragma once
// The tray icon through Shell_NotifyIconA with the first-version 88-byte record, which
// every shell since Windows 95 takes, for every call including NIM_SETFOCUS. Wine takes
// the record for add, modify and delete, and answers NIM_SETFOCUS with FALSE.

#include "platform/notify_icon.h"

namespace corvane::platform {

class Win32NotifyIcon : public NotifyIcon {
 public:
  bool Add(const NotifyIconData& data) override;
  bool Modify(const NotifyIconData& data) override;
  bool Delete(WindowHandle window, uint32_t id) override;
  bool SetFocus(WindowHandle window, uint32_t id) override;
  std::unique_ptr<IconImage> ApplicationIcon() override;
  std::unique_ptr<IconImage> IconFromFile(const std::wstring& path) override;
  std::unique_ptr<IconImage> CopyIcon(const IconImage& icon) override;
};

}  // namespace corvane::platform
