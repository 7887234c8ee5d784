#pragma once
// Message boxes answered from a script, every box kept for the test to look at.

#include <deque>
#include <vector>

#include "platform/user_interaction.h"

namespace corvane::platform {

class SimUserInteraction final : public UserInteraction {
 public:
  struct Shown {
    MessageBoxRequest request;
    MessageAnswer answer;
  };

  // Queues the answer to the next box that has no answer yet. A scripted answer that is
  // not one of that box's buttons is a broken script: ShowMessage throws std::logic_error.
  void Answer(MessageAnswer answer);
  // With the script used up, a box gets its default button's answer, as when the user
  // presses Enter. An out-of-range default is the first button, as the Win32 adapter
  // makes it.
  MessageAnswer ShowMessage(const MessageBoxRequest& request) override;

  const std::vector<Shown>& History() const { return shown_; }
  size_t UnusedAnswers() const { return script_.size(); }

 private:
  std::deque<MessageAnswer> script_;
  std::vector<Shown> shown_;
};

}  // namespace corvane::platform
