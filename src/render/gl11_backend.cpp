// gl11_backend.cpp - the backend for contexts with the fixed-function
// pipeline. Lists are drawn from vertex arrays (OpenGL 1.1) with the exact
// primitives they name, so the pictures are those of immediate mode. Every
// piece of state a list changes is saved before and restored after it in
// DrawList, by reading it back (no attribute stack: a driver may lose an
// outer group when the same group is pushed again inside it).
#include <new>

#include "render/backend.h"
#include "render/draw_list.h"
#include "render/gl_context.h"
#include "render/texture.h"

namespace VrenkGLWidge {
namespace render {
namespace {

const double kHalfDepth = 1000000.0;

struct SGL11 {
  SContextKind kind;
  SGLFunctions fn;
  GLint nMatrixMode = GL_MODELVIEW;  // the host's, during a pass
};

GLenum ModeOf(EPrimitive e) {
  switch (e) {
    case PRIM_TRIANGLES:
      return GL_TRIANGLES;
    case PRIM_TRIANGLE_FAN:
      return GL_TRIANGLE_FAN;
    case PRIM_QUADS:
      return GL_QUADS;
    case PRIM_LINES:
      return GL_LINES;
    case PRIM_LINE_STRIP:
      return GL_LINE_STRIP;
    case PRIM_LINE_LOOP:
      return GL_LINE_LOOP;
  }
  return GL_TRIANGLES;
}

void BeginPass(void* pUser, const int* pViewport, double* pSceneModelView) {
  SGL11& gl = *static_cast<SGL11*>(pUser);
  glGetIntegerv(GL_MATRIX_MODE, &gl.nMatrixMode);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, pViewport[2], 0, pViewport[3], -kHalfDepth, kHalfDepth);
  glMatrixMode(GL_MODELVIEW);
  glGetDoublev(GL_MODELVIEW_MATRIX, pSceneModelView);
  glPushMatrix();
  glLoadIdentity();
  glPushAttrib(GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
}

void EndPass(void* pUser) {
  glPopAttrib();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(static_cast<SGL11*>(pUser)->nMatrixMode));
}

void CaptureSceneMatrix(void*, double* pSceneModelView) { glGetDoublev(GL_MODELVIEW_MATRIX, pSceneModelView); }

// One client array as the host had it: whether it is on, and where it
// reads from (the buffer its pointer is an offset into, or 0).
struct SClientArray {
  GLboolean bEnabled;
  GLint nSize;
  GLint nType;
  GLint nStride;
  GLint nBuffer;
  void* pPointer;
};

// The three arrays a list reads, and the queries of their state.
struct SArrayKind {
  GLenum eCap;
  GLenum eSize, eType, eStride, eBuffer, ePointer;
};
const SArrayKind kListArrays[3] = {
    {GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE, GL_VERTEX_ARRAY_STRIDE, 0x8896,
     GL_VERTEX_ARRAY_POINTER},
    {GL_COLOR_ARRAY, GL_COLOR_ARRAY_SIZE, GL_COLOR_ARRAY_TYPE, GL_COLOR_ARRAY_STRIDE, 0x8898,
     GL_COLOR_ARRAY_POINTER},
    {GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_SIZE, GL_TEXTURE_COORD_ARRAY_TYPE,
     GL_TEXTURE_COORD_ARRAY_STRIDE, 0x889A, GL_TEXTURE_COORD_ARRAY_POINTER},
};
const GLenum kOtherArrays[5] = {GL_NORMAL_ARRAY, GL_INDEX_ARRAY, GL_EDGE_FLAG_ARRAY, gl::kFogCoordArray,
                                gl::kSecondaryColorArray};

// What a list changes, as the host had it.
struct SSavedState {
  GLfloat fColor[4];
  GLint nShadeModel;
  GLboolean bLighting;
  GLboolean bBlend;
  GLint nBlend[4];  // source and destination, colour then alpha
  GLboolean bTexture2D;
  GLint nTexture;
  GLfloat fLineWidth;
  GLboolean bLineSmooth;
  GLint nArrayBuffer;
  GLint nVertexArray;
  GLint nProgram;
  GLint nActiveTexture;        // GL_TEXTURE0 + unit
  GLint nClientActiveTexture;  // GL_TEXTURE0 + unit
  SClientArray arrays[3];      // vertex, colour, texture coordinate
  GLboolean bOtherArrays[5];   // the arrays a list never reads, all disabled while it draws
};

void Save(const SGL11& gl, SSavedState* p) {
  // Texturing happens on unit 0 (the texture coordinates are unit 0's).
  p->nActiveTexture = gl::kTexture0;
  p->nClientActiveTexture = gl::kTexture0;
  if (gl.fn.ActiveTexture != nullptr && gl.fn.ClientActiveTexture != nullptr) {
    glGetIntegerv(gl::kActiveTexture, &p->nActiveTexture);
    glGetIntegerv(gl::kClientActiveTexture, &p->nClientActiveTexture);
    if (p->nActiveTexture != static_cast<GLint>(gl::kTexture0)) gl.fn.ActiveTexture(gl::kTexture0);
    if (p->nClientActiveTexture != static_cast<GLint>(gl::kTexture0)) gl.fn.ClientActiveTexture(gl::kTexture0);
  }
  glGetFloatv(GL_CURRENT_COLOR, p->fColor);
  glGetIntegerv(GL_SHADE_MODEL, &p->nShadeModel);
  p->bLighting = glIsEnabled(GL_LIGHTING);
  p->bBlend = glIsEnabled(GL_BLEND);
  if (gl.fn.BlendFuncSeparate != nullptr) {
    glGetIntegerv(gl::kBlendSrcRgb, &p->nBlend[0]);
    glGetIntegerv(gl::kBlendDstRgb, &p->nBlend[1]);
    glGetIntegerv(gl::kBlendSrcAlpha, &p->nBlend[2]);
    glGetIntegerv(gl::kBlendDstAlpha, &p->nBlend[3]);
  } else {
    glGetIntegerv(GL_BLEND_SRC, &p->nBlend[0]);
    glGetIntegerv(GL_BLEND_DST, &p->nBlend[1]);
  }
  p->bTexture2D = glIsEnabled(GL_TEXTURE_2D);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &p->nTexture);
  glGetFloatv(GL_LINE_WIDTH, &p->fLineWidth);
  p->bLineSmooth = glIsEnabled(GL_LINE_SMOOTH);
  // Client arrays are read from memory only while no buffer, vertex array
  // object or program of the host's is in the way.
  p->nArrayBuffer = 0;
  p->nVertexArray = 0;
  p->nProgram = 0;
  if (gl.fn.BindBuffer != nullptr) glGetIntegerv(gl::kArrayBufferBinding, &p->nArrayBuffer);
  if (gl.fn.BindVertexArray != nullptr) glGetIntegerv(gl::kVertexArrayBinding, &p->nVertexArray);
  if (gl.fn.UseProgram != nullptr) glGetIntegerv(gl::kCurrentProgram, &p->nProgram);
  // The arrays a list sets are those of the default vertex array object:
  // the host's own object is set aside before they are read.
  if (p->nVertexArray != 0) gl.fn.BindVertexArray(0);
  for (int i = 0; i < 3; ++i) {
    const SArrayKind& kind = kListArrays[i];
    SClientArray& a = p->arrays[i];
    a.bEnabled = glIsEnabled(kind.eCap);
    glGetIntegerv(kind.eSize, &a.nSize);
    glGetIntegerv(kind.eType, &a.nType);
    glGetIntegerv(kind.eStride, &a.nStride);
    a.nBuffer = 0;
    if (gl.fn.BindBuffer != nullptr) glGetIntegerv(kind.eBuffer, &a.nBuffer);
    a.pPointer = nullptr;
    glGetPointerv(kind.ePointer, &a.pPointer);
  }
  const int nOthers = gl.kind.AtLeast(1, 4) ? 5 : 3;
  for (int i = 0; i < nOthers; ++i) p->bOtherArrays[i] = glIsEnabled(kOtherArrays[i]);
}

void Enable(GLenum cap, bool bOn) {
  if (bOn) {
    glEnable(cap);
  } else {
    glDisable(cap);
  }
}

// The state every list is drawn with: smooth shading, no lighting,
// straight-alpha blending.
bool NeedsBlendFunc(const SGL11& gl, const SSavedState& s) {
  const bool bSame = s.nBlend[0] == GL_SRC_ALPHA && s.nBlend[1] == GL_ONE_MINUS_SRC_ALPHA;
  if (gl.fn.BlendFuncSeparate == nullptr) return !bSame;
  return !bSame || s.nBlend[2] != GL_SRC_ALPHA || s.nBlend[3] != GL_ONE_MINUS_SRC_ALPHA;
}

void SetUp(const SGL11& gl, const SSavedState& s) {
  if (s.nProgram != 0) gl.fn.UseProgram(0);
  if (s.nArrayBuffer != 0) gl.fn.BindBuffer(gl::kArrayBuffer, 0);
  if (s.nShadeModel != GL_SMOOTH) glShadeModel(GL_SMOOTH);
  if (s.bLighting) glDisable(GL_LIGHTING);
  if (NeedsBlendFunc(gl, s)) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (!s.bBlend) glEnable(GL_BLEND);
  const int nOthers = gl.kind.AtLeast(1, 4) ? 5 : 3;
  for (int i = 0; i < nOthers; ++i) {
    if (s.bOtherArrays[i]) glDisableClientState(kOtherArrays[i]);
  }
  for (int i = 0; i < 3; ++i) {
    if (!s.arrays[i].bEnabled) glEnableClientState(kListArrays[i].eCap);
  }
}

// Puts back what Save, SetUp and the commands changed; the current colour always
// (a colour array leaves it undefined).
void Restore(const SGL11& gl, const SSavedState& s, GLuint nTexture, bool bTexturing, float fLineWidth,
             bool bLineSmooth) {
  // Each array's pointer goes back into the buffer it was set with.
  for (int i = 0; i < 3; ++i) {
    const SClientArray& a = s.arrays[i];
    if (a.nBuffer != 0) gl.fn.BindBuffer(gl::kArrayBuffer, static_cast<GLuint>(a.nBuffer));
    switch (i) {
      case 0:
        glVertexPointer(a.nSize, static_cast<GLenum>(a.nType), a.nStride, a.pPointer);
        break;
      case 1:
        glColorPointer(a.nSize, static_cast<GLenum>(a.nType), a.nStride, a.pPointer);
        break;
      default:
        glTexCoordPointer(a.nSize, static_cast<GLenum>(a.nType), a.nStride, a.pPointer);
        break;
    }
    if (a.nBuffer != 0) gl.fn.BindBuffer(gl::kArrayBuffer, 0);
    if (!a.bEnabled) glDisableClientState(kListArrays[i].eCap);
  }
  const int nOthers = gl.kind.AtLeast(1, 4) ? 5 : 3;
  for (int i = 0; i < nOthers; ++i) {
    if (s.bOtherArrays[i]) glEnableClientState(kOtherArrays[i]);
  }
  if (s.nProgram != 0) gl.fn.UseProgram(static_cast<GLuint>(s.nProgram));
  if (s.nVertexArray != 0) gl.fn.BindVertexArray(static_cast<GLuint>(s.nVertexArray));
  if (s.nArrayBuffer != 0) gl.fn.BindBuffer(gl::kArrayBuffer, static_cast<GLuint>(s.nArrayBuffer));
  if (fLineWidth != s.fLineWidth) glLineWidth(s.fLineWidth);
  if (bLineSmooth != (s.bLineSmooth != GL_FALSE)) Enable(GL_LINE_SMOOTH, s.bLineSmooth != GL_FALSE);
  if (nTexture != static_cast<GLuint>(s.nTexture)) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(s.nTexture));
  if (bTexturing != (s.bTexture2D != GL_FALSE)) Enable(GL_TEXTURE_2D, s.bTexture2D != GL_FALSE);
  if (NeedsBlendFunc(gl, s)) {
    if (gl.fn.BlendFuncSeparate != nullptr) {
      gl.fn.BlendFuncSeparate(static_cast<GLenum>(s.nBlend[0]), static_cast<GLenum>(s.nBlend[1]),
                              static_cast<GLenum>(s.nBlend[2]), static_cast<GLenum>(s.nBlend[3]));
    } else {
      glBlendFunc(static_cast<GLenum>(s.nBlend[0]), static_cast<GLenum>(s.nBlend[1]));
    }
  }
  if (!s.bBlend) glDisable(GL_BLEND);
  if (s.bLighting) glEnable(GL_LIGHTING);
  if (s.nShadeModel != GL_SMOOTH) glShadeModel(static_cast<GLenum>(s.nShadeModel));
  glColor4fv(s.fColor);
  if (s.nClientActiveTexture != static_cast<GLint>(gl::kTexture0)) {
    gl.fn.ClientActiveTexture(static_cast<GLenum>(s.nClientActiveTexture));
  }
  if (s.nActiveTexture != static_cast<GLint>(gl::kTexture0)) gl.fn.ActiveTexture(static_cast<GLenum>(s.nActiveTexture));
}

