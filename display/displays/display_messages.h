#pragma once
// The message boxes of the display features.

#include <string>

#include "platform/user_interaction.h"

namespace corvane::display {

inline void ShowDisplayError(platform::UserInteraction& user, const std::wstring& text,
                             const std::wstring& caption = L"错误") {
  platform::MessageBoxRequest request;
  request.caption = caption;
  request.text = text;
  request.icon = platform::MessageIcon::Error;
  user.ShowMessage(request);
}

// What the display commands answer on a driver without the display functions.
inline void ShowDisplayUnsupported(platform::UserInteraction& user) {
  ShowDisplayError(user, L"此设备未被支持.", L"信息");
}

inline bool ConfirmDisplayQuestion(platform::UserInteraction& user, const std::wstring& text,
                                   const std::wstring& caption, platform::MessageIcon icon, int defaultButton) {
  return platform::AskOkCancel(user, caption, text, icon, defaultButton);
}

}  // namespace corvane::display
