#pragma once
// The folder chooser through SHBrowseForFolderW and the recording format chooser through
// acmFormatChooseA.

#include "platform/choosers.h"

namespace corvane::platform {

class Win32Choosers final : public Choosers {
 public:
  // Each is owned by this thread's active window, as the message boxes are.
  std::optional<std::wstring> ChooseFolder(const FolderRequest& request) override;
  std::optional<AudioFormatChoice> ChooseAudioFormat(std::span<const uint8_t> current, size_t maxSize) override;
};

}  // namespace corvane::platform
