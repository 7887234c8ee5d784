#include "ui/win32/gl_scene.h"

#include <GL/glu.h>

#include "ui/win32/gl_shaders.h"

namespace corvane::ui::win32 {
namespace {

// For a palette-based format: the palette its colour masks describe, selected into the
// device context.
HPALETTE MakePalette(HDC dc, const PIXELFORMATDESCRIPTOR& format) {
  if (!(format.dwFlags & PFD_NEED_PALETTE)) return nullptr;
  const int entries = 1 << format.cColorBits;
  std::unique_ptr<uint8_t[]> storage(new uint8_t[sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY)]);
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.get());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries);
  auto level = [](int i, int shift, int bits) {
    const int mask = (1 << bits) - 1;
    return static_cast<BYTE>(mask ? ((i >> shift) & mask) * 255 / mask : 0);
  };
  for (int i = 0; i < entries; ++i) {
    palette->palPalEntry[i] = {level(i, format.cRedShift, format.cRedBits),
                               level(i, format.cGreenShift, format.cGreenBits),
                               level(i, format.cBlueShift, format.cBlueBits), 0};
  }
  HPALETTE made = CreatePalette(palette);
  if (made) {
    SelectPalette(dc, made, FALSE);
    RealizePalette(dc);
  }
  return made;
}

}  // namespace

std::unique_ptr<GlScene> GlScene::Create(HDC dc, int width, int height, const artifacts::SceneFiles& files,
                                         std::wstring& problem) {
  PIXELFORMATDESCRIPTOR wanted{};
  wanted.nSize = sizeof(wanted);
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = 32;
  wanted.cDepthBits = 16;
  wanted.iLayerType = PFD_MAIN_PLANE;
  const int format = ChoosePixelFormat(dc, &wanted);
  if (format == 0 || !SetPixelFormat(dc, format, &wanted)) {
    problem = L"Unable to set up OpenGL";
    return nullptr;
  }
  PIXELFORMATDESCRIPTOR chosen{};
  DescribePixelFormat(dc, format, sizeof(chosen), &chosen);
  UniqueBitmap palette(reinterpret_cast<HBITMAP>(MakePalette(dc, chosen)));
  UniqueGlContext context(wglCreateContext(dc));
  if (!context) {
    problem = L"Unable to set up OpenGL";
    return nullptr;
  }
  std::unique_ptr<GlScene> scene(new GlScene(dc, std::move(context)));
  scene->palette_ = std::move(palette);
  if (!scene->MakeCurrent()) {
    problem = L"Unable to set up OpenGL";
    return nullptr;
  }
  scene->SetUp(width, height);
  scene->textures_[0] = scene->UploadTexture(files.surface);
  scene->textures_[1] = scene->UploadTexture(files.texture);
  scene->CompileModel(files.model);
  scene->shaders_ = GlShaderProgram::Create();
  scene->ReleaseCurrent();
  return scene;
}

GlScene::GlScene(HDC dc, UniqueGlContext context) : dc_(dc), context_(std::move(context)) {}

GlScene::~GlScene() {
  // The names belong to the context: free them while it is current here.
  if (MakeCurrent()) {
    shaders_.reset();
    if (modelList_) glDeleteLists(modelList_, 1);
    glDeleteTextures(static_cast<GLsizei>(textures_.size()), textures_.data());
    ReleaseCurrent();
  }
}

bool GlScene::MakeCurrent() { return wglMakeCurrent(dc_, context_.get()) != FALSE; }

void GlScene::ReleaseCurrent() { wglMakeCurrent(nullptr, nullptr); }

void GlScene::SetUp(int width, int height) {
  glClearColor(0.0f, 0.0f, 0.25f, 0.0f);
  glShadeModel(GL_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glClearDepth(1.0);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, height > 0 ? static_cast<double>(width) / height : 1.0, 1.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  const GLfloat lightPosition[] = {0.0f, 0.0f, 0.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 50.0f);

  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  // Frames are read back with their rows packed.
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
}

GLuint GlScene::UploadTexture(const artifacts::Bitmap& bitmap) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  // The rows are padded to 4 bytes, as the default unpack alignment expects.
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, bitmap.width, bitmap.height, GL_RGB, GL_UNSIGNED_BYTE, bitmap.rgb.data());
  return name;
}

void GlScene::CompileModel(const artifacts::Model& model) {
  modelList_ = glGenLists(1);
  glNewList(modelList_, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  // The reader checked every index against the arrays.
  for (const artifacts::Triangle& triangle : model.triangles) {
    for (int corner = 0; corner < 3; ++corner) {
      const float* normal = &model.normals[size_t{triangle[3 + corner]} * 3];
      glNormal3fv(normal);
      if (corner == 0) glTexCoord3fv(normal);
      glVertex3fv(&model.vertices[size_t{triangle[corner]} * 3]);
    }
  }
  glEnd();
  glEndList();
}

void GlScene::DrawModel(float angleX, float angleY) {
  glRotatef(angleX, 1.0f, 0.0f, 0.0f);
  glRotatef(angleY, 0.0f, 1.0f, 0.0f);
  glCallList(modelList_);
}

void GlScene::Draw(float angleX, float angleY) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();

  // The central model, sphere-mapped, by the fixed pipeline.
  if (shaders_) shaders_->Use(false);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glBindTexture(GL_TEXTURE_2D, textures_[0]);
  glPushMatrix();
  glTranslatef(0.0f, 0.0f, -15.0f);
  DrawModel(angleX, angleY);
  glPopMatrix();

  // Eight copies around it, in two rings further back.
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  if (shaders_) shaders_->Use(true);
  glBindTexture(GL_TEXTURE_2D, textures_[1]);
  for (int i = 0; i < 2; ++i) {
    const float a = 5.0f + 6.0f * i;
    const float z = -25.0f - 15.0f * i;
    const float places[4][2] = {{0.0f, a}, {0.0f, -a}, {a, 0.0f}, {-a, 0.0f}};
    for (const auto& place : places) {
      glPushMatrix();
      glTranslatef(place[0], place[1], z);
      DrawModel(angleX, angleY);
      glPopMatrix();
    }
  }
  if (shaders_) shaders_->Use(false);
}

void GlScene::ReadPixels(std::span<uint8_t> pixels, int width, int height) {
  if (pixels.size() < static_cast<size_t>(width) * height * 3) return;
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

void GlScene::Swap() { SwapBuffers(dc_); }

}  // namespace corvane::ui::win32
