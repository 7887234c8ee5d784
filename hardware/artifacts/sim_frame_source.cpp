#include "hardware/artifacts/sim_frame_source.h"

#include <algorithm>
#include <utility>

namespace corvane::artifacts {

SimFrameSource::SimFrameSource(FrameStore& store, FaultCheck faulty)
    : store_(store), faulty_(std::move(faulty)), picture_(FrameStore::kFrameBytes) {
  for (size_t i = 0; i < picture_.size(); ++i) picture_[i] = PictureByte(i);
}

uint8_t SimFrameSource::PictureByte(size_t index) {
  // Stripes that change along rows and columns, so a shifted frame would not match.
  const size_t row = index / (FrameStore::kWidth * 3);
  return static_cast<uint8_t>(index * 7 + row * 13);
}

void SimFrameSource::Step() {
  const bool faulty = faulty_ && faulty_();
  const uint32_t frame = frameNumber_++;
  store_.Offer([&](std::span<uint8_t> pixels) {
    std::copy(picture_.begin(), picture_.end(), pixels.begin());
    if (faulty) pixels[(size_t{frame} * 7919) % pixels.size()] ^= 0x5A;
  });
}

}  // namespace corvane::artifacts
