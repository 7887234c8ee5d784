#pragma once
// Short notification sounds from a wave file, played without waiting for them to end.

#include <string>

namespace corvane::platform {

class Sounds {
 public:
  virtual ~Sounds() = default;
  // Returns at once, whether the file plays or not.
  virtual void PlayAsync(const std::wstring& file) = 0;
};

}  // namespace corvane::platform
