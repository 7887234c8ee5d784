#pragma once
// Message boxes and file choosers answered from a script, every request kept for the
// test to look at.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/user_interaction.h"

namespace corvane::platform {

class SimUserInteraction final : public UserInteraction {
 public:
  struct Shown {
    MessageBoxRequest request;
    MessageAnswer answer;
  };
  struct FileChoice {
    OpenFileRequest request;
    std::optional<std::wstring> answer;
  };

  // Queues the answer to the next box that has no answer yet. A scripted answer that is
  // not one of that box's buttons is a broken script: ShowMessage throws std::logic_error.
  void Answer(MessageAnswer answer);
  // With the script used up, a box gets its default button's answer, as when the user
  // presses Enter. An out-of-range default is the first button, as the Win32 adapter
  // makes it.
  MessageAnswer ShowMessage(const MessageBoxRequest& request) override;

  // Queues what the next file chooser (open or save) gives: a path, or nothing for Cancel.
  // With the script used up the user cancels.
  void ChooseFile(std::optional<std::wstring> path);
  std::optional<std::wstring> ChooseOpenFile(const OpenFileRequest& request) override;
  std::optional<std::wstring> ChooseSaveFile(const OpenFileRequest& request) override;

  const std::vector<Shown>& History() const { return shown_; }
  const std::vector<FileChoice>& FileChoices() const { return fileChoices_; }
  size_t UnusedAnswers() const { return script_.size() + fileScript_.size(); }

 private:
  std::deque<MessageAnswer> script_;
  std::vector<Shown> shown_;
  std::deque<std::optional<std::wstring>> fileScript_;
  std::vector<FileChoice> fileChoices_;
};

}  // namespace corvane::platform
