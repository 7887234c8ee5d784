#pragma once
// The update download, simulated: a test sets the description the server would give, and
// a successful run puts it as "update.ini" into the temporary folder of its INI files.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/program_update.h"
#include "platform/sim/ini_file_sim.h"

namespace corvane::platform {

class SimProgramUpdate final : public ProgramUpdate {
 public:
  explicit SimProgramUpdate(SimIniFiles& files) : files_(files) {}

  struct Run {
    std::wstring library, server, fileUrl;
  };

  bool RunUpdate(const std::wstring& library, const std::wstring& server, const std::wstring& fileUrl) override {
    runs.push_back({library, server, fileUrl});
    if (!description) return false;
    files_.SetText(TempFolder() + L"update.ini", *description);
    present_ = true;
    return true;
  }
  std::wstring TempFolder() override { return L"C:\\Temp\\"; }
  std::optional<FileVersion> VersionOf(const std::wstring& path) override {
    const auto found = versions.find(path);
    if (found == versions.end()) return std::nullopt;
    return found->second;
  }
  bool RemoveFile(const std::wstring& path) override {
    removed.push_back(path);
    if (path != TempFolder() + L"update.ini" || !present_) return false;
    files_.SetText(path, L"");
    present_ = false;
    return true;
  }
  // Whether the downloaded description is still in the temporary folder.
  bool DescriptionPresent() const { return present_; }

  // The description the server gives; nothing: the download fails.
  std::optional<std::wstring> description;
  std::map<std::wstring, FileVersion> versions;  // by exact path
  std::vector<Run> runs;
  std::vector<std::wstring> removed;

 private:
  SimIniFiles& files_;
  bool present_ = false;
};

}  // namespace corvane::platform
