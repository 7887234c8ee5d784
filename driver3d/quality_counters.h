#pragma once
// The four levels the tray tooltip shows: Direct3D and OpenGL anti-aliasing samples and
// anisotropy degrees. The menu refresh zeroes them and sets them from the registry; every
// writer of an anti-aliasing or anisotropy setting keeps them in step.

#include <cstdint>

namespace corvane::driver3d {

struct QualityCounters {
  uint16_t d3dAA = 0;
  uint16_t d3dAF = 0;
  uint16_t oglAA = 0;
  uint16_t oglAF = 0;

  void Clear() { *this = QualityCounters{}; }
  bool operator==(const QualityCounters&) const = default;
};

}  // namespace corvane::driver3d
