#pragma once
// The artifact tester's OpenGL scene on a window's device context: the pixel format, the
// context, the two textures, the model's display list and the optional shader program.
// Made and freed on the UI thread; drawn on the render thread, which makes the context
// current there while it draws.

#include <windows.h>
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "hardware/artifacts/scene_files.h"
#include "ui/win32/gdi_handles.h"

namespace corvane::ui::win32 {

struct GlContextDeleter {
  void operator()(HGLRC context) const { wglDeleteContext(context); }
};
using UniqueGlContext = std::unique_ptr<std::remove_pointer_t<HGLRC>, GlContextDeleter>;

class GlShaderProgram;

class GlScene {
 public:
  // Nothing, with the reason in `problem`, when the window's device context takes no
  // OpenGL pixel format or context.
  static std::unique_ptr<GlScene> Create(HDC dc, int width, int height, const artifacts::SceneFiles& files,
                                         std::wstring& problem);
  ~GlScene();
  GlScene(const GlScene&) = delete;
  GlScene& operator=(const GlScene&) = delete;

  // On the thread that draws: the context current there, or no longer.
  bool MakeCurrent();
  void ReleaseCurrent();

  // One frame into the back buffer, turned by the angles (degrees).
  void Draw(float angleX, float angleY);
  // The back buffer's lower left pixels, RGB, rows packed.
  void ReadPixels(std::span<uint8_t> pixels, int width, int height);
  void Swap();

 private:
  GlScene(HDC dc, UniqueGlContext context);
  void SetUp(int width, int height);
  GLuint UploadTexture(const artifacts::Bitmap& bitmap);
  void CompileModel(const artifacts::Model& model);
  void DrawModel(float angleX, float angleY);

  HDC dc_;
  // A palette-based format's palette (a GDI object like a bitmap), selected into dc_.
  UniqueBitmap palette_;
  UniqueGlContext context_;
  std::array<GLuint, 2> textures_{};  // surface, texture
  GLuint modelList_ = 0;
  std::unique_ptr<GlShaderProgram> shaders_;
};

}  // namespace corvane::ui::win32
