// shader_backend.cpp - the backend for contexts without the fixed-function
// pipeline (OpenGL 3.2+ core profile, OpenGL ES 2.0 and 3.0), and for hosts
// that ask for it in a compatibility context. One small program (position,
// texture coordinate, colour; untextured geometry samples a white texel),
// one vertex buffer the lists are streamed into, a vertex array object where
// the context has them, and an orthographic projection as a uniform. Lists
// are drawn as the triangles tessellate.cpp makes of them, one draw call per
// texture change. A list that did not change since the last pass is not
// uploaded again. Every piece of state a list changes is saved before and
// restored after it in DrawList.
#include <cstddef>
#include <map>
#include <new>
#include <vector>

#include "render/backend.h"
#include "render/draw_list.h"
#include "render/gl_context.h"
#include "render/tessellate.h"
#include "render/texture.h"

namespace VrenkGLWidge {
namespace render {
namespace {

// Attribute locations, bound before linking.
constexpr GLuint kPosition = 0;
constexpr GLuint kTexCoord = 1;
constexpr GLuint kColor = 2;

constexpr GLenum kDepthTest = GL_DEPTH_TEST;
constexpr GLenum kSamplerBinding = 0x8919;
constexpr GLenum kPolygonMode = GL_POLYGON_MODE;
constexpr GLenum kVertexAttribArrayEnabled = 0x8622;
constexpr GLenum kVertexAttribArraySize = 0x8623;
constexpr GLenum kVertexAttribArrayStride = 0x8624;
constexpr GLenum kVertexAttribArrayType = 0x8625;
constexpr GLenum kVertexAttribArrayNormalized = 0x886A;
constexpr GLenum kVertexAttribArrayBufferBinding = 0x889F;
constexpr GLenum kVertexAttribArrayPointer = 0x8645;

// The program's sources for each shading language the contexts speak.
struct SShaderSources {
  const char* szVertex;
  const char* szFragment;
};

const SShaderSources kGlsl150 = {
    "#version 150\n"
    "in vec2 aPosition;\nin vec2 aTexCoord;\nin vec4 aColor;\n"
    "uniform mat4 uProjection;\nout vec2 vTexCoord;\nout vec4 vColor;\n"
    "void main() {\n  vTexCoord = aTexCoord;\n  vColor = aColor;\n"
    "  gl_Position = uProjection * vec4(aPosition, 0.0, 1.0);\n}\n",
    "#version 150\n"
    "in vec2 vTexCoord;\nin vec4 vColor;\nuniform sampler2D uTexture;\nout vec4 fragColor;\n"
    "void main() { fragColor = vColor * texture(uTexture, vTexCoord); }\n"};

const SShaderSources kGlslEs300 = {
    "#version 300 es\n"
    "in vec2 aPosition;\nin vec2 aTexCoord;\nin vec4 aColor;\n"
    "uniform mat4 uProjection;\nout vec2 vTexCoord;\nout vec4 vColor;\n"
    "void main() {\n  vTexCoord = aTexCoord;\n  vColor = aColor;\n"
    "  gl_Position = uProjection * vec4(aPosition, 0.0, 1.0);\n}\n",
    "#version 300 es\nprecision mediump float;\n"
    "in vec2 vTexCoord;\nin vec4 vColor;\nuniform sampler2D uTexture;\nout vec4 fragColor;\n"
    "void main() { fragColor = vColor * texture(uTexture, vTexCoord); }\n"};

// ES 1.00, and desktop 1.10 for compatibility contexts before 3.2 (the same
// text without the precision statement).
const char* const kGlsl100Vertex =
    "attribute vec2 aPosition;\nattribute vec2 aTexCoord;\nattribute vec4 aColor;\n"
    "uniform mat4 uProjection;\nvarying vec2 vTexCoord;\nvarying vec4 vColor;\n"
    "void main() {\n  vTexCoord = aTexCoord;\n  vColor = aColor;\n"
    "  gl_Position = uProjection * vec4(aPosition, 0.0, 1.0);\n}\n";
const char* const kGlsl100Fragment =
    "varying vec2 vTexCoord;\nvarying vec4 vColor;\nuniform sampler2D uTexture;\n"
    "void main() { gl_FragColor = vColor * texture2D(uTexture, vTexCoord); }\n";

// What the backend keeps of one list: its triangles, and where in the
// vertex buffer they were last uploaded.
struct SListCache {
  unsigned int nGeneration = 0;
  std::vector<SVertex> vecTriangles;
  std::vector<SBatch> vecBatches;
  size_t nOffset = 0;          // in vertices
  unsigned int nEpoch = 0;     // the buffer storage the upload went into
  unsigned int nLastPass = 0;  // for forgetting lists no longer drawn
};

struct SShader {
  SContextKind kind;
  SGLFunctions fn;
  GLuint nProgram = 0;
  GLint nProjection = -1;
  GLuint nBuffer = 0;
  size_t nCapacity = 0;  // vertices the buffer holds
  unsigned int nEpoch = 1;
  GLuint nVertexArray = 0;
  GLuint nWhite = 0;  // the texel untextured geometry samples
  // The projection in use and the pass it belongs to.
  float fProjected[2] = {-1.0f, -1.0f};
  bool bInPass = false;
  float fPassSize[2] = {0.0f, 0.0f};
  size_t nCursor = 0;
  unsigned int nPass = 0;
  std::map<const CDrawList*, SListCache> mapLists;
  // The scissor state BeginScissor replaced.
  GLboolean bScissor = GL_FALSE;
  GLint nScissorBox[4] = {0, 0, 0, 0};
  // Lists drawn and draw calls made, for the benchmarks' figures.
  unsigned int nDrawCalls = 0;
};

GLuint Compile(const SGLFunctions& fn, GLenum eType, const char* const* pSources, GLsizei nSources) {
  const GLuint nShader = fn.CreateShader(eType);
  if (nShader == 0) return 0;
  fn.ShaderSource(nShader, nSources, pSources, nullptr);
  fn.CompileShader(nShader);
  GLint nOk = 0;
  fn.GetShaderiv(nShader, gl::kCompileStatus, &nOk);
  if (nOk == 0) {
    fn.DeleteShader(nShader);
    return 0;
  }
  return nShader;
}

bool HasAllFunctions(const SGLFunctions& fn, bool bVertexArrays) {
  return fn.BindBuffer != nullptr && fn.GenBuffers != nullptr && fn.DeleteBuffers != nullptr &&
         fn.BufferData != nullptr && fn.BufferSubData != nullptr && fn.UseProgram != nullptr &&
         fn.CreateShader != nullptr && fn.ShaderSource != nullptr && fn.CompileShader != nullptr &&
         fn.GetShaderiv != nullptr && fn.DeleteShader != nullptr && fn.CreateProgram != nullptr &&
         fn.AttachShader != nullptr && fn.BindAttribLocation != nullptr && fn.LinkProgram != nullptr &&
         fn.GetProgramiv != nullptr && fn.DeleteProgram != nullptr && fn.GetUniformLocation != nullptr &&
         fn.Uniform1i != nullptr && fn.UniformMatrix4fv != nullptr && fn.EnableVertexAttribArray != nullptr &&
         fn.DisableVertexAttribArray != nullptr && fn.VertexAttribPointer != nullptr &&
         fn.GetVertexAttribiv != nullptr && fn.GetVertexAttribPointerv != nullptr &&
         fn.BlendFuncSeparate != nullptr && fn.BlendEquationSeparate != nullptr && fn.ActiveTexture != nullptr &&
         (!bVertexArrays || (fn.BindVertexArray != nullptr && fn.GenVertexArrays != nullptr &&
                             fn.DeleteVertexArrays != nullptr));
}

// Builds the program for the context's shading language; false when the
// context refuses it.
bool BuildProgram(SShader& s) {
  const SGLFunctions& fn = s.fn;
  const char* vertex[2] = {nullptr, nullptr};
  const char* fragment[2] = {nullptr, nullptr};
  GLsizei nParts = 1;
  if (s.kind.bES && s.kind.AtLeast(3, 0)) {
    vertex[0] = kGlslEs300.szVertex;
    fragment[0] = kGlslEs300.szFragment;
  } else if (s.kind.bES) {
    vertex[0] = "#version 100\n";
    vertex[1] = kGlsl100Vertex;
    fragment[0] = "#version 100\nprecision mediump float;\n";
    fragment[1] = kGlsl100Fragment;
    nParts = 2;
  } else if (s.kind.AtLeast(3, 2)) {
    vertex[0] = kGlsl150.szVertex;
    fragment[0] = kGlsl150.szFragment;
  } else {
    vertex[0] = "#version 110\n";
    vertex[1] = kGlsl100Vertex;
    fragment[0] = "#version 110\n";
    fragment[1] = kGlsl100Fragment;
    nParts = 2;
  }
  const GLuint nVertex = Compile(fn, gl::kVertexShader, vertex, nParts);
  const GLuint nFragment = Compile(fn, gl::kFragmentShader, fragment, nParts);
  if (nVertex == 0 || nFragment == 0) {
    if (nVertex != 0) fn.DeleteShader(nVertex);
    if (nFragment != 0) fn.DeleteShader(nFragment);
    return false;
  }
  s.nProgram = fn.CreateProgram();
  fn.AttachShader(s.nProgram, nVertex);
  fn.AttachShader(s.nProgram, nFragment);
  fn.BindAttribLocation(s.nProgram, kPosition, "aPosition");
  fn.BindAttribLocation(s.nProgram, kTexCoord, "aTexCoord");
  fn.BindAttribLocation(s.nProgram, kColor, "aColor");
  fn.LinkProgram(s.nProgram);
  // The program keeps the shaders it was linked from.
  fn.DeleteShader(nVertex);
  fn.DeleteShader(nFragment);
  GLint nOk = 0;
  fn.GetProgramiv(s.nProgram, gl::kLinkStatus, &nOk);
  if (nOk == 0) {
    fn.DeleteProgram(s.nProgram);
    s.nProgram = 0;
    return false;
  }
  s.nProjection = fn.GetUniformLocation(s.nProgram, "uProjection");
  GLint nPrevious = 0;
  glGetIntegerv(gl::kCurrentProgram, &nPrevious);
  fn.UseProgram(s.nProgram);
  fn.Uniform1i(fn.GetUniformLocation(s.nProgram, "uTexture"), 0);
  fn.UseProgram(static_cast<GLuint>(nPrevious));
  return true;
}

// Points the three attributes into the backend's buffer (bound).
void PointAttributes(const SGLFunctions& fn) {
  const GLsizei nStride = sizeof(SVertex);
  fn.VertexAttribPointer(kPosition, 2, GL_FLOAT, GL_FALSE, nStride, reinterpret_cast<const void*>(0));
  fn.VertexAttribPointer(kTexCoord, 2, GL_FLOAT, GL_FALSE, nStride,
                         reinterpret_cast<const void*>(offsetof(SVertex, s)));
  fn.VertexAttribPointer(kColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, nStride,
                         reinterpret_cast<const void*>(offsetof(SVertex, rgba)));
  fn.EnableVertexAttribArray(kPosition);
  fn.EnableVertexAttribArray(kTexCoord);
  fn.EnableVertexAttribArray(kColor);
}

void Destroy(void* pUser, bool bContextCurrent);

SShader* Create() {
  SShader* p = new (std::nothrow) SShader();
  if (p == nullptr) return nullptr;
  SShader& s = *p;
  s.kind = QueryContextKind();
  LoadGLFunctions(s.kind, &s.fn);
  const bool bVertexArrays = s.kind.HasVertexArrays();
  if (!s.kind.HasPrograms() || !HasAllFunctions(s.fn, bVertexArrays) || !BuildProgram(s)) {
    Destroy(p, true);
    return nullptr;
  }
  GLint nArrayBuffer = 0;
  glGetIntegerv(gl::kArrayBufferBinding, &nArrayBuffer);
  s.fn.GenBuffers(1, &s.nBuffer);
  if (bVertexArrays) {
    GLint nVertexArray = 0;
    glGetIntegerv(gl::kVertexArrayBinding, &nVertexArray);
    s.fn.GenVertexArrays(1, &s.nVertexArray);
    s.fn.BindVertexArray(s.nVertexArray);
    s.fn.BindBuffer(gl::kArrayBuffer, s.nBuffer);
    PointAttributes(s.fn);
    s.fn.BindVertexArray(static_cast<GLuint>(nVertexArray));
  }
  s.fn.BindBuffer(gl::kArrayBuffer, static_cast<GLuint>(nArrayBuffer));
  static const unsigned char kWhite[4] = {255, 255, 255, 255};
  const STextureUpload white = {1, 1, 1, 1, kWhite, false};
  s.nWhite = CreateTexture(white);
  if (s.nBuffer == 0 || s.nWhite == 0 || (bVertexArrays && s.nVertexArray == 0)) {
    Destroy(p, true);
    return nullptr;
  }
  return p;
}

void Destroy(void* pUser, bool bContextCurrent) {
  SShader* p = static_cast<SShader*>(pUser);
  if (bContextCurrent) {
    if (p->nProgram != 0) p->fn.DeleteProgram(p->nProgram);
    if (p->nBuffer != 0) p->fn.DeleteBuffers(1, &p->nBuffer);
    if (p->nVertexArray != 0) p->fn.DeleteVertexArrays(1, &p->nVertexArray);
    if (p->nWhite != 0) glDeleteTextures(1, &p->nWhite);
  }
  delete p;
}

void CaptureSceneMatrixIdentity(double* pMatrix) {
  for (int i = 0; i < 16; ++i) pMatrix[i] = i % 5 == 0 ? 1.0 : 0.0;
}

void BeginPass(void* pUser, const int* pViewport, double* pSceneModelView) {
  SShader& s = *static_cast<SShader*>(pUser);
  s.bInPass = true;
  s.fPassSize[0] = static_cast<float>(pViewport[2]);
  s.fPassSize[1] = static_cast<float>(pViewport[3]);
  s.nCursor = 0;
  ++s.nPass;
  s.nDrawCalls = 0;
  // A context without the fixed-function pipeline has no model-view
  // matrix: the scene's is the identity here.
  CaptureSceneMatrixIdentity(pSceneModelView);
}

void CaptureSceneMatrix(void*, double* pSceneModelView) { CaptureSceneMatrixIdentity(pSceneModelView); }

void EndPass(void* pUser) {
  SShader& s = *static_cast<SShader*>(pUser);
  s.bInPass = false;
  // Lists not drawn for a while belong to menus that are gone or hidden.
  for (auto it = s.mapLists.begin(); it != s.mapLists.end();) {
    if (s.nPass - it->second.nLastPass > 64) {
      it = s.mapLists.erase(it);
    } else {
      ++it;
    }
  }
}

// What a list changes, as the host had it.
struct SSavedState {
  GLint nProgram = 0;
  GLint nVertexArray = 0;
  GLint nArrayBuffer = 0;
  GLint nActiveTexture = gl::kTexture0;
  GLint nTexture = 0;
  GLint nSampler = 0;
  GLboolean bBlend = GL_FALSE;
  GLint nBlend[4] = {GL_ONE, GL_ZERO, GL_ONE, GL_ZERO};
  GLint nEquation[2] = {gl::kFuncAdd, gl::kFuncAdd};
  GLboolean bDepthTest = GL_FALSE;
  GLboolean bCullFace = GL_FALSE;
  GLint nPolygonMode[2] = {GL_FILL, GL_FILL};
  // Without a vertex array object of its own the backend sets the
  // attributes of the host's: each as it was.
  struct SAttribute {
    GLint nEnabled, nSize, nStride, nType, nNormalized, nBuffer;
    void* pPointer;
  } attributes[3] = {};
};

bool HasSamplers(const SContextKind& kind) { return kind.bES ? kind.AtLeast(3, 0) : kind.AtLeast(3, 3); }

void Save(const SShader& s, SSavedState* p) {
  glGetIntegerv(gl::kCurrentProgram, &p->nProgram);
  if (s.nVertexArray != 0) glGetIntegerv(gl::kVertexArrayBinding, &p->nVertexArray);
  glGetIntegerv(gl::kArrayBufferBinding, &p->nArrayBuffer);
  glGetIntegerv(gl::kActiveTexture, &p->nActiveTexture);
  if (p->nActiveTexture != static_cast<GLint>(gl::kTexture0)) s.fn.ActiveTexture(gl::kTexture0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &p->nTexture);
  if (HasSamplers(s.kind)) glGetIntegerv(kSamplerBinding, &p->nSampler);
  p->bBlend = glIsEnabled(GL_BLEND);
  glGetIntegerv(gl::kBlendSrcRgb, &p->nBlend[0]);
  glGetIntegerv(gl::kBlendDstRgb, &p->nBlend[1]);
  glGetIntegerv(gl::kBlendSrcAlpha, &p->nBlend[2]);
  glGetIntegerv(gl::kBlendDstAlpha, &p->nBlend[3]);
  glGetIntegerv(gl::kBlendEquationRgb, &p->nEquation[0]);
  glGetIntegerv(gl::kBlendEquationAlpha, &p->nEquation[1]);
  p->bDepthTest = glIsEnabled(kDepthTest);
  p->bCullFace = glIsEnabled(GL_CULL_FACE);
  if (!s.kind.bES) glGetIntegerv(kPolygonMode, p->nPolygonMode);
  if (s.nVertexArray == 0) {
    const GLuint kIndices[3] = {kPosition, kTexCoord, kColor};
    for (int i = 0; i < 3; ++i) {
      SSavedState::SAttribute& a = p->attributes[i];
      s.fn.GetVertexAttribiv(kIndices[i], kVertexAttribArrayEnabled, &a.nEnabled);
      s.fn.GetVertexAttribiv(kIndices[i], kVertexAttribArraySize, &a.nSize);
      s.fn.GetVertexAttribiv(kIndices[i], kVertexAttribArrayStride, &a.nStride);
      s.fn.GetVertexAttribiv(kIndices[i], kVertexAttribArrayType, &a.nType);
      s.fn.GetVertexAttribiv(kIndices[i], kVertexAttribArrayNormalized, &a.nNormalized);
      s.fn.GetVertexAttribiv(kIndices[i], kVertexAttribArrayBufferBinding, &a.nBuffer);
      s.fn.GetVertexAttribPointerv(kIndices[i], kVertexAttribArrayPointer, &a.pPointer);
    }
  }
}

void Enable(GLenum cap, bool bOn) {
  if (bOn) {
    glEnable(cap);
  } else {
    glDisable(cap);
  }
}

void Restore(const SShader& s, const SSavedState& p, GLuint nTexture) {
  if (s.nVertexArray == 0) {
    const GLuint kIndices[3] = {kPosition, kTexCoord, kColor};
    for (int i = 0; i < 3; ++i) {
      const SSavedState::SAttribute& a = p.attributes[i];
      s.fn.BindBuffer(gl::kArrayBuffer, static_cast<GLuint>(a.nBuffer));
      s.fn.VertexAttribPointer(kIndices[i], a.nSize, static_cast<GLenum>(a.nType),
                               a.nNormalized != 0 ? GL_TRUE : GL_FALSE, a.nStride, a.pPointer);
      if (a.nEnabled == 0) s.fn.DisableVertexAttribArray(kIndices[i]);
    }
  } else {
    s.fn.BindVertexArray(static_cast<GLuint>(p.nVertexArray));
  }
  s.fn.BindBuffer(gl::kArrayBuffer, static_cast<GLuint>(p.nArrayBuffer));
  s.fn.UseProgram(static_cast<GLuint>(p.nProgram));
  if (nTexture != static_cast<GLuint>(p.nTexture)) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(p.nTexture));
  if (p.nSampler != 0) s.fn.BindSampler(0, static_cast<GLuint>(p.nSampler));
  if (p.nActiveTexture != static_cast<GLint>(gl::kTexture0)) s.fn.ActiveTexture(static_cast<GLenum>(p.nActiveTexture));
  s.fn.BlendFuncSeparate(static_cast<GLenum>(p.nBlend[0]), static_cast<GLenum>(p.nBlend[1]),
                         static_cast<GLenum>(p.nBlend[2]), static_cast<GLenum>(p.nBlend[3]));
  s.fn.BlendEquationSeparate(static_cast<GLenum>(p.nEquation[0]), static_cast<GLenum>(p.nEquation[1]));
  Enable(GL_BLEND, p.bBlend != GL_FALSE);
  if (p.bDepthTest) glEnable(kDepthTest);
  if (p.bCullFace) glEnable(GL_CULL_FACE);
  if (!s.kind.bES && (p.nPolygonMode[0] != GL_FILL || p.nPolygonMode[1] != GL_FILL)) {
    // A core profile sets both faces at once; where the host had them apart
    // (only possible in a compatibility context) each face goes back.
    if (p.nPolygonMode[0] == p.nPolygonMode[1] || s.kind.bCore) {
      glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(p.nPolygonMode[0]));
    } else {
      glPolygonMode(GL_FRONT, static_cast<GLenum>(p.nPolygonMode[0]));
      glPolygonMode(GL_BACK, static_cast<GLenum>(p.nPolygonMode[1]));
    }
  }
}

// The orthographic projection of a w x h overlay, column-major.
void SetProjection(SShader& s, float w, float h) {
  if (s.fProjected[0] == w && s.fProjected[1] == h) return;
  const float m[16] = {2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, -1, 0, -1, -1, 0, 1};
  s.fn.UniformMatrix4fv(s.nProjection, 1, GL_FALSE, m);
  s.fProjected[0] = w;
  s.fProjected[1] = h;
}

// Makes sure the list's triangles are in the buffer at the pass's cursor;
// false when the buffer cannot hold them.
bool Upload(SShader& s, SListCache& cache) {
  const size_t n = cache.vecTriangles.size();
  if (s.nCursor + n > s.nCapacity) {
    size_t nCapacity = s.nCapacity < 4096 ? 4096 : s.nCapacity;
    while (nCapacity < s.nCursor + n) nCapacity *= 2;
    s.fn.BufferData(gl::kArrayBuffer, static_cast<std::ptrdiff_t>(nCapacity * sizeof(SVertex)), nullptr,
                    gl::kStreamDraw);
    s.nCapacity = nCapacity;
    ++s.nEpoch;  // everything uploaded before is gone
  }
  if (cache.nEpoch != s.nEpoch || cache.nOffset != s.nCursor) {
    s.fn.BufferSubData(gl::kArrayBuffer, static_cast<std::ptrdiff_t>(s.nCursor * sizeof(SVertex)),
                       static_cast<std::ptrdiff_t>(n * sizeof(SVertex)), cache.vecTriangles.data());
    cache.nEpoch = s.nEpoch;
    cache.nOffset = s.nCursor;
  }
  s.nCursor += n;
  return true;
}

void DrawList(void* pUser, const CDrawList& list) {
  if (list.IsEmpty()) return;
  SShader& s = *static_cast<SShader*>(pUser);
  SListCache& cache = s.mapLists[&list];
  cache.nLastPass = s.nPass;
  if (cache.nGeneration != list.Generation() || cache.vecBatches.empty()) {
    Tessellate(list, &cache.vecTriangles, &cache.vecBatches);
    cache.nGeneration = list.Generation();
    cache.nEpoch = 0;
  }
  if (cache.vecTriangles.empty()) return;

  float w = s.fPassSize[0];
  float h = s.fPassSize[1];
  if (!s.bInPass) {
    // Outside the manager's pass the overlay is the current viewport.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    w = static_cast<float>(viewport[2]);
    h = static_cast<float>(viewport[3]);
    // The upload goes to the buffer's start: what the last pass uploaded
    // there counts as gone.
    s.nCursor = 0;
    ++s.nEpoch;
  }
  if (!(w > 0.0f && h > 0.0f)) return;

  SSavedState saved;
  Save(s, &saved);
  s.fn.UseProgram(s.nProgram);
  SetProjection(s, w, h);
  if (s.nVertexArray != 0) s.fn.BindVertexArray(s.nVertexArray);
  s.fn.BindBuffer(gl::kArrayBuffer, s.nBuffer);
  Upload(s, cache);
  if (s.nVertexArray == 0) PointAttributes(s.fn);
  if (saved.nSampler != 0) s.fn.BindSampler(0, 0);
  if (!saved.bBlend) glEnable(GL_BLEND);
  s.fn.BlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  s.fn.BlendEquationSeparate(gl::kFuncAdd, gl::kFuncAdd);
  if (saved.bDepthTest) glDisable(kDepthTest);
  if (saved.bCullFace) glDisable(GL_CULL_FACE);
  if (saved.nPolygonMode[0] != GL_FILL || saved.nPolygonMode[1] != GL_FILL) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  }

