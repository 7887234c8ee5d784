#pragma once
// Sounds, simulated: the files asked for, in order.

#include <mutex>
#include <string>
#include <vector>

#include "platform/sound.h"

namespace corvane::platform {

class SimSounds final : public Sounds {
 public:
  void PlayAsync(const std::wstring& file) override {
    std::lock_guard lock(mutex_);
    played_.push_back(file);
  }
  std::vector<std::wstring> Played() const {
    std::lock_guard lock(mutex_);
    return played_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::wstring> played_;
};

}  // namespace corvane::platform
