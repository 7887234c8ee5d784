#pragma once
// A file in memory, for tests: what was last written, and writes that fail on demand.

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

}  // namespace corvane::platform