void DrawList(void* pUser, const CDrawList& list) {
  if (list.IsEmpty()) return;
  const SGL11& gl = *static_cast<SGL11*>(pUser);
  SSavedState saved;
  Save(gl, &saved);
  SetUp(gl, saved);
  const SVertex* v = list.Vertices().data();
  glVertexPointer(2, GL_FLOAT, sizeof(SVertex), &v->x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(SVertex), &v->s);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(SVertex), v->rgba);

  // The state the commands ask for, changed only where it differs.
  GLuint nTexture = static_cast<GLuint>(saved.nTexture);
  bool bTexturing = saved.bTexture2D != GL_FALSE;
  float fLineWidth = saved.fLineWidth;
  bool bLineSmooth = saved.bLineSmooth != GL_FALSE;
  for (const SCommand& command : list.Commands()) {
    const bool bWantTexturing = command.nTexture != 0;
    if (bWantTexturing && command.nTexture != nTexture) {
      nTexture = command.nTexture;
      glBindTexture(GL_TEXTURE_2D, nTexture);
    }
    if (bWantTexturing != bTexturing) {
      bTexturing = bWantTexturing;
      Enable(GL_TEXTURE_2D, bTexturing);
    }
    if (IsLine(command.ePrimitive)) {
      const bool bHost = command.line.fWidth <= 0.0f;
      const float fWidth = bHost ? saved.fLineWidth : command.line.fWidth;
      const bool bSmooth = bHost || !command.line.bSmooth ? saved.bLineSmooth != GL_FALSE : true;
      if (fWidth != fLineWidth) {
        fLineWidth = fWidth;
        glLineWidth(fLineWidth);
      }
      if (bSmooth != bLineSmooth) {
        bLineSmooth = bSmooth;
        Enable(GL_LINE_SMOOTH, bLineSmooth);
      }
    }
    glDrawArrays(ModeOf(command.ePrimitive), static_cast<GLint>(command.nFirst),
                 static_cast<GLsizei>(command.nCount));
  }

  Restore(gl, saved, nTexture, bTexturing, fLineWidth, bLineSmooth);
}

