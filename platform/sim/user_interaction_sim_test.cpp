#include "platform/sim/user_interaction_sim.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace corvane::platform {
namespace {

MessageBoxRequest Box(MessageButtons buttons, int defaultButton = 0) {
  return {L"Corvane", L"Apply the new clocks?", MessageIcon::Question, buttons, defaultButton};
}

TEST(SimUserInteraction, ScriptedAnswersFirstThenTheDefaultButtonAndEveryBoxRecorded) {
  SimUserInteraction user;
  user.Answer(MessageAnswer::No);
  EXPECT_EQ(user.ShowMessage(Box(MessageButtons::YesNo)), MessageAnswer::No);
  EXPECT_EQ(user.ShowMessage(Box(MessageButtons::YesNoCancel, 1)), MessageAnswer::No);
  EXPECT_EQ(user.ShowMessage(Box(MessageButtons::AbortRetryIgnore, 2)), MessageAnswer::Ignore);
  EXPECT_EQ(user.ShowMessage(Box(MessageButtons::RetryCancel, 0)), MessageAnswer::Retry);
  EXPECT_EQ(user.ShowMessage(Box(MessageButtons::OkCancel, 2)), MessageAnswer::Ok) << "out of range: the first";

  ASSERT_EQ(user.History().size(), 5u);
  const auto& second = user.History()[1];
  EXPECT_EQ(second.request.caption, L"Corvane");
  EXPECT_EQ(second.request.text, L"Apply the new clocks?");
  EXPECT_EQ(second.request.icon, MessageIcon::Question);
  EXPECT_EQ(second.request.buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(second.request.defaultButton, 1);
  EXPECT_EQ(second.answer, MessageAnswer::No);

  user.Answer(MessageAnswer::Cancel);  // a YesNo box has no Cancel: the script is wrong
  EXPECT_THROW(user.ShowMessage(Box(MessageButtons::YesNo)), std::logic_error);
}

TEST(SimUserInteraction, FileChoosersTakeTheScriptThenCancel) {
  SimUserInteraction user;
  user.ChooseFile(L"C:\\Games\\game.exe");
  user.ChooseFile(std::nullopt);
  const auto request = [](const wchar_t* filter) {
    OpenFileRequest made;
    made.filter = filter;
    return made;
  };
  EXPECT_EQ(user.ChooseOpenFile(request(L"可执行文件 (*.exe)|*.exe")), L"C:\\Games\\game.exe");
  EXPECT_EQ(user.ChooseSaveFile(request(L"Wave Files (*.wav)|*.wav")), std::nullopt);
  EXPECT_EQ(user.ChooseSaveFile(request(L"Wave Files (*.wav)|*.wav")), std::nullopt) << "script used up: cancelled";
  ASSERT_EQ(user.FileChoices().size(), 3u);
  EXPECT_EQ(user.FileChoices()[1].request.filter, L"Wave Files (*.wav)|*.wav");
  EXPECT_TRUE(user.History().empty());
}

}  // namespace
}  // namespace corvane::platform
