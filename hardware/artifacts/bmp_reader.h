#pragma once
// The tester's textures: Windows bitmaps of 24 bits per pixel, read from the bytes of the
// file. Every size in the headers is checked against the file before it is used.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvane::artifacts {

// Rows bottom-up as the file keeps them, each padded to a multiple of 4 bytes (what
// OpenGL's default unpack alignment expects), pixels in RGB order.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// The largest side taken; no texture of the tester comes near it.
inline constexpr int kMaxBitmapSide = 4096;

// The bitmap, or the message for the "BMP Unit" box: "Error reading palette" when the
// headers or the bytes up to the pixel data are missing or make no sense, "Error reading
// bitmap data" when the pixels are not 24-bit or the file ends before them.
std::variant<Bitmap, std::wstring> ReadBitmap(std::string_view file);

}  // namespace corvane::artifacts