bool CopyBuffer(void*, unsigned int nSrcBuffer, unsigned int nDstBuffer, int nWidth, int nHeight) {
  GLint nReadBuffer = 0;
  GLint nDrawBuffer = 0;
  glGetIntegerv(GL_READ_BUFFER, &nReadBuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &nDrawBuffer);

  GLint nAccumBits = 0;
  glGetIntegerv(GL_ACCUM_RED_BITS, &nAccumBits);
  if (nAccumBits > 0) {
    glClear(GL_ACCUM_BUFFER_BIT);
    glReadBuffer(nSrcBuffer);
    glAccum(GL_LOAD, 1.0f);
    glDrawBuffer(nDstBuffer);
    glAccum(GL_RETURN, 1.0f);
  } else {
    // No accumulation buffer in this pixel format: copy the pixels directly,
    // with every fragment operation that could alter them switched off.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const GLsizei width = nWidth > 0 ? nWidth : viewport[0] + viewport[2];
    const GLsizei height = nHeight > 0 ? nHeight : viewport[1] + viewport[3];
    glPushAttrib(GL_VIEWPORT_BIT | GL_TRANSFORM_BIT | GL_CURRENT_BIT | GL_PIXEL_MODE_BIT | GL_ENABLE_BIT |
                 GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_COLOR_LOGIC_OP);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glPixelZoom(1.0f, 1.0f);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(-1.0f, -1.0f);
    glReadBuffer(nSrcBuffer);
    glDrawBuffer(nDstBuffer);
    if (width > 0 && height > 0) glCopyPixels(0, 0, width, height, GL_COLOR);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
  }

  glReadBuffer(static_cast<GLenum>(nReadBuffer));
  glDrawBuffer(static_cast<GLenum>(nDrawBuffer));
  return true;
}

void BeginScissor(void*, const int* pBox) {
  glPushAttrib(GL_SCISSOR_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(pBox[0], pBox[1], pBox[2], pBox[3]);
}

void EndScissor(void*) { glPopAttrib(); }

void Destroy(void* pUser, bool bContextCurrent);

}  // namespace

SBackend* CreateGL11Backend() {
  SGL11* pGL = new (std::nothrow) SGL11();
  if (pGL == nullptr) return nullptr;
  pGL->kind = QueryContextKind();
  LoadGLFunctions(pGL->kind, &pGL->fn);
  SBackend* pBackend = new (std::nothrow) SBackend{"OpenGL 1.1",       pGL,          BeginPass,     DrawList,
                                                   EndPass,            CaptureSceneMatrix, CreateTextureForBackend,
                                                   DeleteTextureForBackend,      CopyBuffer,   BeginScissor,  EndScissor,
                                                   Destroy};
  if (pBackend == nullptr) delete pGL;
  return pBackend;
}

namespace {

void Destroy(void* pUser, bool) { delete static_cast<SGL11*>(pUser); }

}  // namespace

}  // namespace render
}  // namespace VrenkGLWidge
