#pragma once
// The choosers answered from a script, every request kept for the test to look at. With
// the script used up the user cancels.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/choosers.h"

namespace corvane::platform {

class SimChoosers final : public Choosers {
 public:
  void AnswerFolder(std::optional<std::wstring> folder) { folders_.push_back(std::move(folder)); }
  void AnswerAudioFormat(std::optional<AudioFormatChoice> choice) { formats_.push_back(std::move(choice)); }

  std::optional<std::wstring> ChooseFolder(const FolderRequest& request) override {
    folderRequests.push_back(request);
    return Next(folders_);
  }
  std::optional<AudioFormatChoice> ChooseAudioFormat(std::span<const uint8_t> current, size_t maxSize) override {
    formatStarts.emplace_back(current.begin(), current.end());
    std::optional<AudioFormatChoice> choice = Next(formats_);
    if (choice && choice->format.size() > maxSize) choice->format.resize(maxSize);
    return choice;
  }

  std::vector<FolderRequest> folderRequests;
  std::vector<std::vector<uint8_t>> formatStarts;  // what each format chooser started at

 private:
  template <class T>
  static std::optional<T> Next(std::deque<std::optional<T>>& script) {
    if (script.empty()) return std::nullopt;
    std::optional<T> answer = std::move(script.front());
    script.pop_front();
    return answer;
  }

  std::deque<std::optional<std::wstring>> folders_;
  std::deque<std::optional<AudioFormatChoice>> formats_;
};

}  // namespace corvane::platform
