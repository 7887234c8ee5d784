#include "hardware/artifacts/frame_store.h"

#include <algorithm>

namespace corvane::artifacts {

FrameStore::FrameStore(platform::Threading& threading)
    : lock_(threading.NewLock()), reference_(kFrameBytes), latest_(kFrameBytes) {}

void FrameStore::StartComparing() {
  platform::LockGuard guard(*lock_);
  scanning_ = true;
  capture_ = true;
  freshReference_ = false;
}

void FrameStore::StopComparing() {
  platform::LockGuard guard(*lock_);
  scanning_ = false;
  capture_ = false;
  freshReference_ = false;
}

FrameStore::Comparison FrameStore::Compare() {
  platform::LockGuard guard(*lock_);
  if (!scanning_ || capture_) return Comparison::NotComparing;
  if (freshReference_) {
    freshReference_ = false;
    return Comparison::NewReference;
  }
  return reference_ == latest_ ? Comparison::Equal : Comparison::Different;
}

bool FrameStore::Comparing() {
  platform::LockGuard guard(*lock_);
  return scanning_;
}

void FrameStore::Offer(const std::function<void(std::span<uint8_t> pixels)>& readPixels) {
  platform::LockGuard guard(*lock_);
  if (!scanning_) return;
  // A frame that is read only in part must not leave old bytes behind.
  std::fill(latest_.begin(), latest_.end(), uint8_t{0});
  readPixels(latest_);
  if (capture_) {
    reference_ = latest_;
    capture_ = false;
    freshReference_ = true;
  }
}

}  // namespace corvane::artifacts
