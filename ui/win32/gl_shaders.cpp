#include "ui/win32/gl_shaders.h"

namespace corvane::ui::win32 {
namespace {

// Light from the uniform "light" (never set: the light sits at the eye), a dim ambient
// colour, the vertex colour as diffuse and white highlights; the back faces get half of
// the diffuse light.
constexpr const char* kVertexShader = R"(
uniform vec4 light;
varying vec4 V_eye;
varying vec4 L_eye;
varying vec4 N_eye;
varying vec4 Ca;
varying vec4 Cd;
varying vec4 Cs;
void main() {
  V_eye = gl_ModelViewMatrix * gl_Vertex;
  L_eye = (gl_ModelViewMatrix * light) - V_eye;
  N_eye = vec4(gl_NormalMatrix * gl_Normal, 1.0);
  gl_Position = gl_ProjectionMatrix * V_eye;
  V_eye = -V_eye;
  Ca = vec4(0.1, 0.1, 0.1, 1.0);
  Cd = gl_Color;
  Cs = vec4(1.0, 1.0, 1.0, 1.0);
}
)";

constexpr const char* kFragmentShader = R"(
varying vec4 V_eye;
varying vec4 L_eye;
varying vec4 N_eye;
varying vec4 Ca;
varying vec4 Cd;
varying vec4 Cs;
void main() {
  vec3 V = normalize(V_eye.xyz);
  vec3 L = normalize(L_eye.xyz);
  vec3 N = normalize(N_eye.xyz);
  float diffuse_f = clamp(dot(L, N), 0.0, 1.0);
  float diffuse_b = clamp(dot(L, -N), 0.0, 1.0);
  vec3 H = normalize(L + V);
  float specular = clamp(pow(max(dot(N, H), 0.0), 532.0), 0.0, 1.0);
  gl_FragColor = 0.65 * Cd * diffuse_f + 0.5 * Cd * diffuse_b + Cs * specular;
}
)";

template <class F>
bool Look(F& entry, const char* name) {
  entry = reinterpret_cast<F>(reinterpret_cast<void*>(wglGetProcAddress(name)));
  return entry != nullptr;
}

}  // namespace

std::unique_ptr<GlShaderProgram> GlShaderProgram::Create() {
  Entries gl{};
  const bool all = Look(gl.createShaderObject, "glCreateShaderObjectARB") &&
                   Look(gl.shaderSource, "glShaderSourceARB") && Look(gl.compileShader, "glCompileShaderARB") &&
                   Look(gl.createProgramObject, "glCreateProgramObjectARB") &&
                   Look(gl.attachObject, "glAttachObjectARB") && Look(gl.linkProgram, "glLinkProgramARB") &&
                   Look(gl.useProgramObject, "glUseProgramObjectARB") &&
                   Look(gl.getObjectParameteriv, "glGetObjectParameterivARB") &&
                   Look(gl.getInfoLog, "glGetInfoLogARB") && Look(gl.deleteObject, "glDeleteObjectARB");
  if (!all) return nullptr;
  std::unique_ptr<GlShaderProgram> program(new GlShaderProgram(gl));
  program->vertex_ = program->Compile(GL_VERTEX_SHADER_ARB, kVertexShader);
  program->fragment_ = program->Compile(GL_FRAGMENT_SHADER_ARB, kFragmentShader);
  if (!program->vertex_ || !program->fragment_) return nullptr;
  program->program_ = gl.createProgramObject();
  if (!program->program_) return nullptr;
  gl.attachObject(program->program_, program->vertex_);
  gl.attachObject(program->program_, program->fragment_);
  gl.linkProgram(program->program_);
  GLint linked = 0;
  gl.getObjectParameteriv(program->program_, GL_OBJECT_LINK_STATUS_ARB, &linked);
  if (!linked) return nullptr;
  return program;
}

GLhandleARB GlShaderProgram::Compile(GLenum kind, const char* source) {
  GLhandleARB shader = gl_.createShaderObject(kind);
  if (!shader) return 0;
  const GLcharARB* sources[] = {source};
  gl_.shaderSource(shader, 1, sources, nullptr);
  gl_.compileShader(shader);
  GLint compiled = 0;
  gl_.getObjectParameteriv(shader, GL_OBJECT_COMPILE_STATUS_ARB, &compiled);
  if (!compiled) {
    gl_.deleteObject(shader);
    return 0;
  }
  return shader;
}

GlShaderProgram::~GlShaderProgram() {
  for (GLhandleARB object : {program_, vertex_, fragment_})
    if (object) gl_.deleteObject(object);
}

void GlShaderProgram::Use(bool on) { gl_.useProgramObject(on ? program_ : 0); }

}  // namespace corvane::ui::win32
