#pragma once
// "检测更新": asks the update server, through the support library, for the description of
// the newest release and offers to open its download when it is newer than this program.

#include <string>

#include "platform/ini_file.h"
#include "platform/program_update.h"
#include "platform/shell.h"
#include "platform/user_interaction.h"
#include "ui/form.h"

namespace corvane::options {

struct UpdateCheckContext {
  ui::FormContext forms;  // for the wait form
  platform::IniFiles& iniFiles;
  platform::ProgramUpdate& update;
  platform::UserInteraction& user;
  platform::Shell& shell;
  std::wstring programFolder;  // with a trailing '\': corvane.ini and support.dll lie there
  std::wstring programFile;
  // What this program counts as its version when its file carries none.
  platform::FileVersion builtInVersion{};
};

// The offer is newer when (major, minor, release, build) is greater, compared in that order:
// a higher build does not make up for a lower release.
bool IsNewer(const platform::FileVersion& offer, const platform::FileVersion& running);

void RunUpdateCheck(const UpdateCheckContext& context);

}  // namespace corvane::options
