#pragma once
// Images named by where they come from; the renderer loads them.

#include <memory>
#include <string>
#include <utility>

#include "ui/pixel_image.h"

namespace corvane::ui {

// Where an image comes from. The renderer loads it; a module name that is empty means
// the program itself. A module that cannot be loaded, or a resource it lacks, shows nothing.
struct Picture {
  enum class Type { None, Icon, Bitmap, Pixels };
  Type type = Type::None;
  std::wstring module{};    // e.g. L"support.dll"; empty: the executable
  std::wstring resource{};  // resource name; empty with Type::Icon: the program's own icon
  std::shared_ptr<const PixelImage> pixels{};  // Type::Pixels: drawn by the program

  static Picture ApplicationIcon() { return {Type::Icon, {}, {}}; }
  static Picture BitmapResource(std::wstring module, std::wstring name) {
    return {Type::Bitmap, std::move(module), std::move(name)};
  }
  static Picture FromPixels(PixelImage image) {
    Picture picture;
    picture.type = Type::Pixels;
    picture.pixels = std::make_shared<const PixelImage>(std::move(image));
    return picture;
  }
  bool Empty() const { return type == Type::None; }
};

}  // namespace corvane::ui
