#pragma once
// The simulated scene: every frame is the same fixed picture, except while `faulty`
// says the card runs above what it takes; then each frame has a different pixel wrong.

#include <cstdint>
#include <vector>

#include "hardware/artifacts/frame_source.h"

namespace corvane::artifacts {

class SimFrameSource final : public FrameSource {
 public:
  SimFrameSource(FrameStore& store, FaultCheck faulty);
  void Step() override;

  // The fixed picture's byte at `index`.
  static uint8_t PictureByte(size_t index);

 private:
  FrameStore& store_;
  FaultCheck faulty_;
  std::vector<uint8_t> picture_;
  uint32_t frameNumber_ = 0;
};

}  // namespace corvane::artifacts
