#pragma once
// The first-version NOTIFYICONDATAA as the shell reads it: 88 bytes with a 64-byte tip.

#include <windows.h>

#include <string>

#include "platform/notify_icon.h"

namespace corvane::platform {

struct NotifyIconRecordV1 {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[64];
};
static_assert(sizeof(NotifyIconRecordV1) == 88, "the shell takes this size as the first version");

// Zero-filled, the size set, the tip in the ANSI code page cut to 63 bytes and terminated.
NotifyIconRecordV1 MakeNotifyIconRecord(const NotifyIconData& data);

}  // namespace corvane::platform
