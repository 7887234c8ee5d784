#pragma once
// One small file read and replaced whole: where the simulated machine keeps its state
// between runs.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

class WholeFile {
 public:
  virtual ~WholeFile() = default;
  // Its first `maxBytes` bytes; nothing when it is absent or cannot be read.
  virtual std::optional<std::string> Read(size_t maxBytes) = 0;
  // Replaces it with `bytes`, creating its folder: a temporary file beside it is written
  // and then renamed over it, so a crash leaves the old file or the new one, never part of
  // one. False when that failed; the old file is then left as it was.
  virtual bool Replace(std::string_view bytes) = 0;
};

}  // namespace corvane::platform
