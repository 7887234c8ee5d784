#include "hardware/artifacts/bmp_reader.h"

#include <cstddef>

namespace corvane::artifacts {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr const wchar_t* kPaletteError = L"Error reading palette";
constexpr const wchar_t* kDataError = L"Error reading bitmap data";

uint32_t Le32(std::string_view bytes, size_t at) {
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

uint16_t Le16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

}  // namespace

std::variant<Bitmap, std::wstring> ReadBitmap(std::string_view file) {
  const size_t headers = kFileHeaderBytes + kInfoHeaderBytes;
  if (file.size() < headers || file.substr(0, 2) != "BM" || Le32(file, 14) < kInfoHeaderBytes) return kPaletteError;
  const uint32_t dataOffset = Le32(file, 10);
  // The bytes between the headers and the pixels (a palette, or a longer info header)
  // are skipped; they must be there.
  if (dataOffset < headers || dataOffset > file.size()) return kPaletteError;

  const auto width = static_cast<int32_t>(Le32(file, 18));
  const auto height = static_cast<int32_t>(Le32(file, 22));
  const uint16_t bitsPerPixel = Le16(file, 28);
  const uint32_t compression = Le32(file, 30);
  if (bitsPerPixel != 24 || compression != 0 || width <= 0 || height <= 0 || width > kMaxBitmapSide ||
      height > kMaxBitmapSide)
    return kDataError;

  const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
  const size_t needed = stride * static_cast<size_t>(height);
  // A stated image size smaller than the rows would leave part of the texture unread.
  const uint32_t stated = Le32(file, 34);
  const size_t size = stated == 0 ? needed : stated;
  if (size < needed || file.size() - dataOffset < size) return kDataError;

  Bitmap bitmap{width, height, std::vector<uint8_t>(needed)};
  const std::string_view pixels = file.substr(dataOffset, needed);
  for (size_t row = 0; row < static_cast<size_t>(height); ++row) {
    const size_t start = row * stride;
    for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
      const size_t at = start + x * 3;
      // The file keeps blue, green, red.
      bitmap.rgb[at] = static_cast<uint8_t>(pixels[at + 2]);
      bitmap.rgb[at + 1] = static_cast<uint8_t>(pixels[at + 1]);
      bitmap.rgb[at + 2] = static_cast<uint8_t>(pixels[at]);
    }
  }
  return bitmap;
}

}  // namespace corvane::artifacts
