#pragma once
// "备份配置": every stored profile exported by regedit into a registry script that, when
// imported, first deletes the profiles there are then and puts back the saved ones.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include <optional>

#include "platform/choosers.h"
#include "platform/shell.h"
#include "platform/user_interaction.h"
#include "platform/whole_file.h"

namespace corvane::options {

struct ProfileBackupContext {
  platform::Shell& shell;
  platform::UserInteraction& user;
  std::function<std::unique_ptr<platform::WholeFile>(const std::wstring& path)> openFile;
};

// The profiles' key as regedit and registry scripts name it, without a trailing '\' (before
// a closing quote it would escape the quote).
std::wstring ProfilesKeyName();

// regedit's export of the profiles into `file`: `switches` "/ea" asks for the ANSI
// script, "/e" for the Unicode one (the only one some regedits write).
std::wstring BackupCommandLine(std::wstring_view switches, const std::wstring& file);

// The exported script with the line that deletes the profiles' key inserted after its
// header line, in the script's own encoding (ANSI, or UTF-16LE after its byte-order mark)
// and line ends. Nothing when the bytes are no script (empty, or without a header line).
std::optional<std::string> WithDeletingLine(std::string_view script);

// Asks for the file, exports, inserts the deleting line and says where it went.
void BackupProfiles(const ProfileBackupContext& context);

}  // namespace corvane::options
