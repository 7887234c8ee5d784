// The artifact tester's textures ("surface.dat", "texture.dat" in the install's "3d"
// folder): files anyone can replace, so the headers may say anything about the pixels.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "hardware/artifacts/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane::artifacts;
  const auto read = ReadBitmap(std::string_view(reinterpret_cast<const char*>(data), size));
  if (const Bitmap* bitmap = std::get_if<Bitmap>(&read)) {
    // What OpenGL will read of it must be there.
    const size_t stride = (static_cast<size_t>(bitmap->width) * 3 + 3) / 4 * 4;
    if (bitmap->rgb.size() != stride * static_cast<size_t>(bitmap->height)) std::abort();
  }
  return 0;
}
