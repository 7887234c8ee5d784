#pragma once
// A file in memory, for tests: what was last written, and writes that fail on demand.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/whole_file.h"

namespace corvane::platform {

class SimWholeFile final : public WholeFile {
 public:
  std::optional<std::string> Read(size_t maxBytes) override {
    if (!contents) return std::nullopt;
    return contents->substr(0, maxBytes);
  }
  bool Replace(std::string_view bytes) override {
    ++replaceCalls;
    if (failReplace) return false;
    contents = std::string(bytes);
    return true;
  }

  std::optional<std::string> contents;  // nothing: no file
  bool failReplace = false;
  int replaceCalls = 0;
};

// Files by path, each a SimWholeFile that stays for the test to look at; what a chooser's
// path opens.
class SimFiles {
 public:
  std::unique_ptr<WholeFile> Open(const std::wstring& path) { return std::make_unique<Opened>(files_[path]); }
  SimWholeFile& operator[](const std::wstring& path) { return files_[path]; }

 private:
  struct Opened final : WholeFile {
    explicit Opened(SimWholeFile& file) : file(file) {}
    std::optional<std::string> Read(size_t maxBytes) override { return file.Read(maxBytes); }
    bool Replace(std::string_view bytes) override { return file.Replace(bytes); }
    SimWholeFile& file;
  };
  std::map<std::wstring, SimWholeFile> files_;
};

}  // namespace corvane::platform
