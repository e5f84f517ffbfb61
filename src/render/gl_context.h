// gl_context.h - what kind of OpenGL context is current, and the functions
// beyond OpenGL 1.1 the backends use, loaded through wglGetProcAddress.
// Internal to the library.
#ifndef VRENK_RENDER_GL_CONTEXT_H
#define VRENK_RENDER_GL_CONTEXT_H

#include <cstddef>

#include "VrenkPlatform.h"

namespace VrenkGLWidge {
namespace render {
namespace gl {

// Enumerants beyond OpenGL 1.1 (the Windows headers stop there).
constexpr GLenum kArrayBuffer = 0x8892;
constexpr GLenum kElementArrayBuffer = 0x8893;
constexpr GLenum kArrayBufferBinding = 0x8894;
constexpr GLenum kElementArrayBufferBinding = 0x8895;
constexpr GLenum kPixelUnpackBuffer = 0x88EC;
constexpr GLenum kPixelUnpackBufferBinding = 0x88EF;
constexpr GLenum kStreamDraw = 0x88E0;
constexpr GLenum kCurrentProgram = 0x8B8D;
constexpr GLenum kVertexArrayBinding = 0x85B5;
constexpr GLenum kBlendSrcRgb = 0x80C9;
constexpr GLenum kBlendDstRgb = 0x80C8;
constexpr GLenum kBlendSrcAlpha = 0x80CB;
constexpr GLenum kBlendDstAlpha = 0x80CA;
constexpr GLenum kBlendEquationRgb = 0x8009;
constexpr GLenum kBlendEquationAlpha = 0x883D;
constexpr GLenum kFuncAdd = 0x8006;
constexpr GLenum kActiveTexture = 0x84E0;
constexpr GLenum kClientActiveTexture = 0x84E1;
constexpr GLenum kTexture0 = 0x84C0;
constexpr GLenum kClampToEdge = 0x812F;
constexpr GLenum kContextFlags = 0x821E;
constexpr GLenum kContextProfileMask = 0x9126;
constexpr GLint kContextCoreProfileBit = 0x1;
constexpr GLint kContextFlagForwardCompatibleBit = 0x1;
constexpr GLenum kPrimitiveRestart = 0x8F9D;
constexpr GLenum kPrimitiveRestartFixedIndex = 0x8D69;
constexpr GLenum kUnpackRowLength = 0x0CF2;
constexpr GLenum kUnpackSkipRows = 0x0CF3;
constexpr GLenum kUnpackSkipPixels = 0x0CF4;
constexpr GLenum kFogCoordArray = 0x8457;
constexpr GLenum kSecondaryColorArray = 0x845E;
constexpr GLenum kReadFramebuffer = 0x8CA8;
constexpr GLenum kDrawFramebuffer = 0x8CA9;
constexpr GLenum kReadFramebufferBinding = 0x8CAA;
constexpr GLenum kDrawFramebufferBinding = 0x8CA6;
constexpr GLenum kFragmentShader = 0x8B30;
constexpr GLenum kVertexShader = 0x8B31;
constexpr GLenum kCompileStatus = 0x8B81;
constexpr GLenum kLinkStatus = 0x8B82;
constexpr GLenum kRgba8 = 0x8058;

}  // namespace gl

// The kind of context: its version, whether it is OpenGL ES, and whether
// it lacks the fixed-function pipeline (a core profile or a
// forward-compatible context).
struct SContextKind {
  int nMajor = 1;
  int nMinor = 1;
  bool bES = false;
  bool bCore = false;
  bool AtLeast(int nMaj, int nMin) const { return nMajor > nMaj || (nMajor == nMaj && nMinor >= nMin); }
  // The fixed-function pipeline, immediate mode and the attribute stacks.
  bool HasFixedFunction() const { return !bES && !bCore; }
  // Buffer objects (OpenGL 1.5, ES 2.0).
  bool HasBuffers() const { return bES ? AtLeast(2, 0) : AtLeast(1, 5); }
  // Shader programs (OpenGL 2.0, ES 2.0).
  bool HasPrograms() const { return AtLeast(2, 0); }
  // Vertex array objects (OpenGL 3.0, ES 3.0).
  bool HasVertexArrays() const { return AtLeast(3, 0); }
  // Separate blend functions (OpenGL 1.4, ES 2.0) and equations (OpenGL
  // 2.0, ES 2.0).
  bool HasBlendFuncSeparate() const { return bES ? AtLeast(2, 0) : AtLeast(1, 4); }
  bool HasBlendEquationSeparate() const { return AtLeast(2, 0); }
  // Pixel unpack buffers (OpenGL 2.1, ES 3.0).
  bool HasUnpackBuffers() const { return bES ? AtLeast(3, 0) : AtLeast(2, 1); }
  // Unpack row length and skips (desktop, ES 3.0).
  bool HasUnpackSubimage() const { return !bES || AtLeast(3, 0); }
  // glBlitFramebuffer between buffers of the default framebuffer (desktop
  // OpenGL 3.0; ES has no front buffer to read).
  bool HasFrontBufferBlit() const { return !bES && AtLeast(3, 0); }
};

// A function address from wglGetProcAddress as its real type. The detour
// through void (*)() is the cast compilers accept between function types.
template <typename Fn>
Fn ProcAs(PROC proc) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// Reads the kind of the current context; the defaults (OpenGL 1.1) when no
// context answers.
SContextKind QueryContextKind();

// The functions beyond OpenGL 1.1 the library calls; each null when the
// context does not have it.
struct SGLFunctions {
  void(APIENTRY* BindBuffer)(GLenum, GLuint) = nullptr;
  void(APIENTRY* GenBuffers)(GLsizei, GLuint*) = nullptr;
  void(APIENTRY* DeleteBuffers)(GLsizei, const GLuint*) = nullptr;
  void(APIENTRY* BufferData)(GLenum, std::ptrdiff_t, const void*, GLenum) = nullptr;
  void(APIENTRY* BufferSubData)(GLenum, std::ptrdiff_t, std::ptrdiff_t, const void*) = nullptr;
  void(APIENTRY* UseProgram)(GLuint) = nullptr;
  void(APIENTRY* BindVertexArray)(GLuint) = nullptr;
  void(APIENTRY* GenVertexArrays)(GLsizei, GLuint*) = nullptr;
  void(APIENTRY* DeleteVertexArrays)(GLsizei, const GLuint*) = nullptr;
  void(APIENTRY* BlendFuncSeparate)(GLenum, GLenum, GLenum, GLenum) = nullptr;
  void(APIENTRY* BlendEquationSeparate)(GLenum, GLenum) = nullptr;
  void(APIENTRY* ActiveTexture)(GLenum) = nullptr;
  void(APIENTRY* ClientActiveTexture)(GLenum) = nullptr;
  void(APIENTRY* BlitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                                  GLenum) = nullptr;
  void(APIENTRY* BindFramebuffer)(GLenum, GLuint) = nullptr;
  void(APIENTRY* BindSampler)(GLuint, GLuint) = nullptr;
  GLuint(APIENTRY* CreateShader)(GLenum) = nullptr;
  void(APIENTRY* ShaderSource)(GLuint, GLsizei, const char* const*, const GLint*) = nullptr;
  void(APIENTRY* CompileShader)(GLuint) = nullptr;
  void(APIENTRY* GetShaderiv)(GLuint, GLenum, GLint*) = nullptr;
  void(APIENTRY* DeleteShader)(GLuint) = nullptr;
  GLuint(APIENTRY* CreateProgram)() = nullptr;
  void(APIENTRY* AttachShader)(GLuint, GLuint) = nullptr;
  void(APIENTRY* BindAttribLocation)(GLuint, GLuint, const char*) = nullptr;
  void(APIENTRY* LinkProgram)(GLuint) = nullptr;
  void(APIENTRY* GetProgramiv)(GLuint, GLenum, GLint*) = nullptr;
  void(APIENTRY* DeleteProgram)(GLuint) = nullptr;
  GLint(APIENTRY* GetUniformLocation)(GLuint, const char*) = nullptr;
  void(APIENTRY* Uniform1i)(GLint, GLint) = nullptr;
  void(APIENTRY* UniformMatrix4fv)(GLint, GLsizei, GLboolean, const GLfloat*) = nullptr;
  void(APIENTRY* EnableVertexAttribArray)(GLuint) = nullptr;
  void(APIENTRY* DisableVertexAttribArray)(GLuint) = nullptr;
  void(APIENTRY* VertexAttribPointer)(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*) = nullptr;
  void(APIENTRY* GetVertexAttribiv)(GLuint, GLenum, GLint*) = nullptr;
  void(APIENTRY* GetVertexAttribPointerv)(GLuint, GLenum, void**) = nullptr;
};

// Loads the functions that a context of this kind has.
void LoadGLFunctions(const SContextKind& kind, SGLFunctions* pFunctions);

}  // namespace render
}  // namespace VrenkGLWidge

#endif  // VRENK_RENDER_GL_CONTEXT_H
