#pragma once
// What the update check reaches outside the program: the support library's download of
// the update description, the temporary folder it lands in, and the program's version.

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::platform {

// A file version as its version resource holds it: two 32-bit parts, each two 16-bit words.
struct FileVersion {
  uint16_t major = 0;
  uint16_t minor = 0;
  uint16_t release = 0;
  uint16_t build = 0;
  bool operator==(const FileVersion&) const = default;
};

class ProgramUpdate {
 public:
  virtual ~ProgramUpdate() = default;
  // run_update(server, fileurl) of the support library at `library`, with ANSI strings.
  // True when it reports success (non-zero): the description "update.ini" is then in the
  // temporary folder. False also when the library or its entry is missing.
  virtual bool RunUpdate(const std::wstring& library, const std::wstring& server, const std::wstring& fileUrl) = 0;
  // The user's temporary folder, ending in '\'.
  virtual std::wstring TempFolder() = 0;
  // The version resource of a program; nothing when it has none.
  virtual std::optional<FileVersion> VersionOf(const std::wstring& path) = 0;
  // False when there was nothing to delete or it could not be deleted.
  virtual bool RemoveFile(const std::wstring& path) = 0;
};

}  // namespace corvane::platform
