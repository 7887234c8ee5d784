#pragma once
// Modal questions and notices to the user.

#include <string>

namespace corvane::platform {

enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
// The numbers are the ones MessageBox returns.
enum class MessageAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
  std::wstring caption;
  std::wstring text;
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;
  int defaultButton = 0;  // 0-based
};

class UserInteraction {
 public:
  virtual ~UserInteraction() = default;
  virtual MessageAnswer ShowMessage(const MessageBoxRequest& request) = 0;
};

}  // namespace corvane::platform
