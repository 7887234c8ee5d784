#pragma once
// A picture the program draws itself (a curve, a gradient), kept as plain pixels so that
// tests can look at them and the renderer can show them as a bitmap.

#include <cstdint>
#include <vector>

namespace corvane::ui {

// Colours as Windows' COLORREF: 0x00BBGGRR (0x0000FF is red).
class PixelImage {
 public:
  PixelImage(int width, int height, uint32_t colour = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Outside the image: 0 when read, nothing done when set.
  uint32_t At(int x, int y) const;
  void Set(int x, int y, uint32_t colour);
  void Fill(uint32_t colour);
  // Every pixel from one point to the other, both ends included; clipped to the image.
  void Line(int x0, int y0, int x1, int y1, uint32_t colour);
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

}  // namespace corvane::ui