  GLuint nBound = static_cast<GLuint>(saved.nTexture);
  const GLint nBase = static_cast<GLint>(cache.nOffset);
  for (const SBatch& batch : cache.vecBatches) {
    const GLuint nTexture = batch.nTexture != 0 ? batch.nTexture : s.nWhite;
    if (nTexture != nBound) {
      glBindTexture(GL_TEXTURE_2D, nTexture);
      nBound = nTexture;
    }
    glDrawArrays(GL_TRIANGLES, nBase + static_cast<GLint>(batch.nFirst), static_cast<GLsizei>(batch.nCount));
    ++s.nDrawCalls;
  }
  Restore(s, saved, nBound);
}

// Desktop contexts from 3.0 blit one buffer of the window into another; ES
// has no front buffer to read, so there the copy is not made.
bool CopyBuffer(void* pUser, unsigned int nSrcBuffer, unsigned int nDstBuffer, int nWidth, int nHeight) {
  const SShader& s = *static_cast<SShader*>(pUser);
  if (!s.kind.HasFrontBufferBlit() || s.fn.BlitFramebuffer == nullptr || s.fn.BindFramebuffer == nullptr) {
    return false;
  }
  GLint nRead = 0;
  GLint nDraw = 0;
  GLint nReadBuffer = 0;
  GLint nDrawBuffer = 0;
  glGetIntegerv(gl::kReadFramebufferBinding, &nRead);
  glGetIntegerv(gl::kDrawFramebufferBinding, &nDraw);
  s.fn.BindFramebuffer(gl::kReadFramebuffer, 0);
  s.fn.BindFramebuffer(gl::kDrawFramebuffer, 0);
  glGetIntegerv(GL_READ_BUFFER, &nReadBuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &nDrawBuffer);
  glReadBuffer(nSrcBuffer);
  glDrawBuffer(nDstBuffer);
  if (nWidth > 0 && nHeight > 0) {
    s.fn.BlitFramebuffer(0, 0, nWidth, nHeight, 0, 0, nWidth, nHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  }
  glReadBuffer(static_cast<GLenum>(nReadBuffer));
  glDrawBuffer(static_cast<GLenum>(nDrawBuffer));
  s.fn.BindFramebuffer(gl::kReadFramebuffer, static_cast<GLuint>(nRead));
  s.fn.BindFramebuffer(gl::kDrawFramebuffer, static_cast<GLuint>(nDraw));
  return true;
}

void BeginScissor(void* pUser, const int* pBox) {
  SShader& s = *static_cast<SShader*>(pUser);
  s.bScissor = glIsEnabled(GL_SCISSOR_TEST);
  glGetIntegerv(GL_SCISSOR_BOX, s.nScissorBox);
  glEnable(GL_SCISSOR_TEST);
  glScissor(pBox[0], pBox[1], pBox[2], pBox[3]);
}

void EndScissor(void* pUser) {
  const SShader& s = *static_cast<SShader*>(pUser);
  glScissor(s.nScissorBox[0], s.nScissorBox[1], s.nScissorBox[2], s.nScissorBox[3]);
  Enable(GL_SCISSOR_TEST, s.bScissor != GL_FALSE);
}

}  // namespace

SBackend* CreateShaderBackend() {
  SShader* pShader = Create();
  if (pShader == nullptr) return nullptr;
  SBackend* pBackend = new (std::nothrow)
      SBackend{"shaders",     pShader,       BeginPass,  DrawList,     EndPass,    CaptureSceneMatrix,
               CreateTextureForBackend, DeleteTextureForBackend, CopyBuffer, BeginScissor, EndScissor, Destroy};
  if (pBackend == nullptr) Destroy(pShader, true);
  return pBackend;
}

unsigned int ShaderBackendDrawCalls(const SBackend* pBackend) {
  if (pBackend == nullptr || pBackend->BeginPass != BeginPass) return 0;
  return static_cast<const SShader*>(pBackend->pUser)->nDrawCalls;
}

}  // namespace render
}  // namespace VrenkGLWidge
