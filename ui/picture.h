#pragma once
// Images named by where they come from; the renderer loads them.

#include <string>
#include <utility>

namespace corvane::ui {

// Where an image comes from. The renderer loads it; a module name that is empty means
// the program itself. A module that cannot be loaded, or a resource it lacks, shows nothing.
struct Picture {
  enum class Type { None, Icon, Bitmap };
  Type type = Type::None;
  std::wstring module{};    // e.g. L"support.dll"; empty: the executable
  std::wstring resource{};  // resource name; empty with Type::Icon: the program's own icon

  static Picture ApplicationIcon() { return {Type::Icon, {}, {}}; }
  static Picture BitmapResource(std::wstring module, std::wstring name) {
    return {Type::Bitmap, std::move(module), std::move(name)};
  }
  bool Empty() const { return type == Type::None; }
};

}  // namespace corvane::ui
