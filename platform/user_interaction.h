#pragma once
// Modal questions and notices to the user, and the file choosers.

#include <optional>
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

// The "open file" chooser. `filter` pairs a description with patterns, every part
// separated by '|': "可执行文件 (*.exe)|*.exe" or "Wave Files (*.wav)|*.wav|All (*.*)|*.*".
struct OpenFileRequest {
  std::wstring filter;
  std::wstring title;          // empty: the system's own
  std::wstring initialFolder;  // empty: the system's choice
  std::wstring fileName;       // shown in the name field at first; empty: none
  std::wstring defaultExtension;  // without the dot: what "save as" adds to a bare name
};

class UserInteraction {
 public:
  virtual ~UserInteraction() = default;
  virtual MessageAnswer ShowMessage(const MessageBoxRequest& request) = 0;
  // The full path of an existing file the user picked; nothing when the user cancelled
  // or no chooser could be shown. A port without a chooser has the user cancel.
  virtual std::optional<std::wstring> ChooseOpenFile(const OpenFileRequest& request) {
    (void)request;
    return std::nullopt;
  }
  // The "save as" chooser: the full path the user named (asked first whether to replace a
  // file that exists); nothing when the user cancelled. A port without one has the user
  // cancel.
  virtual std::optional<std::wstring> ChooseSaveFile(const OpenFileRequest& request) {
    (void)request;
    return std::nullopt;
  }
};

// A question with OK and Cancel; true when the user chose OK.
inline bool AskOkCancel(UserInteraction& user, const std::wstring& caption, const std::wstring& text, MessageIcon icon,
                        int defaultButton = 0) {
  return user.ShowMessage({caption, text, icon, MessageButtons::OkCancel, defaultButton}) == MessageAnswer::Ok;
}

}  // namespace corvane::platform
