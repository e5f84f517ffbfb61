// gl_context.cpp - the current context's kind from its version string and
// profile, and the functions it has.
#include "render/gl_context.h"

#include <cstdint>
#include <cstring>

namespace VrenkGLWidge {
namespace render {
namespace {

// Reads "major.minor" at the first digit of the text.
bool ParseVersion(const char* text, int* pMajor, int* pMinor) {
  while (*text != '\0' && (*text < '0' || *text > '9')) ++text;
  if (*text == '\0') return false;
  int nMajor = 0;
  while (*text >= '0' && *text <= '9' && nMajor < 1000) nMajor = nMajor * 10 + (*text++ - '0');
  if (*text++ != '.') return false;
  int nMinor = 0;
  while (*text >= '0' && *text <= '9' && nMinor < 1000) nMinor = nMinor * 10 + (*text++ - '0');
  *pMajor = nMajor;
  *pMinor = nMinor;
  return true;
}

// Some drivers answer small integers instead of null for names they lack.
template <typename Fn>
void Load(Fn* pFn, const char* szName) {
  PROC proc = wglGetProcAddress(szName);
  const std::intptr_t value = reinterpret_cast<std::intptr_t>(proc);
  if (value >= -1 && value <= 3) proc = nullptr;
  *pFn = ProcAs<Fn>(proc);
}

}  // namespace

SContextKind QueryContextKind() {
  SContextKind kind;
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return kind;
  kind.bES = std::strncmp(version, "OpenGL ES", 9) == 0;
  int nMajor = 1;
  int nMinor = 1;
  if (ParseVersion(version, &nMajor, &nMinor)) {
    kind.nMajor = nMajor;
    kind.nMinor = nMinor;
  }
  if (!kind.bES) {
    GLint nFlags = 0;
    GLint nMask = 0;
    if (kind.AtLeast(3, 0)) glGetIntegerv(gl::kContextFlags, &nFlags);
    if (kind.AtLeast(3, 2)) glGetIntegerv(gl::kContextProfileMask, &nMask);
    kind.bCore = (nFlags & gl::kContextFlagForwardCompatibleBit) != 0 || (nMask & gl::kContextCoreProfileBit) != 0;
  }
  return kind;
}

void LoadGLFunctions(const SContextKind& kind, SGLFunctions* p) {
  *p = SGLFunctions();
  if (kind.HasBuffers()) {
    Load(&p->BindBuffer, "glBindBuffer");
    Load(&p->GenBuffers, "glGenBuffers");
    Load(&p->DeleteBuffers, "glDeleteBuffers");
    Load(&p->BufferData, "glBufferData");
    Load(&p->BufferSubData, "glBufferSubData");
  }
  if (kind.HasPrograms()) {
    Load(&p->UseProgram, "glUseProgram");
    Load(&p->CreateShader, "glCreateShader");
    Load(&p->ShaderSource, "glShaderSource");
    Load(&p->CompileShader, "glCompileShader");
    Load(&p->GetShaderiv, "glGetShaderiv");
    Load(&p->DeleteShader, "glDeleteShader");
    Load(&p->CreateProgram, "glCreateProgram");
    Load(&p->AttachShader, "glAttachShader");
    Load(&p->BindAttribLocation, "glBindAttribLocation");
    Load(&p->LinkProgram, "glLinkProgram");
    Load(&p->GetProgramiv, "glGetProgramiv");
    Load(&p->DeleteProgram, "glDeleteProgram");
    Load(&p->GetUniformLocation, "glGetUniformLocation");
    Load(&p->Uniform1i, "glUniform1i");
    Load(&p->UniformMatrix4fv, "glUniformMatrix4fv");
    Load(&p->EnableVertexAttribArray, "glEnableVertexAttribArray");
    Load(&p->DisableVertexAttribArray, "glDisableVertexAttribArray");
    Load(&p->VertexAttribPointer, "glVertexAttribPointer");
    Load(&p->GetVertexAttribiv, "glGetVertexAttribiv");
    Load(&p->GetVertexAttribPointerv, "glGetVertexAttribPointerv");
  }
  if (kind.HasVertexArrays()) {
    Load(&p->BindVertexArray, "glBindVertexArray");
    Load(&p->GenVertexArrays, "glGenVertexArrays");
    Load(&p->DeleteVertexArrays, "glDeleteVertexArrays");
  }
  if (kind.HasBlendFuncSeparate()) Load(&p->BlendFuncSeparate, "glBlendFuncSeparate");
  if (kind.HasBlendEquationSeparate()) Load(&p->BlendEquationSeparate, "glBlendEquationSeparate");
  if (kind.bES || kind.AtLeast(1, 3)) Load(&p->ActiveTexture, "glActiveTexture");
  if (!kind.bES && kind.AtLeast(1, 3)) Load(&p->ClientActiveTexture, "glClientActiveTexture");
  if (kind.AtLeast(3, 0)) {
    Load(&p->BlitFramebuffer, "glBlitFramebuffer");
    Load(&p->BindFramebuffer, "glBindFramebuffer");
  }
  if (kind.bES ? kind.AtLeast(3, 0) : kind.AtLeast(3, 3)) Load(&p->BindSampler, "glBindSampler");
}

}  // namespace render
}  // namespace VrenkGLWidge
