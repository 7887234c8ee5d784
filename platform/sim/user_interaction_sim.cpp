#include "platform/sim/user_interaction_sim.h"

#include <algorithm>
#include <stdexcept>

namespace corvane::platform {
namespace {

// The buttons of each set, left to right.
std::vector<MessageAnswer> ButtonsOf(MessageButtons buttons) {
  using A = MessageAnswer;
  switch (buttons) {
    case MessageButtons::Ok: return {A::Ok};
    case MessageButtons::OkCancel: return {A::Ok, A::Cancel};
    case MessageButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
    case MessageButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case MessageButtons::YesNo: return {A::Yes, A::No};
    case MessageButtons::RetryCancel: return {A::Retry, A::Cancel};
  }
  throw std::logic_error("unknown MessageButtons");
}

}  // namespace

void SimUserInteraction::Answer(MessageAnswer answer) { script_.push_back(answer); }

MessageAnswer SimUserInteraction::ShowMessage(const MessageBoxRequest& request) {
  const std::vector<MessageAnswer> buttons = ButtonsOf(request.buttons);
  MessageAnswer answer;
  if (!script_.empty()) {
    answer = script_.front();
    script_.pop_front();
    if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end())
      throw std::logic_error("scripted answer is not a button of this message box");
  } else {
    const bool inRange = request.defaultButton >= 0 && static_cast<size_t>(request.defaultButton) < buttons.size();
    answer = buttons[inRange ? request.defaultButton : 0];
  }
  shown_.push_back({request, answer});
  return answer;
}

void SimUserInteraction::ChooseFile(std::optional<std::wstring> path) { fileScript_.push_back(std::move(path)); }

std::optional<std::wstring> SimUserInteraction::ChooseOpenFile(const OpenFileRequest& request) {
  std::optional<std::wstring> answer;
  if (!fileScript_.empty()) {
    answer = std::move(fileScript_.front());
    fileScript_.pop_front();
  }
  fileChoices_.push_back({request, answer});
  return answer;
}

std::optional<std::wstring> SimUserInteraction::ChooseSaveFile(const OpenFileRequest& request) {
  return ChooseOpenFile(request);
}

}  // namespace corvane::platform
