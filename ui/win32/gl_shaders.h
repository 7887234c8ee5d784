#pragma once
// The tester's shader program through the ARB shader-object extension, whose ten entry
// points are looked up at run time. Without any of them there is no program and the
// scene is drawn by the fixed pipeline.

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <memory>

namespace corvane::ui::win32 {

class GlShaderProgram {
 public:
  // With the context current. Nothing when an entry point is missing or the shaders do
  // not compile or link.
  static std::unique_ptr<GlShaderProgram> Create();
  // With the context current.
  ~GlShaderProgram();
  GlShaderProgram(const GlShaderProgram&) = delete;
  GlShaderProgram& operator=(const GlShaderProgram&) = delete;

  void Use(bool on);

 private:
  struct Entries {
    PFNGLCREATESHADEROBJECTARBPROC createShaderObject;
    PFNGLSHADERSOURCEARBPROC shaderSource;
    PFNGLCOMPILESHADERARBPROC compileShader;
    PFNGLCREATEPROGRAMOBJECTARBPROC createProgramObject;
    PFNGLATTACHOBJECTARBPROC attachObject;
    PFNGLLINKPROGRAMARBPROC linkProgram;
    PFNGLUSEPROGRAMOBJECTARBPROC useProgramObject;
    PFNGLGETOBJECTPARAMETERIVARBPROC getObjectParameteriv;
    PFNGLGETINFOLOGARBPROC getInfoLog;
    PFNGLDELETEOBJECTARBPROC deleteObject;
  };
  explicit GlShaderProgram(const Entries& gl) : gl_(gl) {}
  GLhandleARB Compile(GLenum kind, const char* source);

  Entries gl_;
  GLhandleARB vertex_ = 0;
  GLhandleARB fragment_ = 0;
  GLhandleARB program_ = 0;
};

}  // namespace corvane::ui::win32
