#include "platform/win32/user_interaction_win32.h"

#include <windows.h>

namespace corvane::platform {
namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return 0;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Question: return MB_ICONQUESTION;
  }
  return 0;
}

struct ButtonSet {
  UINT style;
  int count;
};

ButtonSet Buttons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return {MB_OK, 1};
    case MessageButtons::OkCancel: return {MB_OKCANCEL, 2};
    case MessageButtons::AbortRetryIgnore: return {MB_ABORTRETRYIGNORE, 3};
    case MessageButtons::YesNoCancel: return {MB_YESNOCANCEL, 3};
    case MessageButtons::YesNo: return {MB_YESNO, 2};
    case MessageButtons::RetryCancel: return {MB_RETRYCANCEL, 2};
  }
  return {MB_OK, 1};
}

UINT DefaultButtonStyle(int index, int count) {
  constexpr UINT kStyles[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
  return index >= 0 && index < count ? kStyles[index] : MB_DEFBUTTON1;
}

}  // namespace

MessageAnswer Win32UserInteraction::ShowMessage(const MessageBoxRequest& request) {
  const ButtonSet buttons = Buttons(request.buttons);
  UINT style = buttons.style | IconStyle(request.icon) | DefaultButtonStyle(request.defaultButton, buttons.count);
  HWND owner = GetActiveWindow();
  if (!owner) style |= MB_TASKMODAL | MB_SETFOREGROUND;

  const int result = MessageBoxW(owner, request.text.c_str(), request.caption.c_str(), style);
  switch (result) {
    case IDOK:
    case IDCANCEL:
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case IDYES:
    case IDNO:
      return static_cast<MessageAnswer>(result);
    default:  // 0 when the box could not be shown
      return MessageAnswer::Cancel;
  }
}

}  // namespace corvane::platform
