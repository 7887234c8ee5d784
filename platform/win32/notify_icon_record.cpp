#include "platform/win32/notify_icon_record.h"

#include <cstring>

#include "platform/win32/ansi_text.h"

namespace corvane::platform {

NotifyIconRecordV1 MakeNotifyIconRecord(const NotifyIconData& data) {
  NotifyIconRecordV1 record{};
  record.cbSize = sizeof(record);
  record.hWnd = reinterpret_cast<HWND>(data.window);
  record.uID = data.id;
  record.uFlags = data.flags;
  record.uCallbackMessage = data.callbackMessage;
  record.hIcon = reinterpret_cast<HICON>(data.icon);
  const std::string tip = CutAnsi(ToAnsi(data.tip), sizeof(record.szTip) - 1);
  std::memcpy(record.szTip, tip.data(), tip.size());
  return record;
}

}  // namespace corvane::platform
