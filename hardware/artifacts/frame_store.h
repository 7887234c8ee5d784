#pragma once
// The artifact tester's two frames, the reference and the latest, and the two flags the
// render thread and the UI thread's timer share. One lock guards the read-back of a frame
// and the comparison, so a comparison always sees two complete frames.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "platform/threading.h"

namespace corvane::artifacts {

class FrameStore {
 public:
  // What is read back of each frame: the lower left 399 × 399 pixels, RGB, rows packed.
  static constexpr int kWidth = 399;
  static constexpr int kHeight = 399;
  static constexpr size_t kFrameBytes = size_t{kWidth} * kHeight * 3;

  enum class Comparison {
    NotComparing,  // not scanning, or the reference is still to come
    NewReference,  // a reference was taken since the last comparison; the frames are equal
    Equal,
    Different,
  };

  explicit FrameStore(platform::Threading& threading);
  FrameStore(const FrameStore&) = delete;
  FrameStore& operator=(const FrameStore&) = delete;

  // --- UI thread ---
  // Freezes the scene and has the next frame taken as the reference.
  void StartComparing();
  // Lets the scene move again; no reference is pending.
  void StopComparing();
  // Compares the latest frame with the reference, byte for byte.
  Comparison Compare();

  // --- Render thread ---
  // Whether frames are being compared: the scene stands still meanwhile.
  bool Comparing();
  // While comparing, has `readPixels` fill the reference and the latest frame (a new
  // reference) or the latest frame alone; does nothing otherwise. `readPixels` gets a
  // zeroed buffer of kFrameBytes.
  void Offer(const std::function<void(std::span<uint8_t> pixels)>& readPixels);

 private:
  std::unique_ptr<platform::Lock> lock_;
  std::vector<uint8_t> reference_;
  std::vector<uint8_t> latest_;
  bool scanning_ = false;
  bool capture_ = false;
  bool freshReference_ = false;
};

}  // namespace corvane::artifacts
