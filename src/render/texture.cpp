// texture.cpp - texture upload with the unpack state saved and restored
// explicitly (no client attribute stack, which later contexts lack).
#include "render/texture.h"

#include "VrenkPlatform.h"
#include "render/gl_context.h"

namespace VrenkGLWidge {
namespace render {
namespace {

// The unpack settings that could make an upload read other bytes than the
// buffer's: saved, set to tight rows, and put back.
class CUnpackScope {
 public:
  explicit CUnpackScope(const SContextKind& kind) : m_kind(kind) {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &m_nAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (kind.HasUnpackSubimage()) {
      glGetIntegerv(gl::kUnpackRowLength, &m_nRowLength);
      glGetIntegerv(gl::kUnpackSkipRows, &m_nSkipRows);
      glGetIntegerv(gl::kUnpackSkipPixels, &m_nSkipPixels);
      glPixelStorei(gl::kUnpackRowLength, 0);
      glPixelStorei(gl::kUnpackSkipRows, 0);
      glPixelStorei(gl::kUnpackSkipPixels, 0);
    }
    if (!kind.bES) {
      glGetIntegerv(GL_UNPACK_SWAP_BYTES, &m_nSwapBytes);
      glGetIntegerv(GL_UNPACK_LSB_FIRST, &m_nLsbFirst);
      glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
      glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    }
    // A bound unpack buffer would turn the pixel pointer into an offset.
    if (kind.HasUnpackBuffers()) {
      glGetIntegerv(gl::kPixelUnpackBufferBinding, &m_nUnpackBuffer);
      if (m_nUnpackBuffer != 0) {
        LoadBindBuffer();
        if (m_pBindBuffer != nullptr) m_pBindBuffer(gl::kPixelUnpackBuffer, 0);
      }
    }
  }
  ~CUnpackScope() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, m_nAlignment);
    if (m_kind.HasUnpackSubimage()) {
      glPixelStorei(gl::kUnpackRowLength, m_nRowLength);
      glPixelStorei(gl::kUnpackSkipRows, m_nSkipRows);
      glPixelStorei(gl::kUnpackSkipPixels, m_nSkipPixels);
    }
    if (!m_kind.bES) {
      glPixelStorei(GL_UNPACK_SWAP_BYTES, m_nSwapBytes);
      glPixelStorei(GL_UNPACK_LSB_FIRST, m_nLsbFirst);
    }
    if (m_nUnpackBuffer != 0 && m_pBindBuffer != nullptr) {
      m_pBindBuffer(gl::kPixelUnpackBuffer, static_cast<GLuint>(m_nUnpackBuffer));
    }
  }
  CUnpackScope(const CUnpackScope&) = delete;
  CUnpackScope& operator=(const CUnpackScope&) = delete;
  // Whether the pixels can be read from client memory.
  bool Ready() const { return m_nUnpackBuffer == 0 || m_pBindBuffer != nullptr; }

 private:
  void LoadBindBuffer() {
    SGLFunctions functions;
    LoadGLFunctions(m_kind, &functions);
    m_pBindBuffer = functions.BindBuffer;
  }

  SContextKind m_kind;
  GLint m_nAlignment = 4;
  GLint m_nRowLength = 0;
  GLint m_nSkipRows = 0;
  GLint m_nSkipPixels = 0;
  GLint m_nSwapBytes = 0;
  GLint m_nLsbFirst = 0;
  GLint m_nUnpackBuffer = 0;
  void(APIENTRY* m_pBindBuffer)(GLenum, GLuint) = nullptr;
};

}  // namespace

unsigned int CreateTexture(const STextureUpload& upload) {
  GLuint nName = 0;
  glGenTextures(1, &nName);
  if (nName == 0) return 0;
  const SContextKind kind = QueryContextKind();

  GLint nPrevious = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &nPrevious);
  if (upload.bLeaveTexturingEnabled && kind.HasFixedFunction()) glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, nName);
  const GLfloat fWrap = static_cast<GLfloat>(kind.bES ? gl::kClampToEdge : GL_REPEAT);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, fWrap);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, fWrap);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  {
    CUnpackScope unpack(kind);
    // ES 2.0 takes only unsized formats; everything else the sized one.
    const GLint nInternal = kind.bES && !kind.AtLeast(3, 0) ? GL_RGBA : static_cast<GLint>(gl::kRgba8);
    const GLsizei nWidth = static_cast<GLsizei>(upload.nWidth);
    const GLsizei nHeight = static_cast<GLsizei>(upload.nHeight);
    if (!unpack.Ready() || upload.pPixels == nullptr) {
      // Nothing can be read safely: storage only.
      glTexImage2D(GL_TEXTURE_2D, 0, nInternal, static_cast<GLsizei>(upload.nStorageWidth),
                   static_cast<GLsizei>(upload.nStorageHeight), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    } else if (upload.nStorageWidth == upload.nWidth && upload.nStorageHeight == upload.nHeight) {
      glTexImage2D(GL_TEXTURE_2D, 0, nInternal, nWidth, nHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE, upload.pPixels);
    } else {
      glTexImage2D(GL_TEXTURE_2D, 0, nInternal, static_cast<GLsizei>(upload.nStorageWidth),
                   static_cast<GLsizei>(upload.nStorageHeight), 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, nWidth, nHeight, GL_RGBA, GL_UNSIGNED_BYTE, upload.pPixels);
    }
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(nPrevious));
  return nName;
}

unsigned int CreateTextureForBackend(void*, unsigned int nWidth, unsigned int nHeight, unsigned int nStorageWidth,
                                     unsigned int nStorageHeight, const unsigned char* pPixels) {
  const STextureUpload upload = {nWidth, nHeight, nStorageWidth, nStorageHeight, pPixels, false};
  return CreateTexture(upload);
}

void DeleteTextureForBackend(void*, unsigned int nTexture) {
  const GLuint nName = nTexture;
  if (nName != 0) glDeleteTextures(1, &nName);
}

}  // namespace render
}  // namespace VrenkGLWidge
