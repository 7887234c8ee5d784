#pragma once
// Message boxes through MessageBoxW, the file choosers through GetOpenFileNameW and
// GetSaveFileNameW.

#include "platform/user_interaction.h"

namespace corvane::platform {

class Win32UserInteraction final : public UserInteraction {
 public:
  // Owned by this thread's active window when there is one; otherwise task-modal and
  // brought to the front, as a tray program has no window of its own to sit on.
  // A default button out of range is the first one (Wine would mark none). If the box
  // cannot be shown at all, the answer is Cancel.
  MessageAnswer ShowMessage(const MessageBoxRequest& request) override;
  // Owned by this thread's active window, like the message boxes; the process's current
  // folder stays where it was.
  std::optional<std::wstring> ChooseOpenFile(const OpenFileRequest& request) override;
  // The same; a file that exists is replaced only after the chooser asked.
  std::optional<std::wstring> ChooseSaveFile(const OpenFileRequest& request) override;
};

}  // namespace corvane::platform
